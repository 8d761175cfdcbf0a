#include "gbk_chars.h"
#include "schedule_file.h"

namespace velquor {

std::vector<std::string> split_pieces(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t found = find_on_char_boundary(text, delimiter); found != std::string_view::npos;
         found = find_on_char_boundary(text, delimiter, start)) {
        pieces.emplace_back(text.substr(start, found - start));
        start = found + delimiter.size();
    }
    // A text that ends in the delimiter has no empty last piece.
    if (start < text.size()) pieces.emplace_back(text.substr(start));
    return pieces;
}

}  // namespace velquor
