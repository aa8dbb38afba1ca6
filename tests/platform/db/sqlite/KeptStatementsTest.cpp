// Kept statements: lent where they stay, never to two borrowers at once, reset and emptied of their values
// when handed back, and let go beyond the cache's capacity only once no one holds them.

#include "platform/db/sqlite/StatementCache.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using db::sqlite::Database;
using db::sqlite::Statement;
using db::sqlite::StatementCache;

std::shared_ptr<Database> openInMemory()
{
    sqlite3* handle = nullptr;
    sqlite3_open(":memory:", &handle);
    sqlite3_exec(handle, "CREATE TABLE T (N INTEGER); INSERT INTO T VALUES (1), (2), (3)", nullptr, nullptr, nullptr);
    return std::make_shared<Database>(handle);
}

class KeptStatements : public ::testing::Test {
protected:

    Statement take(const std::string& sql, const std::shared_ptr<StatementCache>& from)
    {
        int code = 0;
        std::string message;
        Statement statement = from->prepare(sql, code, message);
        EXPECT_TRUE(statement) << sql << ": " << message;
        return statement;
    }

    // The statements the connection has prepared and not finalized.
    int live() const { return static_cast<int>(liveTexts().size()); }
    std::vector<std::string> liveTexts() const
    {
        std::vector<std::string> texts;
        for (sqlite3_stmt* s = sqlite3_next_stmt(db->get(), nullptr); s; s = sqlite3_next_stmt(db->get(), s))
            texts.emplace_back(sqlite3_sql(s));
        std::sort(texts.begin(), texts.end());
        return texts;
    }

    // The rows a statement yields from where it stands, its first column each.
    static std::vector<long long> rest(Statement& statement)
    {
        std::vector<long long> values;
        while (sqlite3_step(statement.get()) == SQLITE_ROW) values.push_back(sqlite3_column_int64(statement.get(), 0));
        return values;
    }

    std::shared_ptr<Database> db = openInMemory();
    std::shared_ptr<StatementCache> cache = std::make_shared<StatementCache>(db, 2);
};

TEST_F(KeptStatements, AStatementHandedBackIsLentAgainResetAndEmptied)
{
    const std::string sql = "SELECT N FROM T WHERE N >= ?1 ORDER BY N";
    sqlite3_stmt* first = nullptr;
    {
        Statement statement = take(sql, cache);
        first = statement.get();
        sqlite3_bind_int(first, 1, 2);
        ASSERT_EQ(sqlite3_step(first), SQLITE_ROW);  // left in the middle of its rows
    }
    Statement again = take(sql, cache);
    EXPECT_EQ(again.get(), first);
    EXPECT_EQ(sqlite3_stmt_busy(again.get()), 0);
    EXPECT_EQ(rest(again), std::vector<long long>{});  // N >= NULL: its value was cleared
    EXPECT_EQ(live(), 1);
}

// A text asked for while its statement is out (two cursors on one query, a statement run again inside its
// own run) gets one of its own, which goes when done; the kept one stays kept.
TEST_F(KeptStatements, ATextAskedForWhileOutGetsAStatementOfItsOwn)
{
    const std::string sql = "SELECT N FROM T WHERE N >= ?1 ORDER BY N";
    Statement outer = take(sql, cache);
    sqlite3_bind_int(outer.get(), 1, 1);
    ASSERT_EQ(sqlite3_step(outer.get()), SQLITE_ROW);
    sqlite3_stmt* kept = outer.get();
    {
        Statement inner = take(sql, cache);
        EXPECT_NE(inner.get(), kept);
        sqlite3_bind_int(inner.get(), 1, 3);
        EXPECT_EQ(rest(inner), std::vector<long long>{3});
        EXPECT_EQ(live(), 2);
    }
    EXPECT_EQ(live(), 1);
    EXPECT_EQ(rest(outer), (std::vector<long long>{2, 3}));  // its values and its place untouched
    outer = Statement();
    EXPECT_EQ(take(sql, cache).get(), kept);
}

TEST_F(KeptStatements, BeyondTheCapacityTheLeastRecentlyUsedGoOnceHandedBack)
{
    Statement held = take("SELECT 1", cache);
    take("SELECT 2", cache);
    take("SELECT 3", cache);
    // The second went; the first, the oldest but out, stays with its borrower.
    EXPECT_EQ(liveTexts(), (std::vector<std::string>{"SELECT 1", "SELECT 3"}));
    EXPECT_EQ(rest(held), std::vector<long long>{1});
    held = Statement();
    take("SELECT 4", cache);
    EXPECT_EQ(liveTexts(), (std::vector<std::string>{"SELECT 3", "SELECT 4"}));
}

// The connection lets go of its cache while a recordset still reads: the statement out stays usable, and
// every statement goes with the last borrower.
TEST_F(KeptStatements, AStatementOutKeepsItsCacheUntilHandedBack)
{
    take("SELECT 2", cache);
    Statement held = take("SELECT N FROM T ORDER BY N", cache);
    std::weak_ptr<StatementCache> watched = cache;
    cache.reset();
    EXPECT_FALSE(watched.expired());
    EXPECT_EQ(rest(held), (std::vector<long long>{1, 2, 3}));
    held = Statement();
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(live(), 0);
}

}  // namespace
