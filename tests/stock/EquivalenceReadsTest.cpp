// A run of conversions sharing one transaction of the ERP connection.

#include "stock/EquivalenceReads.h"

#include "core/Utilidades.h"
#include "stock/UnitEquivalences.h"
#include "tests/stock/StockFixture.h"

#include <string>

namespace {

std::string article(const std::string& code) { return gUtilidades().RellenaCodigo(code, 25); }

class EquivalenceReadsTest : public StockFixture {
protected:
    void SetUp() override
    {
        StockFixture::SetUp();
        addArticle(article("ART1"), "  UN");
        execute({"INSERT INTO S_TA_EQUIV VALUES ('" + article("ART1") + "', '  UN', '  CJ', 12)"});
    }

    static long countArticles()
    {
        db::Recordset rs;
        rs.open("SELECT COUNT(*) AS N FROM MA_ARTICULOS", gDB_Dll().gCnn);
        return static_cast<long>(rs.field("N").value().toDouble());
    }
};

TEST_F(EquivalenceReadsTest, ConvertsAsAloneAndLeavesNoTransactionOpen)
{
    {
        EquivalenceReads lecturas;
        for (int i = 0; i < 3; ++i) {
            std::string unidad = "UN";
            EXPECT_EQ(ConvierteCantidadAEquiv("ART1", unidad, 3, "CJ"), 36);
            EXPECT_EQ(ConvierteCantidadDesdeEquiv("ART1", unidad, 36, "CJ"), 3);
        }
    }
    EXPECT_THROW(gDB_Dll().gCnn.commitTrans(), base::Error);
}

TEST_F(EquivalenceReadsTest, ATransactionTheCallerHasOpenGoesOn)
{
    gDB_Dll().gCnn.beginTrans();
    addArticle(article("ART2"), "  UN");
    {
        EquivalenceReads lecturas;
        std::string unidad = "UN";
        EXPECT_EQ(ConvierteCantidadAEquiv("ART1", unidad, 2, "CJ"), 24);
    }
    gDB_Dll().gCnn.rollbackTrans();
    EXPECT_EQ(countArticles(), 1);
}

}  // namespace
