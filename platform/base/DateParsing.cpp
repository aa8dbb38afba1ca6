#include "platform/base/DateParsing.h"

#include "platform/base/Error.h"

namespace base {
namespace {

struct Number {
    int value = 0;
    std::size_t width = 0;
};

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }
    std::size_t position() const { return pos_; }
    void rewind(std::size_t position) { pos_ = position; }

    std::optional<Number> number(std::size_t maxWidth)
    {
        Number n;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9' && n.width < maxWidth) {
            n.value = n.value * 10 + (text_[pos_++] - '0');
            ++n.width;
        }
        if (n.width == 0 || (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')) return std::nullopt;
        return n;
    }

    bool accept(char c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool acceptDateSeparator() { return accept('/') || accept('-'); }

    bool skipBlanks()
    {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
        return pos_ > start;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool dateExists(int year, int month, int day)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    return day <= (month == 2 && isLeap(year) ? 29 : days[month - 1]);
}

int fullYear(Number year)
{
    if (year.width > 2) return year.value;
    return year.value < 30 ? 2000 + year.value : 1900 + year.value;
}

struct Date { int year, month, day; };
struct Time { int hour, minute, second; };

std::optional<Date> readDate(Scanner& s)
{
    const auto first = s.number(4);
    if (!first || !s.acceptDateSeparator()) return std::nullopt;
    const auto second = s.number(2);
    if (!second || !s.acceptDateSeparator()) return std::nullopt;
    const auto third = s.number(4);
    if (!third) return std::nullopt;
    Date date = first->width == 4 ? Date{first->value, second->value, third->width <= 2 ? third->value : -1}
                                  : Date{fullYear(*third), second->value, first->value};
    if (first->width == 3 || !dateExists(date.year, date.month, date.day)) return std::nullopt;
    return date;
}

std::optional<Time> readTime(Scanner& s)
{
    const auto hour = s.number(2);
    if (!hour || !s.accept(':')) return std::nullopt;
    const auto minute = s.number(2);
    if (!minute) return std::nullopt;
    Time time{hour->value, minute->value, 0};
    if (s.accept(':')) {
        const auto second = s.number(2);
        if (!second) return std::nullopt;
        time.second = second->value;
    }
    if (time.hour > 23 || time.minute > 59 || time.second > 59) return std::nullopt;
    return time;
}

}  // namespace

std::optional<DateTime> parseDate(std::string_view text)
{
    Scanner s(text);
    s.skipBlanks();
    const std::size_t start = s.position();
    std::optional<Time> time;
    const auto date = readDate(s);
    if (date) {
        if (s.skipBlanks() && !s.atEnd()) {
            time = readTime(s);
            if (!time) return std::nullopt;
            s.skipBlanks();
        }
    } else {
        s.rewind(start);
        time = readTime(s);
        if (!time) return std::nullopt;
        s.skipBlanks();
    }
    if (!s.atEnd()) return std::nullopt;
    const Time t = time.value_or(Time{0, 0, 0});
    const DateTime day = date ? DateTime::fromParts(date->year, date->month, date->day) : DateTime{};
    return day.addSeconds(t.hour * 3600 + t.minute * 60 + t.second);
}

bool isDate(std::string_view text) { return parseDate(text).has_value(); }

DateTime toDate(const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::DateTime: return value.asDateTime();
    case Value::Kind::Text:
        if (const auto date = parseDate(value.asText())) return *date;
        throw Error(errors::kTypeMismatch, "Type mismatch");
    default: return DateTime::fromOleDate(value.toDouble());
    }
}

}  // namespace base
