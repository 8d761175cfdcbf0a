#include <gtest/gtest.h>

#include "core/schedule_file.h"
#include "gbk.h"

namespace velquor {
namespace {

using test::gbk;
using Pieces = std::vector<std::string>;

struct SplitCase {
    std::string text;
    std::string delimiter;
    Pieces pieces;
};

TEST(SplitPieces, CutsAtEveryDelimiterOnACharacterBoundary) {
    const SplitCase cases[] = {
        {"a=b", "=", {"a", "b"}},
        {"a=", "=", {"a"}},
        {"=b", "=", {"", "b"}},
        {"a==b", "=", {"a", "", "b"}},
        {"=", "=", {""}},
        {"==", "=", {"", ""}},
        {"a", "=", {"a"}},
        {"", "=", {}},
        {"a=b=c", "=", {"a", "b", "c"}},
        {"1\r\n2\r\n", "\r\n", {"1", "2"}},
        {"1\r\n\r\n2", "\r\n", {"1", "", "2"}},
        {"1\n2\r", "\r\n", {"1\n2\r"}},
        {gbk(u8"1=T，P"), gbk(u8"，"), {"1=T", "P"}},
        {gbk(u8"，，"), gbk(u8"，"), {"", ""}},
        // B0 A3 AC 40 holds A3 AC across the boundary of two characters.
        {"\xB0\xA3\xAC\x40", gbk(u8"，"), {"\xB0\xA3\xAC\x40"}},
        {"x\xB0\xA3\xAC\x40\xA3\xACy", gbk(u8"，"), {"x\xB0\xA3\xAC\x40", "y"}},
        // A second byte below 0x80 belongs to its character.
        {"\x81=a=b", "=", {"\x81=a", "b"}},
        {"\x81\r\n", "\r\n", {"\x81\r\n"}},
        {"\x95\\\\x", "\\", {"\x95\\", "x"}},
        // A lead byte at the very end stands alone and is kept.
        {"a=\xB0", "=", {"a", "\xB0"}},
        {"\xB0", "=", {"\xB0"}},
        {"a\xA3", gbk(u8"，"), {"a\xA3"}},
    };
    for (const auto& [text, delimiter, pieces] : cases) {
        EXPECT_EQ(split_pieces(text, delimiter), pieces) << text;
    }
}

TEST(SplitPieces, HasNoLimitOnPieces) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "ab=";
    const Pieces pieces = split_pieces(text, "=");
    ASSERT_EQ(pieces.size(), 100000u);
    EXPECT_EQ(pieces.front(), "ab");
    EXPECT_EQ(pieces.back(), "ab");
}

}  // namespace
}  // namespace velquor
