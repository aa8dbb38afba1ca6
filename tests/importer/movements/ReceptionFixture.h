#pragma once
// What the reception tests share: the purchase-order fixture with the "IR" and "PE" booklets, articles A1,
// A2, C1 and D'1, received legacy lines, and the rows the reception phase wrote, read back.

#include "tests/importer/movements/PurchaseOrderFixture.h"

#include <fmt/format.h>
#include <initializer_list>

// A received order line: `bulks` and `units` received of article `code` on order (nume, 4) of supplier 123.
inline testing_support::LegacyRow receivedLine(std::string_view nume, std::string_view code, std::string_view bulks,
                                               std::string_view units, const testing_support::LegacyRow& changes = {})
{
    using namespace testing_support;
    return with(orderLine(nume, "4",
                          {{"CODI_FOD", text(code)},
                           {"PIEZ_FOD", number(bulks)},
                           {"UNID_FOD", number(units)},
                           {"TPRE_FOD", number("50")},
                           {"PRET_FOD", number("500")},
                           {"ESTA_FOD", text("C")},
                           {"ZREC_FOD", number(bulks)},
                           {"CREC_FOD", number(units)}}),
                changes);
}

// An order line of article `code` on order (nume, 4) of supplier 123 that was not received.
inline testing_support::LegacyRow notReceived(std::string_view nume, std::string_view code)
{
    return testing_support::with(orderLine(nume, "4"), {{"CODI_FOD", testing_support::text(code)}});
}

inline std::string padded(std::string_view code) { return std::string(25 - code.size(), ' ') + std::string(code); }

class Receptions : public PurchaseOrders {
public:
    void SetUp() override
    {
        PurchaseOrders::SetUp();
        for (const char* statement : {
                 "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PIVA', '21')",
                 "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PIVARec', '0')",
                 "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('MotivoStockDefault', '   5')",
                 "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, ES, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, "
                 "X_ULTIMO_NRO) VALUES ('  IR', 1, 'X', 'STOCK', 'E', 1, 1, 99999999, 0)",
                 "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, ES, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, "
                 "X_ULTIMO_NRO) VALUES ('  PE', 1, 'X', 'STOCK', 'E', 1, 1, 99999999, 0)",
             })
            execute(statement);
        addArticle("A1", "Tornillo", "1.1.05");
        addArticle("A2", "Tuerca", "1.1.05");
        addArticle("C1", "Arandela", "");
        addArticle("D'1", "Pintura D'Ale", "1.1.07");
    }

    static void addArticle(std::string_view code, std::string_view description, std::string_view costAccount)
    {
        execute(fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, COSTO, CUENTACONTABLEC) VALUES "
                            "('{}', '{}', '  UN', 3.5, {})",
                            quoted(article(code)), quoted(description),
                            costAccount.empty() ? "NULL" : fmt::format("'{}'", costAccount)));
    }

    // A purchase-order voucher an earlier run left, of this account.
    static void storedOrder(std::string_view id, std::string_view account)
    {
        execute(fmt::format("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, CUENTA) VALUES ('  OC', '{}', '{}')", id, account));
    }

    // The entries of stock movements on, against motive 5 of account 2.1.01.
    static void entriesOn()
    {
        execute("UPDATE TA_CONFIGURACION SET VALOR = 'SI' WHERE CLAVE = 'AsientosXStock'");
        execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) SELECT 'AsientosXStock', 'SI' WHERE NOT EXISTS (SELECT 1 "
                "FROM TA_CONFIGURACION WHERE CLAVE = 'AsientosXStock')");
        execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('MotivoStockRecepcionOC', '   5')");
        execute("INSERT INTO TA_MOTIVOSTOCK (IDMOTIVOSTOCK, DESCRIPCION, CUENTACONTABLE) VALUES ('   5', 'Recep OC', "
                "'2.1.01')");
    }

    // Article A1 is made with 3 C1 each; C1's lots in CD61 hold these quantities.
    static void componentWithLots(std::initializer_list<std::string_view> lots)
    {
        execute(fmt::format("INSERT INTO MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES "
                            "('{}', '{}', '  UN', 3)",
                            article("A1"), article("C1")));
        int n = 0;
        for (std::string_view quantity : lots)
            execute(fmt::format("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, CANTIDAD) VALUES "
                                "('{}', 'CD61', '{:>25}', {})",
                                article("C1"), "L" + std::to_string(++n), quantity));
    }

    // The movements, each as its main columns.
    std::vector<ColumnValues> movements()
    {
        return records("SELECT TC, IDCOMPROBANTE, SECUENCIA, FECHA, IDDEPOSITO, IDARTICULO, DESCRIPCION, NROLOTE, NROSERIE, "
                       "IDUNIDAD, CAST(CANTIDAD AS float) AS CANTIDAD, CAST(CANTIDADUD AS float) AS CANTIDADUD, "
                       "IDUNIDADBASE, CUENTAPROVEEDOR, TC_ORIGEN, IDCOMPROBANTE_ORIGEN, "
                       "CAST(EQUIV_UDBASE AS float) AS EQUIV_UDBASE, CAST(PRECIOVENTA AS float) AS PRECIOVENTA, "
                       "CAST(IMPORTE_S_IVA AS float) AS IMPORTE_S_IVA, CAST(COSTO AS float) AS COSTO FROM V_MV_STOCK "
                       "ORDER BY ID");
    }

    std::vector<ColumnValues> entryLines()
    {
        return records("SELECT TC, SUCURSAL, NUMERO, LETRA, CUENTA, [DEBE-HABER] AS LADO, CAST(IMPORTE AS float) AS "
                       "IMPORTE, [NUMERO ASIENTO] AS ASIENTO FROM MV_ASIENTOS ORDER BY ID");
    }

    std::vector<ColumnValues> marks()
    {
        return records("SELECT IDARTICULO, CONTROLADOPOR FROM C_MV_CPTEINSUMOS ORDER BY ID");
    }

    static std::string next(std::string_view code)
    {
        return rows(fmt::format("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '{}'", code))[0][0];
    }

    // From now on the line phase's database refuses the lines of article `code`.
    void refuseLinesOf(std::string_view code) { refuse("MV_CPTEINSUMOS", "IDARTICULO", padded(code)); }

    // Every table the road writes, as one text to compare runs with.
    std::string snapshot()
    {
        std::string out;
        for (const char* table : {"V_MV_STOCK", "MV_ASIENTOS", "C_MV_CPTE", "C_MV_CPTEINSUMOS", "V_TA_CPTE",
                                  "V_MV_CTROL_CPTE", "AUX_ERR"}) {
            out += table;
            for (const auto& row : rows(std::string("SELECT * FROM ") + table + " ORDER BY 1")) {
                out += "\n";
                for (const auto& value : row) out += value + "|";
            }
            out += "\n";
        }
        return out;
    }
};
