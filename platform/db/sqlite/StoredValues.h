#pragma once
// What a column of each SQL Server type takes, and in which form the embedded database keeps it.
//
// - Text of a declared width: characters beyond the width are refused, unless they are only blanks, which
//   SQL Server cuts silently (legacy fixed-width fields come back padded). A char(n) or nchar(n) value is
//   kept padded with blanks to n characters, as the server keeps it; varchar and nvarchar keep what they got.
// - Exact numbers (decimal, numeric, money): the declared scale applied, half away from zero; more whole
//   digits than the precision leaves room for are refused. They are kept as floating values, which SQLite
//   divides without dropping the fraction.
// - Numbers written as text: blanks around the number do not count. An empty or blank text is 0 to a whole
//   number, a bit, money and a float, and 1900-01-01 00:00 to a date, as the server converts it; a decimal
//   or numeric column refuses it.
// - Dates: only real dates and times from 1753-01-01 to 9999-12-31. 'yyyymmdd' and 'yyyy-mm-ddThh:mm:ss'
//   read the same whatever the session's date order; the numeric forms with separators ('dd/mm/yyyy',
//   'dd/mm/yy', 'dd-mm-yyyy', 'dd.mm.yyyy' and 'yyyy-mm-dd', each with ' hh:mm[:ss[.mmm]]' after it) read in
//   the session's order, as the server's datetime reads them (a year written first keeps day and month in
//   that order: 'yyyy-dd-mm' under day-first). Two-digit years 00-49 are 20xx, 50-99 19xx. Kept as
//   'yyyy-mm-dd hh:mm:ss', with '.mmm' only when there are milliseconds: one text per instant, and texts of
//   that form sort as their instants do.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace db::sqlite {

// The order in which a session reads day, month and year (SET DATEFORMAT); day first unless it says otherwise.
enum class DateOrder : std::uint8_t { DMY, MDY, YMD, YDM, MYD, DYM };

// The order SET DATEFORMAT names ("dmy", "MDY"...); nothing for a name it does not know.
std::optional<DateOrder> dateOrderNamed(std::string_view name);

// What one connection to the embedded database has set for itself.
struct SessionSettings {
    std::string user;  // what SYSTEM_USER answers
    DateOrder dateOrder = DateOrder::DMY;
    std::string identityInsert;  // the table SET IDENTITY_INSERT turned on, upper case; none when empty
};

// What the database checks and converts on store, by the column's declared type.
struct ColumnRule {
    enum class Kind { Any, Text, Exact, DateTime, Whole, Bit, Float };
    Kind kind = Kind::Any;
    int width = 0;      // Text: characters
    bool padded = false;  // Text: char or nchar, padded with blanks to the width
    int precision = 0;  // Exact: digits in all
    int scale = 0;      // Exact: digits after the point
    bool money = false;  // Exact: money or smallmoney, which take a blank text as 0
    bool identity = false;  // Whole: numbered by the database, seed first, then step by step
    long long seed = 1;
    long long step = 1;
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

// How a text on its way into a date is read: a literal as the server reads it; a value an expression made
// (a date read from a column, GETDATE()) is already in the stored form, which it keeps whatever the order.
enum class DateSource : std::uint8_t { Literal, Value };

// Brings `value` to the form `rule`'s column keeps, or says why the column cannot take it. Dates are read
// in `order`.
StoreRefusal storeInto(const ColumnRule& rule, StoredValue& value, DateOrder order = DateOrder::DMY,
                       DateSource source = DateSource::Value);

// The rule of a column declared `declaredType` (as SQLite keeps the declaration).
ColumnRule columnRule(std::string_view table, std::string_view column, std::string_view declaredType);

// `text` cut to `width` characters when the excess is only blanks; nullopt when other characters exceed it.
std::optional<std::string_view> fitText(std::string_view text, int width);

// `text` with blanks added up to `width` characters.
void padText(std::string& text, int width);

// `value` with `scale` decimals, rounded half away from zero as its shortest decimal spelling reads;
// nullopt when its whole part has more digits than `precision` - `scale`.
std::optional<double> scaleExact(double value, int precision, int scale);

// An exact number written as text ("12.5", " -3 ", "1e3"); nullopt for anything else.
std::optional<double> parseNumber(std::string_view text);

enum class DateReading { Valid, NotADate, OutOfRange };

// The stored form of a date written in one of the accepted forms, read in `order`, or why there is none.
DateReading canonicalDateTime(std::string_view text, std::string& canonical, DateOrder order = DateOrder::DMY,
                              DateSource source = DateSource::Value);

// Whether `text` is already in the stored form (cheap; used by comparisons).
bool isCanonicalDateTime(std::string_view text);

}  // namespace db::sqlite
