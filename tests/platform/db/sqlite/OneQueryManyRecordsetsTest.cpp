// One query text opened again and again, as a lookup is: each recordset reads its own literals' rows while
// others of the same text are open and batches run it meanwhile, and its expressions take the types of its
// own first row.

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "tests/support/ErpDatabase.h"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::ErpDatabase;

class OneQueryManyRecordsets : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Accounts 01..12: the odd ones withdrawn, and of a longer description than the even ones.
        std::string batch;
        for (int i = 1; i <= 12; ++i)
            batch += fmt::format("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, DADA_DE_BAJA) VALUES ('{:02}', '{}', {})\r",
                                 i, i % 2 ? "Cuenta dada de baja hace tiempo" : "Cuenta", i % 2);
        erp.connection().execute(batch);
    }

    // A recordset read as it is walked, so that its statement stays out while others run.
    db::Recordset streamed(const std::string& statement)
    {
        db::Recordset rs;
        rs.cursorLocation = db::CursorLocation::Server;
        rs.open(statement, erp.connection());
        return rs;
    }

    static std::string next(db::Recordset& rs)
    {
        std::string code = rs.field("CODIGO").value().toText();
        rs.moveNext();
        return code;
    }

    ErpDatabase erp;
};

TEST_F(OneQueryManyRecordsets, RecordsetsOpenOnOneTextReadTheirOwnRowsWhileBatchesRunIt)
{
    const auto lookup = [](int withdrawn) {
        return fmt::format("SELECT CODIGO FROM MA_CUENTAS WHERE DADA_DE_BAJA = {} ORDER BY CODIGO", withdrawn);
    };
    db::Recordset active = streamed(lookup(0));
    db::Recordset withdrawn = streamed(lookup(1));
    std::vector<std::string> actives, withdrawns;
    while (!active.eof() || !withdrawn.eof()) {
        if (!active.eof()) actives.push_back(next(active));
        // The same statement run by a batch meanwhile, and opened once more, to its end.
        erp.connection().execute(lookup(1));
        db::Recordset again = streamed(lookup(0));
        EXPECT_EQ(next(again), "02");
        if (!withdrawn.eof()) withdrawns.push_back(next(withdrawn));
    }
    EXPECT_EQ(actives, (std::vector<std::string>{"02", "04", "06", "08", "10", "12"}));
    EXPECT_EQ(withdrawns, (std::vector<std::string>{"01", "03", "05", "07", "09", "11"}));
}

// The statement compares each row with its literal as it is walked: the literal lives as long as the
// recordset, whatever becomes of the text it was opened with.
TEST_F(OneQueryManyRecordsets, ARecordsetsLiteralsOutliveTheTextItWasOpenedWith)
{
    auto text = std::make_unique<std::string>(
        "SELECT CODIGO FROM MA_CUENTAS WHERE DESCRIPCION = 'Cuenta dada de baja hace tiempo' ORDER BY CODIGO");
    db::Recordset rs = streamed(*text);
    text->assign(text->size(), 'x');
    text.reset();
    // Room freed meanwhile is taken and written over.
    std::vector<std::string> litter(64, std::string(40, 'z'));
    std::vector<std::string> codes;
    while (!rs.eof()) codes.push_back(next(rs));
    EXPECT_EQ(codes, (std::vector<std::string>{"01", "03", "05", "07", "09", "11"}));
}

TEST_F(OneQueryManyRecordsets, ExpressionsTakeTheTypeOfEachRunsFirstRow)
{
    struct Case { const char* value; db::AdoType type; long size; };
    const Case cases[] = {
        {"7", db::AdoType::Integer, 4},
        {"7", db::AdoType::Integer, 4},
        {"'siete'", db::AdoType::VarChar, 255},
        {"7.5", db::AdoType::Double, 8},
        {"7", db::AdoType::Integer, 4},
    };
    for (const Case& c : cases) {
        db::Recordset rs;
        rs.open(fmt::format("SELECT CODIGO, ISNULL({}, 0) AS V FROM MA_CUENTAS WHERE CODIGO = '01'", c.value),
                erp.connection());
        EXPECT_EQ(rs.field("V").type(), c.type) << c.value;
        EXPECT_EQ(rs.field("V").definedSize(), c.size) << c.value;
        EXPECT_EQ(rs.field("CODIGO").type(), db::AdoType::VarChar) << c.value;
    }
}

}  // namespace
