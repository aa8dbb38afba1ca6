#include "tests/support/ErpDatabase.h"

#include "platform/base/Error.h"

namespace testing_support {

ErpDatabase::ErpDatabase(std::string name) : name_(std::move(name))
{
    connection_.setCursorLocation(db::CursorLocation::Client);
    connection_.open(connectionText());
}

std::string ErpDatabase::connectionText() const
{
    return "PROVIDER=SQLOLEDB;Server=sqlite:" + folder_.path().string() + ";Database =" + name_ + ";UId=tester;Pwd=;";
}

std::vector<std::vector<std::string>> ErpDatabase::rows(std::string_view statement)
{
    db::Recordset recordset;
    recordset.open(statement, connection_);
    std::vector<std::vector<std::string>> result;
    for (; !recordset.eof(); recordset.moveNext()) {
        std::vector<std::string> row;
        for (std::size_t i = 0; i < recordset.fieldCount(); ++i) {
            const base::Value& value = recordset.field(i).value();
            row.push_back(value.isNull() ? "NULL" : value.toText());
        }
        result.push_back(std::move(row));
    }
    return result;
}

std::vector<long> ErpDatabase::nativeErrors() const
{
    std::vector<long> numbers;
    for (const db::ProviderError& error : connection_.errors()) numbers.push_back(error.nativeError);
    return numbers;
}

void ErpDatabase::executeKeepingErrors(std::string_view text)
{
    try {
        connection_.execute(text);
    } catch (const base::Error&) {
    }
}

}  // namespace testing_support
