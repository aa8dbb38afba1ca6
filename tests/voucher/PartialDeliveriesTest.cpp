// What an article line of a delivery note or an order loads as its quantity when it is delivered in parts:
// what is still to deliver (the voucher's quantity less its own stock movements), or the line less what
// vouchers made from it applied.

#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "tests/voucher/VoucherLoadingFixture.h"

#include <fmt/format.h>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct DeliveryCase {
    const char* name;
    const char* TC;                    // as the caller passes it
    std::optional<std::string> flag;   // EntregaParcialRemito; nullopt: not set
    bool compras;
    const char* reparto;               // the header's IDREPARTO
    double ordered;                    // of the article on the voucher, this line included
    double moved;                      // by the voucher's own stock movements
    double applied;                    // by a voucher made from this one
    const char* appliedFrom;           // the type the applying voucher names as its origin
    double quantity;                   // the line's
    bool negated;                      // IdRepartoRM passed as -98
    const char* column7;
    const char* column23;
};

class PartialDeliveries : public VoucherLoadingFixture {
protected:
    static std::string number(int n) { return "0001" + std::string(8 - std::to_string(n).size(), '0') + std::to_string(n) + "R"; }

    void store(const DeliveryCase& c, const std::string& id)
    {
        const std::string TC = gUtilidades().RellenaCodigo(base::trim(c.TC), 4);
        const std::string article = padded("P1");
        const std::string account = c.compras ? "2110101001" : "";
        execute({"DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'EntregaParcialRemito'"});
        if (c.flag) setConfiguration("EntregaParcialRemito", *c.flag);
        header(TC, id, ", IDCOMPLEMENTO, CUENTA, IDREPARTO", ", 0, " + sql(account) + ", " + c.reparto);
        const auto line = [&](double quantity) {
            execute({"INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IDARTICULO, IDUNIDAD, CANTIDAD) "
                     "VALUES (" + sql(TC) + ", " + sql(id) + ", 0, " + sql(account) + ", " + sql(article) + ", '  UN', " +
                     base::doubleToText(quantity) + ")"});
        };
        line(c.quantity);
        if (c.ordered > c.quantity) line(c.ordered - c.quantity);
        if (c.moved != 0)
            execute({"INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, IDARTICULO, CANTIDAD) VALUES (" + sql(TC) + ", " + sql(id) +
                     ", " + sql(article) + ", " + base::doubleToText(-c.moved) + ")"});
        if (c.applied != 0) {
            const std::string invoice = "9" + id.substr(1);
            execute({"INSERT INTO MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TCORIGEN, COMPROBANTEORIGEN, ANULADA) VALUES "
                     "('  FC', " + sql(invoice) + ", 0, " + sql(c.appliedFrom) + ", " + sql(id) + ", 0)",
                     "INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, CANTIDAD) VALUES ('  FC', " +
                         sql(invoice) + ", 0, " + sql(article) + ", " + base::doubleToText(c.applied) + ")"});
        }
    }
};

TEST_F(PartialDeliveries, TheQuantityLoadedIsWhatIsStillToDeliver)
{
    const std::vector<DeliveryCase> cases = {
        {"4 of 10 still to deliver", "RM", "SI", false, "-1", 10, 6, 0, "", 10, false, "4", "4"},
        {"more to deliver than the line", "RM", "SI", false, "-1", 12, 0, 0, "", 10, false, "10", "10"},
        {"nothing left to deliver", "RM", "SI", false, "-1", 10, 10, 0, "", 10, false, "0", "0"},
        {"more moved than ordered", "RM", "SI", false, "-1", 10, 15, 0, "", 10, false, "0", "0"},
        {"a type passed padded and in small letters", "  rm", "SI", false, "-1", 10, 6, 0, "", 10, false, "4", "4"},
        {"an order", "NP", "si", false, "-1", 10, 3, 0, "", 10, false, "7", "7"},
        {"6 applied", "RM", "SI", false, "3", 10, 0, 6, "  RM", 10, false, "4", "4"},
        {"15 applied", "RM", "SI", false, "3", 10, 0, 15, "  RM", 10, false, "0", "-5"},
        {"nothing applied yet", "RM", "SI", false, "3", 10, 0, 0, "", 10, false, "10", "10"},
        {"an order's application under the delivery note's number", "RM", "SI", false, "3", 10, 0, 6, "  NP", 10, false,
         "10", "10"},
        {"no setting allows deliveries in parts", "RM", std::nullopt, false, "3", 10, 0, 6, "  RM", 10, false, "4", "4"},
        {"deliveries in parts refused still deduct what is pending", "RM", "NO", false, "-1", 10, 6, 0, "", 10, false,
         "4", "4"},
        {"deliveries in parts refused apply nothing", "RM", "NO", false, "3", 10, 0, 6, "  RM", 10, false, "10", "10"},
        {"an invoice pending delivery", "FC", "SI", false, "-1", 10, 6, 0, "", 10, false, "4", "4"},
        {"an invoice applies nothing", "FC", "SI", false, "3", 10, 0, 6, "  FC", 10, false, "10", "10"},
        {"a purchase deducts nothing", "RM", "SI", true, "-1", 10, 6, 0, "", 10, false, "10", "10"},
        {"negated, nothing deducted", "FC", "SI", false, "5", 10, 0, 0, "", 10, true, "-10", "10"},
        {"negated with a part delivered", "RM", "SI", false, "-1", 10, 6, 0, "", 10, true, "-16", "4"},
        {"a Null IdReparto deducts nothing", "RM", "SI", false, "NULL", 10, 6, 0, "", 10, false, "10", "10"},
    };
    int n = 0;
    for (const DeliveryCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string id = number(++n);
        store(c, id);
        layOut(base::trim(c.TC));
        std::int32_t reparto = c.negated ? -98 : 0;
        engine->AsignarDatosComprobante(c.TC, id, "0", tasks, articles, others, false, nullptr, c.compras,
                                        c.compras ? "2110101001" : "", &reparto);
        EXPECT_EQ(articles.textMatrix(1, 7), c.column7);
        EXPECT_EQ(articles.textMatrix(1, 23), c.column23);
    }
}

// A stored quantity of an article line, a stock movement or an applying invoice's line: in its own unit,
// in base units (CANTIDADUD) and its equivalence, each "NULL" when not stored.
struct Stored {
    const char* article;
    const char* quantity;
    const char* baseUnits = "NULL";
    const char* equivalence = "NULL";
};

struct Applied {
    Stored line;
    bool isVoid = false;
};

struct SpreadCase {
    const char* name;
    const char* TC;
    const char* reparto;                // the header's IDREPARTO
    std::vector<Stored> lines;          // in line order
    std::vector<Stored> moved;          // the voucher's own stock movements, exits stored negative
    std::vector<Applied> applied;       // each the one line of an invoice made from the voucher
    std::vector<std::pair<std::string, std::string>> columns;  // per line: columns 7 and 23
};

// Delivery notes and orders stored under numbers of their own, loaded one by one with deliveries in parts
// allowed.
class SpreadDeliveries : public PartialDeliveries {
protected:
    void SetUp() override
    {
        PartialDeliveries::SetUp();
        setConfiguration("EntregaParcialRemito", "SI");
    }

    void store(const SpreadCase& c, const std::string& id)
    {
        const std::string TC = gUtilidades().RellenaCodigo(c.TC, 4);
        const auto values = [](const Stored& s) {
            return sql(padded(s.article)) + ", " + s.quantity + ", " + s.baseUnits + ", " + s.equivalence;
        };
        header(TC, id, ", IDCOMPLEMENTO, IDREPARTO", std::string(", 0, ") + c.reparto);
        int pallet = 0;
        for (const Stored& line : c.lines)
            execute({"INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, PALLETS, IDARTICULO, CANTIDAD, "
                     "CANTIDADUD, EQUIV_UDBASE) VALUES (" + sql(TC) + ", " + sql(id) + ", 0, " + std::to_string(++pallet) +
                     ", " + values(line) + ")"});
        for (const Stored& movement : c.moved)
            execute({"INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, IDARTICULO, CANTIDAD, CANTIDADUD, EQUIV_UDBASE) VALUES (" +
                     sql(TC) + ", " + sql(id) + ", " + values(movement) + ")"});
        for (const Applied& a : c.applied) {
            const std::string invoice = fmt::format("0002{:08}A", ++invoices);
            execute({"INSERT INTO MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TCORIGEN, COMPROBANTEORIGEN, ANULADA) VALUES "
                     "('  FC', " + sql(invoice) + ", 0, " + sql(TC) + ", " + sql(id) + ", " + (a.isVoid ? "1" : "0") + ")",
                     "INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, CANTIDAD, CANTIDADUD, "
                     "EQUIV_UDBASE) VALUES ('  FC', " + sql(invoice) + ", 0, " + values(a.line) + ")"});
        }
    }

    void storeEach(const std::vector<SpreadCase>& cases)
    {
        for (std::size_t n = 0; n < cases.size(); ++n) store(cases[n], number(static_cast<int>(n) + 1));
    }

    // Loads each stored case and compares columns 7 and 23 of its lines.
    void expectLoaded(const std::vector<SpreadCase>& cases)
    {
        for (std::size_t n = 0; n < cases.size(); ++n) {
            const SpreadCase& c = cases[n];
            SCOPED_TRACE(c.name);
            layOut(c.TC);
            engine->AsignarDatosComprobante(c.TC, number(static_cast<int>(n) + 1), "0", tasks, articles, others);
            std::vector<std::pair<std::string, std::string>> loaded;
            for (long row = 1; row <= static_cast<long>(c.columns.size()); ++row)
                loaded.emplace_back(articles.textMatrix(row, 7), articles.textMatrix(row, 23));
            EXPECT_EQ(loaded, c.columns);
            EXPECT_EQ(articles.rows(), static_cast<long>(c.lines.size()) + 2);
        }
    }

    int invoices = 0;
};

TEST_F(SpreadDeliveries, WhatWasDeliveredIsTakenOffTheArticlesLinesInOrder)
{
    const std::vector<SpreadCase> cases = {
        // 15 on the note, 4 delivered: 11 still to deliver, 6 + 5 of it on the lines.
        {"two lines, part delivered", "RM", "-1", {{"P1", "10"}, {"P1", "5"}}, {{"P1", "-4"}}, {},
         {{"6", "6"}, {"5", "5"}}},
        {"two lines, nothing delivered", "RM", "-1", {{"P1", "10"}, {"P1", "5"}}, {}, {}, {{"10", "10"}, {"5", "5"}}},
        {"two lines, all delivered", "RM", "-1", {{"P1", "10"}, {"P1", "5"}}, {{"P1", "-15"}}, {},
         {{"0", "0"}, {"0", "0"}}},
        {"two lines, more than all delivered", "RM", "-1", {{"P1", "10"}, {"P1", "5"}}, {{"P1", "-20"}}, {},
         {{"0", "0"}, {"0", "0"}}},
        {"one line, part delivered", "RM", "-1", {{"P1", "10"}}, {{"P1", "-6"}}, {}, {{"4", "4"}}},
        {"an order", "NP", "-1", {{"P1", "10"}, {"P1", "5"}}, {{"P1", "-12"}}, {}, {{"0", "0"}, {"3", "3"}}},
        // 6 applied: the first line gives them all.
        {"two lines, part applied", "RM", "3", {{"P1", "10"}, {"P1", "5"}}, {}, {{{"P1", "6"}}},
         {{"4", "4"}, {"5", "5"}}},
        {"two lines, nothing applied", "RM", "3", {{"P1", "10"}, {"P1", "5"}}, {}, {}, {{"10", "10"}, {"5", "5"}}},
        {"two lines, all applied", "RM", "3", {{"P1", "10"}, {"P1", "5"}}, {}, {{{"P1", "15"}}},
         {{"0", "0"}, {"0", "0"}}},
        // 18 applied: 10 from the first line, the other 8 stay on the last.
        {"two lines, more than all applied", "RM", "3", {{"P1", "10"}, {"P1", "5"}}, {}, {{{"P1", "18"}}},
         {{"0", "0"}, {"0", "-3"}}},
        {"a void invoice is ignored", "RM", "3", {{"P1", "10"}, {"P1", "5"}}, {}, {{{"P1", "6"}}, {{"P1", "5"}, true}},
         {{"4", "4"}, {"5", "5"}}},
        // P1: 15 on the note, 12 delivered: 10 off its first line, 2 off its second. P2: 2 of 7.
        {"another article between them", "RM", "-1", {{"P1", "10"}, {"P2", "7"}, {"P1", "5"}},
         {{"P1", "-12"}, {"P2", "-2"}}, {}, {{"0", "0"}, {"5", "5"}, {"3", "3"}}},
        {"another article between them, applied", "RM", "3", {{"P1", "10"}, {"P2", "7"}, {"P1", "5"}}, {},
         {{{"P1", "12"}}, {{"P2", "2"}}}, {{"0", "0"}, {"5", "5"}, {"3", "3"}}},
        // 2 boxes of 12 are 24 units; 12 units delivered or applied are 1 box.
        {"a line in boxes, a movement in units", "RM", "-1", {{"P1", "2", "24", "12"}}, {{"P1", "-12", "-12", "1"}}, {},
         {{"1", "1"}}},
        {"a line in boxes, an application in units", "RM", "3", {{"P1", "2", "24", "12"}}, {},
         {{{"P1", "12", "12", "1"}}}, {{"1", "1"}}},
        {"a line in boxes without CANTIDADUD, half a box applied", "RM", "3", {{"P1", "2", "NULL", "12"}}, {},
         {{{"P1", "6"}}}, {{"1.5", "1.5"}}},
        {"a third of a box applied", "RM", "3", {{"P1", "2", "24", "12"}}, {}, {{{"P1", "4", "4", "1"}}},
         {{"1.66666666666667", "1.66666666666667"}}},
        // 1 box (12) and 6 units are 18 units; 1 box without CANTIDADUD and 3 units moved are 15: 12 off the
        // box, 3 off the units.
        {"lines in boxes and units, movements without CANTIDADUD", "RM", "-1",
         {{"P1", "1", "12", "12"}, {"P1", "6", "6", "1"}}, {{"P1", "-1", "NULL", "12"}, {"P1", "-3", "-3", "1"}}, {},
         {{"0", "0"}, {"3", "3"}}},
    };
    storeEach(cases);
    expectLoaded(cases);
}

// The article lines are read twice, the second time from the first: so they are also on a connection whose
// recordsets are read as they are walked.
TEST_F(SpreadDeliveries, AConnectionWithServerCursorsLoadsTheSame)
{
    gDB_Dll().gCnn.setCursorLocation(db::CursorLocation::Server);
    const std::vector<SpreadCase> cases = {
        {"two lines, part delivered", "RM", "-1", {{"P1", "10"}, {"P1", "5"}}, {{"P1", "-4"}}, {},
         {{"6", "6"}, {"5", "5"}}},
    };
    storeEach(cases);
    expectLoaded(cases);
}

// Lines and movements with what they lack load with what can be worked out, and a load writes nothing.
TEST_F(SpreadDeliveries, IncompleteLinesAndMovementsLoadWhatCanBeWorkedOut)
{
    addArticle(padded("P1"), "  UN");
    const std::vector<SpreadCase> cases = {
        {"a line with a zero equivalence", "RM", "-1", {{"P1", "10", "NULL", "0"}}, {{"P1", "-4"}}, {}, {{"6", "6"}}},
        {"a movement with a zero equivalence", "RM", "-1", {{"P1", "10"}}, {{"P1", "-4", "NULL", "0"}}, {},
         {{"6", "6"}}},
        {"a line without a quantity", "RM", "-1", {{"P1", "NULL", "NULL", "12"}, {"P1", "10"}}, {{"P1", "-4"}}, {},
         {{"0", "0"}, {"6", "6"}}},
        // What the first line cannot give stays on the last, which holds nothing.
        {"a last line without a quantity", "RM", "3", {{"P1", "10"}, {"P1", "NULL", "NULL", "0"}}, {},
         {{{"P1", "12"}}}, {{"0", "0"}, {"0", "-2"}}},
        // 24 units stored as 2 of the line's unit: 12 units are 1 of them.
        {"a line with CANTIDADUD but no equivalence", "RM", "3", {{"P1", "2", "24"}}, {}, {{{"P1", "12"}}},
         {{"1", "1"}}},
        {"an article the master lacks", "RM", "-1", {{"ZZ", "10"}}, {{"ZZ", "-4"}}, {}, {{"6", "6"}}},
    };
    const auto stored = [] {
        return std::vector{rows("SELECT * FROM MV_CPTE ORDER BY ID"), rows("SELECT * FROM MV_CPTEINSUMOS ORDER BY ID"),
                           rows("SELECT * FROM V_MV_STOCK ORDER BY ID")};
    };
    storeEach(cases);
    const auto before = stored();
    expectLoaded(cases);
    EXPECT_EQ(stored(), before);
}

TEST_F(PartialDeliveries, WhatIsStillToDeliverNeverGoesBelowNothing)
{
    const std::string article = padded("P1");
    execute({"INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDARTICULO, CANTIDAD) VALUES ('  RM', '000100000001R', " +
                 sql(article) + ", 10)",
             "INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDARTICULO, CANTIDAD) VALUES ('  RM', '000100000001R', " +
                 sql(article) + ", 2.5)",
             "INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, IDARTICULO, CANTIDAD) VALUES ('  RM', '000100000001R', " +
                 sql(article) + ", -4)",
             "INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, IDARTICULO, CANTIDAD) VALUES ('  RM', '000100000002R', " +
                 sql(article) + ", -40)"});
    EXPECT_DOUBLE_EQ(engine->CantRepartoPend("RM", " 000100000001R ", "P1"), 8.5);
    EXPECT_DOUBLE_EQ(engine->CantRepartoPend("  RM", "000100000001R", article), 8.5);
    // Moved but never ordered; neither ordered nor moved.
    EXPECT_DOUBLE_EQ(engine->CantRepartoPend("RM", "000100000002R", "P1"), 0);
    EXPECT_DOUBLE_EQ(engine->CantRepartoPend("RM", "000100000003R", "P1"), 0);
    EXPECT_DOUBLE_EQ(engine->CantRepartoPend("FC", "000100000001R", "P1"), 0);
}

}  // namespace
