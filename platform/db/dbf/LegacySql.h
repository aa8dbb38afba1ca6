#pragma once
// The SQL side shared by the two legacy sources, the dBase folder and the employee workbook: an SQLite
// database in memory where each table of the source appears the first time a statement names it, where
// statements may only read (every write is refused with an error naming the source), and whose rows come
// back with the source's types: exact amounts, dates, booleans, texts as stored.

#include "platform/db/Provider.h"
#include "platform/db/sqlite/SqliteHandle.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db::dbf {

// The collation of legacy text columns: bytes compared in order as if the shorter text were padded with
// blanks. A value read with its trailing blanks equals the same value written without them, and fields of
// one width sort in plain byte order (the "machine" order the legacy driver was asked for).
inline constexpr const char* kPaddedCollation = "PADDED";
int comparePadded(std::string_view a, std::string_view b);

// The table a statement reads whole ("SELECT * FROM T", "SELECT A, B FROM [T$]"): its row count is then
// the table's, known before the first row is read. Nothing for any other statement.
std::optional<std::string> wholeTableRead(std::string_view statement);

class LegacySqlProvider : public Provider {
public:
    ~LegacySqlProvider() override;

    // Statements that only read are run (and affect nothing); any other is refused.
    long execute(std::string_view batch, ErrorList& errors) override;
    std::unique_ptr<RowCursor> query(std::string_view statement, ErrorList& errors) override;
    // A source that cannot change has nothing to commit or undo.
    void beginTransaction(ErrorList&) override {}
    void commitTransaction(ErrorList&) override {}
    void rollbackTransaction(ErrorList&) override {}
    std::vector<std::string> primaryKey(std::string_view) override { return {}; }
    bool insertRow(std::string_view table, const NamedValues& values, ErrorList& errors) override;
    bool updateRow(std::string_view table, const NamedValues& values, const NamedValues& key,
                   ErrorList& errors) override;
    std::string dateLiteral(const base::DateTime& value) const override;
    bool readOnly() const override { return true; }

    struct Session;

protected:
    // `description` names the source in messages ("the dBase folder /data/legacy"); `errorSource` is the
    // source the error list's entries give.
    LegacySqlProvider(std::string description, std::string errorSource);

    enum class Found { Attached, Missing, Failed };
    // Makes the source's table `name` a table of the session. Missing when the source has no such table;
    // Failed after adding the reason to `errors`.
    virtual Found attach(const std::string& name, ErrorList& errors) = 0;
    // The rows of attached table `name` read whole; -1 when not known.
    virtual long wholeTableCount(const std::string& name) = 0;

    const std::string& description() const { return description_; }
    ProviderError error(long number, long native, std::string_view state, std::string text) const;
    const std::shared_ptr<sqlite::Database>& database() const;
    // While one lives, the read-only guard lets this provider's own statements through (declaring and
    // filling tables); SQLite consults the guard when it prepares a statement and when a virtual table
    // declares its columns.
    class OwnStatements {
    public:
        explicit OwnStatements(LegacySqlProvider& provider);
        ~OwnStatements();
        OwnStatements(const OwnStatements&) = delete;
        OwnStatements& operator=(const OwnStatements&) = delete;

    private:
        Session& session_;
    };
    // Runs or prepares one of this provider's own statements; raises base::Error when SQLite refuses it.
    void runOwn(std::string_view sql);
    sqlite::Statement prepareOwn(std::string_view sql);

    // Double-quotes an identifier for SQLite.
    static std::string quoted(std::string_view name);

private:
    sqlite::Statement prepareReading(std::string_view statement, ErrorList& errors);
    ProviderError refused(std::string_view statement) const;

    std::shared_ptr<Session> session_;
    std::string description_;
    std::string errorSource_;
};

}  // namespace db::dbf
