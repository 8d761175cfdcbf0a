// Stepping through GBK text one character at a time. A search that looked at
// every byte would find a delimiter inside a two-byte character (B0 A3 AC 40
// holds A3 AC across the boundary), so every search starts at the text's
// start and steps over whole characters.
#pragma once

#include <cstddef>
#include <string_view>

namespace velquor {

// Any byte of 0x80 or more starts a two-byte character, as the system's own
// texts have it; only as the text's last byte does it stand alone.
inline std::size_t char_size(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
}

// The position of the first delimiter at or after `from` that starts a
// character, or npos. `from` must itself start a character.
inline std::size_t find_on_char_boundary(std::string_view text, std::string_view delimiter,
                                         std::size_t from = 0) {
    for (std::size_t at = from; at + delimiter.size() <= text.size(); at += char_size(text, at)) {
        if (text.substr(at, delimiter.size()) == delimiter) return at;
    }
    return std::string_view::npos;
}

}  // namespace velquor
