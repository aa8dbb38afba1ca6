#pragma once
// A fresh embedded ERP database made from the schema, in a folder of its own, with the connection the
// program would hold on it (client-side cursors).

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "tests/support/TempFolder.h"

#include <string>
#include <vector>

namespace testing_support {

class ErpDatabase {
public:
    explicit ErpDatabase(std::string name = "EMPRESA");

    db::Connection& connection() { return connection_; }
    const std::filesystem::path& folder() const { return folder_.path(); }
    std::string connectionText() const;

    // The rows of a query, each as its values' text forms ("NULL" for Null), for compact expectations.
    std::vector<std::vector<std::string>> rows(std::string_view statement);
    // The native numbers of the connection's error list, in order.
    std::vector<long> nativeErrors() const;
    // Runs `text`, keeping a raised failure in the error list instead of throwing.
    void executeKeepingErrors(std::string_view text);

private:
    TempFolder folder_;
    std::string name_;
    db::Connection connection_;
};

}  // namespace testing_support
