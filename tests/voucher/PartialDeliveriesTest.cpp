// What an article line of a delivery note or an order loads as its quantity when it is delivered in parts:
// what is still to deliver (the voucher's quantity less its own stock movements), or the line less what
// vouchers made from it applied.

#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "tests/voucher/VoucherLoadingFixture.h"

#include <optional>

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
