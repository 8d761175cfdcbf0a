// Reading a moment back from text: the date-time text itself and the numeric
// forms that a hand-edited schedule file may hold.
#include <array>
#include <string>

#include "date_time.h"

namespace velquor {
namespace {

// Full-width digits and punctuation count as their narrow forms and the
// ideographic space as a blank. A lead byte at the very end has lost its
// second byte and is dropped. Other two-byte characters stay as they are.
std::string normalised(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) {
            out += text[at];
            continue;
        }
        if (at + 1 == text.size()) break;
        const auto trail = static_cast<unsigned char>(text[++at]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out += static_cast<char>(trail - 0x80);
        } else if (lead == 0xA1 && trail == 0xA1) {
            out += ' ';
        } else {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

// The normalised text, read character by character. Every byte of 0x80 or
// more in it starts a two-byte character whose second byte is there, and that
// second byte may be below 0x80: it must never be read as a digit or a
// separator.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    int number(int max_digits) {
        int value = 0;
        for (int digits = 0; digits < max_digits && at_ < text_.size() && is_digit(text_[at_]); ++digits) {
            value = value * 10 + (text_[at_++] - '0');
        }
        return value;
    }

    // Skips one of the one-byte separators or the two-byte unit, if it is next.
    void skip_separator(std::string_view separators, std::string_view unit) {
        if (at_ == text_.size()) return;
        if (separators.find(text_[at_]) != std::string_view::npos) {
            ++at_;
        } else if (text_.substr(at_, 2) == unit) {
            at_ += 2;
        }
    }

    bool at_end_or(std::string_view unit) const {
        return at_ == text_.size() || text_.substr(at_, 2) == unit;
    }

private:
    static bool is_digit(char c) { return c >= '0' && c <= '9'; }

    std::string_view text_;
    std::size_t at_ = 0;
};

constexpr std::string_view numeric_separators = "/-:.";
// A blank parts the date from the time.
constexpr std::string_view day_separators = "/-:. ";

bool is_leap_year(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int year, int month) {
    constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap_year(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

bool in_range(const DateTimeFields& f) {
    return f.year >= 100 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
           f.day <= days_in_month(f.year, f.month) && f.hour <= 23 && f.minute <= 59 &&
           f.second <= 59;
}

}  // namespace

double parse_date_time_text(std::string_view text) {
    if (text.empty()) return min_date_time;
    const std::string plain = normalised(text);
    FieldReader reader(plain);
    DateTimeFields f{};
    f.year = reader.number(4);
    reader.skip_separator(numeric_separators, "\xC4\xEA" /* 年 */);
    f.month = reader.number(2);
    reader.skip_separator(numeric_separators, "\xD4\xC2" /* 月 */);
    f.day = reader.number(2);
    reader.skip_separator(day_separators, "\xC8\xD5" /* 日 */);
    f.hour = reader.number(2);
    reader.skip_separator(numeric_separators, "\xCA\xB1" /* 时 */);
    f.minute = reader.number(2);
    reader.skip_separator(numeric_separators, "\xB7\xD6" /* 分 */);
    f.second = reader.number(2);
    // Whatever follows 秒 is ignored, but nothing else may follow the second.
    if (!reader.at_end_or("\xC3\xEB" /* 秒 */) || !in_range(f)) return min_date_time;
    return date_time_from_fields(f);
}

}  // namespace velquor
