#pragma once
// The ODBC handles of one connection and the helpers every call on them needs: text in and out as UTF-16,
// diagnostic records, statement handles that free themselves. The SQL Server and Oracle drivers take UTF-16
// themselves, whatever the machine's locale; for a driver without UTF-16 entry points (the SQLite driver
// of the tests) the driver manager converts, in the character set of the process's locale.
//
// A server such as SQL Server answers one command at a time on a connection: while a cursor still has
// rows to send, nothing else can run. The session knows the one cursor still reading (`live`); before
// anything else runs, `settle` has it read the rest of its rows into memory, so a walk over a forward-only
// recordset can go on while the program executes statements on the same connection.

#include "platform/db/odbc/OdbcConnectionString.h"
#include "platform/db/odbc/OdbcErrors.h"

#include <sql.h>
#include <sqlext.h>
#include <string>
#include <string_view>
#include <vector>

namespace db::odbc {

class OdbcCursor;

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC's wide characters are UTF-16 code units");

std::u16string toUtf16(std::string_view text);
std::string fromUtf16(std::u16string_view text);
inline SQLWCHAR* wide(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

std::vector<Diagnostic> readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

struct Session {
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    bool connected = false;
    Dialect dialect = Dialect::SqlServer;
    int queryTimeout = 0;
    OdbcCursor* live = nullptr;

    void settle();
    // The entries for the records the last call on `handle` left (see providerErrors).
    void report(SQLSMALLINT handleType, SQLHANDLE handle, ErrorList& errors) const;
};

// A statement handle on the session, freed when it goes.
class Statement {
public:
    // Raises base::Error when the driver cannot give one (a lost connection).
    explicit Statement(Session& session);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    SQLHSTMT get() const { return handle_; }
    SQLHSTMT release();

private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

}  // namespace db::odbc
