// Quantities converted between an article's units through its equivalences.

#include "stock/UnitEquivalences.h"

#include "core/Configuracion.h"
#include "core/Utilidades.h"
#include "platform/ui/FlexGrid.h"
#include "tests/stock/StockFixture.h"
#include "tests/support/Failures.h"

#include <array>

namespace {

std::string article(const std::string& code) { return gUtilidades().RellenaCodigo(code, 25); }

class UnitEquivalences : public StockFixture {
protected:
    void SetUp() override
    {
        StockFixture::SetUp();
        addArticle(article("ART1"), "  UN");
        addArticle(article("ART2"), "  UN");
        addArticle(article("ART3"), "  UN");
        addArticle(article("SINUD"), "    ");
        // ART1: one UN is 12 CJ and 0.25 M3; ART2 only the other way round: one CJ is 12 UN; ART3 with a 0.
        execute({
            "INSERT INTO S_TA_EQUIV VALUES ('" + article("ART1") + "', '  UN', '  CJ', 12)",
            "INSERT INTO S_TA_EQUIV VALUES ('" + article("ART1") + "', '  UN', '  M3', 0.25)",
            "INSERT INTO S_TA_EQUIV VALUES ('" + article("ART2") + "', '  CJ', '  UN', 12)",
            "INSERT INTO S_TA_EQUIV VALUES ('" + article("ART3") + "', '  UN', '  KG', 0)",
        });
    }
};

enum class Way { Into, From };

TEST_F(UnitEquivalences, ConversionsFollowTheDirectOrTheReverseRow)
{
    struct Case {
        Way way;
        const char* articulo;
        const char* base;
        double quantity;
        const char* equivalent;
        double expected;
        const char* baseAfter;
    } const cases[] = {
        {Way::Into, "ART1", "UN", 3, "CJ", 36, "UN"},            // direct row
        {Way::From, "ART1", "UN", 36, "CJ", 3, "UN"},
        {Way::Into, "ART2", "UN", 24, "CJ", 2, "UN"},            // reverse row
        {Way::From, "ART2", "UN", 2, "CJ", 24, "UN"},
        {Way::Into, "  ART1", "  un", 3, "CJ", 36, "  un"},      // codes as stored, any case
        {Way::Into, "ART1", "un", 7, "UN", 7, "un"},             // one unit
        {Way::Into, "ART1", "UN ", 7, "  UN", 7, "UN "},
        {Way::Into, "ART1", "", 3, "CJ", 36, "UN"},              // the article's unit, written back
        {Way::Into, "ART1", "", 3, "un", 3, "UN"},               // ... which is the unit asked for
        {Way::Into, "ART1", "   ", 3, "CJ", 0, "   "},           // no unit to convert from
        {Way::Into, "SINUD", "", 3, "CJ", 0, ""},
        {Way::Into, "ART3", "UN", 5, "KG", 0, "UN"},             // multiplied by a coefficient of 0
        {Way::Into, "ART1", "UN", 3, "KG", 0, "UN"},             // no equivalence: 0, not the quantity
        {Way::From, "ART1", "UN", 3, "KG", 0, "UN"},
        {Way::Into, "ART1", "UN", 0, "CJ", 0, "UN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.way == Way::Into ? "into " : "from ") + c.articulo + " \"" + c.base + "\" " +
                     std::to_string(c.quantity) + " \"" + c.equivalent + "\"");
        std::string base = c.base;
        const double result = c.way == Way::Into ? ConvierteCantidadAEquiv(c.articulo, base, c.quantity, c.equivalent)
                                                 : ConvierteCantidadDesdeEquiv(c.articulo, base, c.quantity, c.equivalent);
        EXPECT_DOUBLE_EQ(result, c.expected);
        EXPECT_EQ(base, c.baseAfter);
    }
}

TEST_F(UnitEquivalences, ALookupTellsWhichRowItFound)
{
    struct Case {
        const char* articulo;
        const char* base;
        const char* equivalent;
        bool found;
        const char* operador;
        double coefficient;
        bool withoutUnit;
    } const cases[] = {
        {"ART1", "UN", "CJ", true, "/", 12, false},
        {"ART2", "UN", "CJ", true, "*", 12, false},
        {"ART1", "UN", "KG", false, "?", 0, false},  // the operator is left as it was
        {"SINUD", "", "CJ", false, "?", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.articulo) + " " + c.base + " -> " + c.equivalent);
        std::string operador = "?", base = c.base;
        double coefficient = -1;
        bool withoutUnit = !c.withoutUnit;
        EXPECT_EQ(IdArticuloTieneEquivalencias(c.articulo, c.equivalent, operador, base, coefficient, withoutUnit), c.found);
        EXPECT_EQ(operador, c.operador);
        EXPECT_DOUBLE_EQ(coefficient, c.coefficient);
        EXPECT_EQ(withoutUnit, c.withoutUnit);
    }
}

TEST_F(UnitEquivalences, ACoefficientOfZeroNeverDivides)
{
    for (const bool into : {false, true}) {
        // From KG into UN the reverse row divides; from KG back into UN the direct row does.
        std::string base = into ? "KG" : "UN";
        const std::string equivalent = into ? "UN" : "KG";
        const base::Error error = testing_support::failureOf([&] {
            into ? ConvierteCantidadAEquiv("ART3", base, 5, equivalent) : ConvierteCantidadDesdeEquiv("ART3", base, 5, equivalent);
        });
        EXPECT_EQ(error.number(), base::errors::kDivisionByZero);
        EXPECT_NE(error.description().find("ART3"), std::string::npos) << error.description();
        EXPECT_NE(error.description().find("UN"), std::string::npos) << error.description();
        EXPECT_NE(error.description().find("KG"), std::string::npos) << error.description();
    }
}

TEST_F(UnitEquivalences, AnArticleNotHeldIsNamed)
{
    EXPECT_EQ(ObtieneUnidadArticulo("ART1"), "UN");
    EXPECT_EQ(ObtieneUnidadArticulo(article("ART1")), "UN");
    const base::Error error = testing_support::failureOf([] { ObtieneUnidadArticulo("NO'HAY"); });
    EXPECT_EQ(error.description(), "El artículo 'NO'HAY' no existe en la tabla de artículos");

    // Inside a conversion the lookup's error treatment tells it; the conversion gives 0.
    expectErrorTreatment("V_MA_ARTICULOS", "IdArticuloTieneEquivalencias");
    std::string base;
    EXPECT_EQ(ConvierteCantidadAEquiv("NO'HAY", base, 3, "CJ"), 0);
    EXPECT_NE(errorLog().find("no existe en la tabla de art"), std::string::npos) << errorLog();
}

TEST_F(UnitEquivalences, AMissingTableGoesToTheLookupsErrorTreatment)
{
    execute({"DROP TABLE S_TA_EQUIV"});
    std::string base = "UN";
    EXPECT_EQ(ConvierteCantidadAEquiv("ART1", base, 0, "CJ"), 0);  // nothing to convert: no reading

    expectErrorTreatment("Recordset", "IdArticuloTieneEquivalencias");
    EXPECT_EQ(ConvierteCantidadAEquiv("ART1", base, 3, "CJ"), 0);
}

class RowEquivalences : public UnitEquivalences {
protected:
    void SetUp() override
    {
        UnitEquivalences::SetUp();
        saved = {gUnidadBL, gUnidadM3, gUnidadKG};
        gUnidadBL = "CJ";
        gUnidadM3 = "M3";
        gUnidadKG = "";  // not configured
        grid.setCols(92);
        grid.setRows(2);
    }
    void TearDown() override
    {
        gUnidadBL = saved[0];
        gUnidadM3 = saved[1];
        gUnidadKG = saved[2];
        UnitEquivalences::TearDown();
    }

    std::array<std::string, 3> saved;
    ui::FlexGrid grid;
};

TEST_F(RowEquivalences, ARowGetsItsQuantityInTheConfiguredUnits)
{
    struct Case {
        const char* articulo;
        const char* unit;
        const char* quantity;
        const char* packages;  // column 63
        const char* cubicMetres;  // column 62
    } const cases[] = {
        {"ART1", "  UN", "3", "36", "0.75"},
        {"ART1", "   ", "3", "36", "0.75"},  // a blank unit is the article's
        {"ART1", "UN", "abc", "0", "0"},     // no number reads 0
        {"ART1", "KG", "3", "0", "0"},       // no equivalence
        {"ART2", "UN", "24", "2", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.articulo) + " " + c.quantity + " " + c.unit);
        grid.setRow(1);
        grid.setTextMatrix(1, 0, article(c.articulo));
        grid.setTextMatrix(1, 5, c.unit);
        grid.setTextMatrix(1, 7, c.quantity);
        CalculaEquivalenciasFila(grid);
        EXPECT_EQ(grid.textMatrix(1, 63), c.packages);
        EXPECT_EQ(grid.textMatrix(1, 62), c.cubicMetres);
        EXPECT_EQ(grid.textMatrix(1, 64), "0");
        EXPECT_EQ(grid.textMatrix(1, 5), c.unit);  // the blank unit stays blank in the grid
    }
}

}  // namespace
