#pragma once
// What a column of each SQL Server type takes, and in which form the embedded database keeps it.
//
// - Text of a declared width: characters beyond the width are refused, unless they are only blanks, which
//   SQL Server cuts silently (legacy fixed-width fields come back padded).
// - Exact numbers (decimal, numeric, money): the declared scale applied, half away from zero; more whole
//   digits than the precision leaves room for are refused. They are kept as floating values, which SQLite
//   divides without dropping the fraction.
// - Dates: only real dates and times from 1753-01-01 to 9999-12-31, from the forms SQL Server reads
//   whatever its language ('yyyymmdd', 'yyyy-mm-dd', either with ' hh:mm[:ss[.mmm]]', and 'T' between
//   date and time). Kept as 'yyyy-mm-dd hh:mm:ss', with '.mmm' only when there are milliseconds: one text
//   per instant, and texts of that form sort as their instants do.

#include <optional>
#include <string>
#include <string_view>

namespace db::sqlite {

// What the database checks and converts on store, by the column's declared type.
struct ColumnRule {
    enum class Kind { Any, Text, Exact, DateTime, Whole, Bit };
    Kind kind = Kind::Any;
    int width = 0;      // Text: characters
    int precision = 0;  // Exact: digits in all
    int scale = 0;      // Exact: digits after the point
    std::string column;  // its name
    std::string name;    // TABLE.COLUMN, for the error message
};

// A value on its way into a column, as the statement or the program gave it.
struct StoredValue {
    enum class Kind { Null, Integer, Real, Text };
    Kind kind = Kind::Null;
    long long integer = 0;
    double real = 0;
    std::string text;

    static StoredValue ofInteger(long long v) { StoredValue s; s.kind = Kind::Integer; s.integer = v; return s; }
    static StoredValue ofReal(double v) { StoredValue s; s.kind = Kind::Real; s.real = v; return s; }
    static StoredValue ofText(std::string v) { StoredValue s; s.kind = Kind::Text; s.text = std::move(v); return s; }
};

// Why a column refuses a value: SQL Server's error number and its message, naming the column and the value.
struct StoreRefusal {
    long native = 0;  // 0: taken
    std::string message;
};

// Brings `value` to the form `rule`'s column keeps, or says why the column cannot take it.
StoreRefusal storeInto(const ColumnRule& rule, StoredValue& value);

// The rule of a column declared `declaredType` (as SQLite keeps the declaration).
ColumnRule columnRule(std::string_view table, std::string_view column, std::string_view declaredType);

// `text` cut to `width` characters when the excess is only blanks; nullopt when other characters exceed it.
std::optional<std::string_view> fitText(std::string_view text, int width);

// `value` with `scale` decimals, rounded half away from zero as its shortest decimal spelling reads;
// nullopt when its whole part has more digits than `precision` - `scale`.
std::optional<double> scaleExact(double value, int precision, int scale);

// An exact number written as text ("12.5", " -3 ", "1e3"); nullopt for anything else.
std::optional<double> parseNumber(std::string_view text);

enum class DateReading { Valid, NotADate, OutOfRange };

// The stored form of a date written in one of the accepted forms, or why there is none.
DateReading canonicalDateTime(std::string_view text, std::string& canonical);

// Whether `text` is already in the stored form (cheap; used by comparisons).
bool isCanonicalDateTime(std::string_view text);

}  // namespace db::sqlite
