#pragma once
// The numbers the program's data-access code speaks in: field type codes, cursor and lock types, object
// states and the error numbers raised by a failed command. They are the data-access library's own values,
// because the callers compare them as numbers.

namespace db {

enum class AdoType : int {
    Empty = 0,
    SmallInt = 2,
    Integer = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    BSTR = 8,
    Boolean = 11,
    Decimal = 14,
    TinyInt = 16,
    UnsignedTinyInt = 17,
    BigInt = 20,
    Char = 129,
    WChar = 130,
    Numeric = 131,
    DBDate = 133,
    DBTime = 134,
    DBTimeStamp = 135,
    VarChar = 200,
    LongVarChar = 201,
    VarWChar = 202,
    LongVarWChar = 203,
};

enum class CursorType : int { ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType : int { ReadOnly = 1, Pessimistic = 2, Optimistic = 3, BatchOptimistic = 4 };
enum class CursorLocation : int { Server = 2, Client = 3 };
enum class SchemaKind { Tables, Columns };

inline constexpr int kStateClosed = 0;
inline constexpr int kStateOpen = 1;

inline constexpr long kIsolationReadUncommitted = 256;
inline constexpr long kIsolationReadCommitted = 4096;

// Numbers of a raised command failure, by kind of failure.
namespace hresult {
inline constexpr long kUnspecified = -2147467259;        // 0x80004005
inline constexpr long kIntegrityViolation = -2147217873; // 0x80040E2F
inline constexpr long kNoSuchTable = -2147217865;        // 0x80040E37
inline constexpr long kCommandErrors = -2147217900;      // 0x80040E14
inline constexpr long kDataOverflow = -2147217833;       // 0x80040E57
inline constexpr long kCannotConvert = -2147217913;      // 0x80040E07
}  // namespace hresult

// Numbers of the data-access library's own errors.
namespace adoerror {
inline constexpr long kNotFoundInCollection = 3265;  // no field of that name or position
inline constexpr long kNoCurrentRecord = 3021;        // BOF or EOF
inline constexpr long kNotUpdatable = 3251;
inline constexpr long kClosed = 3704;                 // operation on a closed object
inline constexpr long kConnectionClosed = 3709;
inline constexpr long kAlreadyOpen = 3705;
inline constexpr long kProviderNotFound = 3706;
}  // namespace adoerror

}  // namespace db
