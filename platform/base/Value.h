#pragma once
// The value a field, a parameter or a cell holds: Empty (never set), Null (no data), a boolean, a 64-bit
// integer, a double, a currency amount, a text or a date. Text forms follow the program's regional settings.

#include "platform/base/Currency.h"
#include "platform/base/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace base {

struct Null {
    constexpr bool operator==(const Null&) const = default;
};

class Value {
public:
    enum class Kind { Empty, Null, Boolean, Integer, Double, Currency, Text, DateTime };

    Value() = default;
    Value(Null) : data_(Null{}) {}
    Value(bool b) : data_(b) {}
    Value(int i) : data_(std::int64_t{i}) {}
    Value(long i) : data_(std::int64_t{i}) {}
    Value(long long i) : data_(static_cast<std::int64_t>(i)) {}
    Value(double d) : data_(d) {}
    Value(Currency c) : data_(c) {}
    Value(std::string s) : data_(std::move(s)) {}
    Value(const char* s) : data_(std::string(s)) {}
    Value(DateTime d) : data_(d) {}

    static Value null() { return Value(Null{}); }

    // Holds `text` from now on, in the room of the text it held if it held one: a row read again and again
    // into the same values keeps its texts' room.
    void assignText(std::string_view text);

    Kind kind() const { return static_cast<Kind>(data_.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isNull() const { return kind() == Kind::Null; }
    bool isNumeric() const;  // boolean, integer, double or currency

    // The stored alternative as it is; raises type mismatch when the value holds another kind.
    bool asBoolean() const;
    std::int64_t asInteger() const;
    double asDouble() const;
    Currency asCurrency() const;
    const std::string& asText() const;
    DateTime asDateTime() const;

    // Conversions as the legacy runtime made them. Null raises "Invalid use of Null"; Empty is 0 or "".
    // Texts convert to numbers only when they are a whole number ("12.5", " -3 "); otherwise type mismatch.
    std::string toText() const;
    double toDouble() const;
    std::int64_t toInteger() const;  // half-even
    Currency toCurrency() const;
    bool toBoolean() const;

    bool operator==(const Value& other) const = default;

private:
    std::variant<std::monostate, Null, bool, std::int64_t, double, Currency, std::string, DateTime> data_;
};

// The text form of a double: up to 15 significant digits, no grouping, the regional decimal separator.
std::string doubleToText(double value);

}  // namespace base
