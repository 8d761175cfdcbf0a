// The one text form in which the system writes a moment.
#include "date_time.h"

namespace velquor {
namespace {

void append_field(std::string& text, int value, const char* unit) {
    text += std::to_string(value);
    text += unit;
}

}  // namespace

std::string date_time_text(double value) {
    const DateTimeFields f = date_time_fields(limit_date_time(value));
    std::string text;
    append_field(text, f.year, "\xC4\xEA" /* 年 */);
    append_field(text, f.month, "\xD4\xC2" /* 月 */);
    append_field(text, f.day, "\xC8\xD5" /* 日 */);
    // Trailing zero fields are left out, but a field before a non-zero one is
    // always written, 0 included.
    if (f.hour != 0 || f.minute != 0 || f.second != 0) append_field(text, f.hour, "\xCA\xB1" /* 时 */);
    if (f.minute != 0 || f.second != 0) append_field(text, f.minute, "\xB7\xD6" /* 分 */);
    if (f.second != 0) append_field(text, f.second, "\xC3\xEB" /* 秒 */);
    return text;
}

}  // namespace velquor
