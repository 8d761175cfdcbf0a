// Tests write their texts readably, as UTF-8, and gbk() turns them into the
// GBK bytes that the system handles. Only the characters listed here are
// known; any other one fails the test rather than passing silently.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace velquor::test {

inline std::string gbk(std::u8string_view text) {
    static const std::pair<std::u8string_view, std::string_view> characters[] = {
        {u8"年", "\xC4\xEA"}, {u8"月", "\xD4\xC2"}, {u8"日", "\xC8\xD5"},
        {u8"时", "\xCA\xB1"}, {u8"分", "\xB7\xD6"}, {u8"秒", "\xC3\xEB"},
        {u8"，", "\xA3\xAC"}, {u8"：", "\xA3\xBA"}, {u8"　", "\xA1\xA1"},
        {u8"０", "\xA3\xB0"}, {u8"１", "\xA3\xB1"}, {u8"２", "\xA3\xB2"},
        {u8"３", "\xA3\xB3"}, {u8"４", "\xA3\xB4"}, {u8"５", "\xA3\xB5"},
        {u8"６", "\xA3\xB6"}, {u8"７", "\xA3\xB7"}, {u8"８", "\xA3\xB8"},
        {u8"９", "\xA3\xB9"}, {u8"－", "\xA3\xAD"}, {u8"／", "\xA3\xAF"},
        {u8"．", "\xA3\xAE"}, {u8"＝", "\xA3\xBD"}, {u8"Ｔ", "\xA3\xD4"},
        {u8"保", "\xB1\xA3"}, {u8"存", "\xB4\xE6"}, {u8"成", "\xB3\xC9"},
        {u8"功", "\xB9\xA6"}, {u8"失", "\xCA\xA7"}, {u8"败", "\xB0\xDC"},
        {u8"提", "\xCC\xE1"}, {u8"示", "\xCA\xBE"}, {u8"信", "\xD0\xC5"},
        {u8"息", "\xCF\xA2"}, {u8"备", "\xB1\xB8"}, {u8"份", "\xB7\xDD"},
        {u8"文", "\xCE\xC4"}, {u8"件", "\xBC\xFE"}, {u8"工", "\xB9\xA4"},
        {u8"作", "\xD7\xF7"}, {u8"表", "\xB1\xED"}, {u8"目", "\xC4\xBF"},
        {u8"录", "\xC2\xBC"},
    };
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] < 0x80) {
            out += static_cast<char>(text[at++]);
            continue;
        }
        bool known = false;
        for (const auto& [utf8, bytes] : characters) {
            if (text.substr(at).starts_with(utf8)) {
                out += bytes;
                at += utf8.size();
                known = true;
                break;
            }
        }
        if (!known) throw std::invalid_argument("a character that gbk() does not know");
    }
    return out;
}

}  // namespace velquor::test
