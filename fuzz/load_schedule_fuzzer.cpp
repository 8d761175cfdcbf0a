// Any bytes at all, as a hand-edited or broken schedule file: loading never
// crashes, and cutting text into pieces loses nothing but a final delimiter.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/schedule_file.h"

namespace {

void check_pieces(std::string_view text, std::string_view delimiter) {
    const auto pieces = velquor::split_pieces(text, delimiter);
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) joined += delimiter;
        joined += pieces[i];
    }
    if (joined == text) return;
    // A text that ends in the delimiter has no empty last piece.
    if (joined + std::string(delimiter) == text) return;
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    velquor::ScheduleTable table;
    velquor::load_schedule_text(table, bytes);
    check_pieces(bytes, "=");
    check_pieces(bytes, "\r\n");
    check_pieces(bytes, "\xA3\xAC");  // ，
    return 0;
}
