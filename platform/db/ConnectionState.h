#pragma once
// What a connection shares with its recordsets, so an updatable recordset can still write (or report a
// closed connection) whatever the order in which the program releases them.

#include "platform/db/AdoCodes.h"
#include "platform/db/Connection.h"
#include "platform/db/ErrorList.h"
#include "platform/db/Provider.h"

#include <memory>
#include <string>

namespace db {

struct Connection::State {
    std::string text;
    CursorLocation cursorLocation = CursorLocation::Server;
    int commandTimeout = 30;
    long isolationLevel = kIsolationReadCommitted;
    std::string defaultDatabase;
    std::unique_ptr<Provider> provider;
    ErrorList errors;
    int walking = 0;  // recordsets read in full whose walk has not reached its end

    Provider& openProvider();  // raises 3709 when the connection is closed
    // Raises base::Error for the first entry of the error list when it holds any.
    void raiseIfFailed(std::string_view source) const;
};

}  // namespace db
