// migra-sql: runs a file of SQL statements (in the ERP's SQL Server dialect) on a database through the
// program's own connection layer, so the embedded database gets its collation, checks and triggers.
//     migra-sql "<connection text>" <file.sql>
// Prints each error of the database and exits with 1 when there was any.

#include "platform/base/Error.h"
#include "platform/db/Connection.h"

#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s \"<connection text>\" <file.sql>\n", argv[0]);
        return 2;
    }
    std::ifstream file(argv[2], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 2;
    }
    std::stringstream text;
    text << file.rdbuf();
    db::Connection connection;
    try {
        connection.open(argv[1]);
        connection.execute(text.str());
    } catch (const base::Error& error) {
        for (const db::ProviderError& entry : connection.errors())
            std::fprintf(stderr, "%ld: %s\n", entry.nativeError, entry.description.c_str());
        if (connection.errors().empty()) std::fprintf(stderr, "%s\n", error.description().c_str());
        return 1;
    }
    return 0;
}
