#pragma once
// Owning handles for an SQLite database and its prepared statements. The database handle is shared: a
// cursor still being read keeps the database open after its connection has let go of it.

#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace db::sqlite {

class StatementCache;
struct KeptStatement;
struct StatementColumns;

class Database {
public:
    explicit Database(sqlite3* handle) : handle_(handle) {}
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* get() const { return handle_; }
    std::string lastError() const;
    int lastErrorCode() const;

private:
    sqlite3* handle_;
};

class Statement {
public:
    Statement() = default;
    Statement(std::shared_ptr<Database> db, sqlite3_stmt* handle) : db_(std::move(db)), handle_(handle) {}
    ~Statement();
    Statement(Statement&& other) noexcept
        : db_(std::move(other.db_)),
          handle_(other.handle_),
          cache_(std::move(other.cache_)),
          kept_(other.kept_),
          columns_(std::move(other.columns_))
    {
        other.handle_ = nullptr;
        other.kept_ = nullptr;
    }
    Statement& operator=(Statement&& other) noexcept;

    sqlite3_stmt* get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Its columns as a cursor last described them, kept with it in the cache (see SqliteCursor.h).
    const std::shared_ptr<StatementColumns>& columns() const;
    void keepColumns(std::shared_ptr<StatementColumns> columns);

private:
    friend class StatementCache;
    // A statement lent by `cache` from its entry `kept`: the entry is handed back, not finalized, and the
    // cache lives on until it is.
    Statement(std::shared_ptr<StatementCache> cache, KeptStatement& kept);
    void release();

    std::shared_ptr<Database> db_;  // a statement of its own
    sqlite3_stmt* handle_ = nullptr;
    std::shared_ptr<StatementCache> cache_;  // a lent statement
    KeptStatement* kept_ = nullptr;
    std::shared_ptr<StatementColumns> columns_;  // a statement of its own's
};

// Compiles `sql`, one statement; nullptr on failure, with `code` and `message` set.
sqlite3_stmt* compile(Database& db, std::string_view sql, int& code, std::string& message);

// Prepares `sql`; on failure returns an empty statement and sets `code`/`message`.
Statement prepare(const std::shared_ptr<Database>& db, std::string_view sql, int& code, std::string& message);

}  // namespace db::sqlite
