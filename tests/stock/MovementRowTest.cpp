// The columns of a movement row, read back from V_MV_STOCK after the collected batch ran.

#include "core/Configuracion.h"
#include "tests/stock/StockPostingFixture.h"

#include <fmt/format.h>
#include <functional>
#include <gtest/gtest.h>

namespace {

class MovementRowTest : public StockPostingFixture {
protected:
    // Posts the grid with the arguments and answers the rows of `columns`, values as `valores` gives them.
    Rows posted(Posteo& a, const std::string& columns)
    {
        ClsCmnCptes motor;
        postea(motor, a);
        EXPECT_FALSE(a.HayError);
        EXPECT_TRUE(ejecutaLote(a.SQLTemp));
        return valores("SELECT " + columns + " FROM V_MV_STOCK ORDER BY ID");
    }
};

TEST_F(MovementRowTest, TheReceptionRoadWritesTheOrdersLineAsReceived)
{
    configura("PIVA", "21");
    linea({{19, ""}});
    Posteo a;
    const Rows written = posted(a,
        "TC, IDCOMPROBANTE, IDCOMPLEMENTO, SECUENCIA, IDCAJA, IDDEPOSITO, IDDEPOSITO_DESTINO, IDARTICULO, DESCRIPCION, "
        "NROLOTE, CONTROLADOPOR, IDORIGEN, NROSERIE, IDUNIDAD, CANTIDAD, CANTIDADUD, IDUNIDADBASE, CUENTAPROVEEDOR, "
        "IDMOTIVOSTOCK, PRECIOVENTA, IMPORTE_S_IVA, COSTO, IMPUESTOS, DTOITEM, TC_ORIGEN, IDCOMPROBANTE_ORIGEN, "
        "ID_ORIGEN, IVARI, IVARNI, IDTECNICO, EQUIV_UDBASE, IDINSERT, IDCOMPULSA, OFERTA, IDVENDEDOR, IMPORTE_UD, "
        "UD_PR, ENCOMODATO");
    EXPECT_EQ(written, (Rows{{"IR", "000100000001X", "0", "1", "1", "CD61", "NULL", "A1", "", "NULL", "", "NULL", "NULL",
                              "UN", "10", "10", "UN", "211010157", "NULL", "50", "50", "40", "0", "0", "OC",
                              "000100001234C", "0", "21", "0", "NULL", "1", "0", "0", "0", "", "0", "", "0"}}));
    // Codes keep their alignment: right, in four.
    EXPECT_EQ(rows("SELECT TC, IDCAJA, IDUNIDAD, IDUNIDADBASE, TC_ORIGEN, FECHA FROM V_MV_STOCK"),
              (Rows{{"  IR", "   1", "  UN", "  UN", "  OC", "07/03/2026"}}));
    EXPECT_EQ(grilla->textMatrix(1, 8), "1");
    EXPECT_EQ(grilla->textMatrix(1, 76), "0");
}

TEST_F(MovementRowTest, EachColumnFollowsItsRule)
{
    struct Case {
        std::string name;
        std::map<long, std::string> cells;
        std::function<void(Posteo&)> arguments;
        std::vector<std::pair<std::string, std::string>> settings;
        std::string column;
        std::string expected;
    };
    const auto none = [](Posteo&) {};
    const std::string longText = "O'" + std::string(98, 'a') + "'" + std::string(49, 'b');
    const std::vector<Case> cases{
        {"a purchases voucher has no complement", {}, [](Posteo& a) { a.TC = "RMC"; }, {}, "IDCOMPLEMENTO", "NULL"},
        {"another voucher writes its complement", {}, [](Posteo& a) { a.IdComplemento = " 7"; }, {}, "IDCOMPLEMENTO", "7"},
        {"the line's own warehouse", {{6, "2"}}, none, {}, "IDDEPOSITO", "2"},
        {"an imposed entry keeps the argument's warehouse", {{6, "2"}}, [](Posteo& a) { a.SignoRemota = 1; }, {},
         "IDDEPOSITO", "CD61"},
        {"a blank warehouse takes the configured one", {}, [](Posteo& a) { a.IdDeposito = " "; },
         {{"DepositoDefault", "DF"}}, "IDDEPOSITO", "DF"},
        {"a warehouse from the grid, blank, takes the configured one", {}, [](Posteo& a) { a.IdDeposito = "eldelgrid"; },
         {{"DepositoDefault", "DF"}}, "IDDEPOSITO", "DF"},
        {"a warehouse from the grid, blank, and no configured one", {}, [](Posteo& a) { a.IdDeposito = "ELDELGRID"; },
         {{"DepositoDefault", "  "}}, "IDDEPOSITO", "NULL"},
        {"not a transfer: no destination", {}, [](Posteo& a) { a.IdDepositoDestino = "9"; }, {}, "IDDEPOSITO_DESTINO",
         "NULL"},
        {"a long description is cut before its apostrophes go", {{1, longText}}, none, {}, "DESCRIPCION",
         "O" + std::string(98, 'a')},
        {"the line's origin lot", {{36, "7"}}, none, {}, "IDORIGEN", "7"},
        {"the argument's origin lot", {}, [](Posteo& a) { a.LoteOrigen = "8"; }, {}, "IDORIGEN", "8"},
        {"the line's controlling code", {{87, "CP"}, {37, "AD1"}}, none, {}, "CONTROLADOPOR", "CP"},
        {"the line's customs lot", {{37, "AD1"}}, [](Posteo& a) { a.Aduana = "AX"; }, {}, "CONTROLADOPOR", "AD1"},
        {"the argument's customs lot", {}, [](Posteo& a) { a.Aduana = "AX"; }, {}, "CONTROLADOPOR", "AX"},
        {"a blank unit", {{5, " "}}, none, {}, "IDUNIDAD", "NULL"},
        {"a weighable article without base unit: no base quantity", {{76, "1"}, {41, ""}}, none, {}, "CANTIDADUD", "NULL"},
        {"a weighable article without base unit: no base unit", {{76, "1"}, {41, ""}}, none, {}, "IDUNIDADBASE", "NULL"},
        {"the equivalent unit's quantity", {{9, "CJ"}, {10, "2"}}, none, {{"ConfirmaUDEquiv", "si"}}, "CANTIDADUD", "2"},
        {"the equivalent unit", {{9, "CJ"}, {10, "2"}}, none, {{"ConfirmaUDEquiv", "SI"}}, "IDUNIDADBASE", "CJ"},
        {"a weighable article keeps its base unit", {{76, "1"}, {9, "CJ"}, {10, "2"}}, none, {{"ConfirmaUDEquiv", "SI"}},
         "CANTIDADUD", "10"},
        {"no account: none written", {}, [](Posteo& a) { a.Cuenta = " null "; }, {}, "CUENTAPROVEEDOR", "NULL"},
        {"an empty account is written empty", {}, [](Posteo& a) { a.Cuenta = ""; }, {}, "CUENTAPROVEEDOR", ""},
        {"the motive argument", {}, [](Posteo& a) { a.IdMotivoStock = "5"; }, {}, "IDMOTIVOSTOCK", "5"},
        {"the configured motive", {}, none, {{"MotivoStockDefault", "9"}}, "IDMOTIVOSTOCK", "9"},
        {"a blank configured motive", {}, none, {{"MotivoStockDefault", "   "}}, "IDMOTIVOSTOCK", "NULL"},
        {"the line's motive", {{86, "5"}}, [](Posteo& a) { a.IdMotivoStock = "ELDELGRID"; }, {}, "IDMOTIVOSTOCK", "5"},
        {"the line's blank motive takes the configured one", {{86, ""}}, [](Posteo& a) { a.IdMotivoStock = "ELDELGRID"; },
         {{"MotivoStockDefault", "9"}}, "IDMOTIVOSTOCK", "9"},
        {"the line's origin type", {{34, "OC  000100001234C"}}, [](Posteo& a) { a.TcOrigen = "ELDELGRID"; }, {},
         "TC_ORIGEN", "OC"},
        {"the line's origin voucher", {{34, "OC  000100001234C"}}, [](Posteo& a) { a.ComprobanteOrigen = "ELDELGRID"; },
         {}, "IDCOMPROBANTE_ORIGEN", "000100001234C"},
        {"no origin", {}, [](Posteo& a) { a.TcOrigen = " "; }, {}, "TC_ORIGEN", "NULL"},
        {"a line without rate takes the general one", {{33, "0"}, {16, "0"}}, none, {{"PIVA", "21"}}, "IVARI", "21"},
        {"an exempt line has no rate", {{33, "0"}, {16, "-1"}}, none, {{"PIVA", "21"}}, "IVARI", "0"},
        {"a rate with a decimal comma", {{33, "10,5"}}, none, {{"PIVA", "21"}}, "IVARI", "10.5"},
        {"a number with a decimal comma", {{11, "1,5"}}, none, {}, "DTOITEM", "1.5"},
        {"an empty number", {{13, ""}}, none, {}, "IMPORTE_UD", "0"},
        {"a technician", {}, [](Posteo& a) { a.IdTecnico = "7"; }, {}, "IDTECNICO", "7"},
        {"the line's coefficient", {{8, "12"}}, none, {}, "EQUIV_UDBASE", "12"},
        {"a salesman", {}, [](Posteo& a) { a.IdVendedor = "3"; }, {}, "IDVENDEDOR", "3"},
        {"a price unit", {{12, "KG"}}, none, {}, "UD_PR", "KG"},
        {"a line on loan", {{88, "1"}}, none, {}, "ENCOMODATO", "1"},
    };
    int voucher = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        execute("DELETE FROM TA_CONFIGURACION");
        execute("DELETE FROM V_MV_STOCK");
        for (const auto& [clave, valor] : c.settings) configura(clave, valor);
        nuevaGrilla();
        linea(c.cells);
        Posteo a;
        a.SucNroLetra = fmt::format("0001{:08}X", ++voucher);
        c.arguments(a);
        EXPECT_EQ(posted(a, c.column), (Rows{{c.expected}}));
    }
}

TEST_F(MovementRowTest, ApostrophesStayInEveryTextTheyMayStandIn)
{
    const std::string y = base::characterOfCode(255);
    linea({{0, "A'1"}, {1, "D'Angelo"}, {5, "U'"}, {12, "P'"}, {19, "1"}, {22, "|L'1" + y + "S'1|"}, {7, "1"},
           {87, "C'P"}, {36, "O'"}, {41, "B'"}});
    linea({{0, "A'2"}, {37, "X'Y"}});
    Posteo a;
    a.SucNroLetra = "0001'000001X";
    a.IdDeposito = "D'";
    a.IdMotivoStock = "M'";
    a.TcOrigen = "O'";
    a.ComprobanteOrigen = "C'1";
    a.Cuenta = "21'1";
    a.IdTecnico = "T'";
    a.IdVendedor = "V'";
    a.Aduana = "A'D";
    EXPECT_EQ(posted(a, "IDCOMPROBANTE, IDDEPOSITO, IDARTICULO, DESCRIPCION, NROLOTE, CONTROLADOPOR, IDORIGEN, NROSERIE, "
                        "IDUNIDAD, IDUNIDADBASE, CUENTAPROVEEDOR, IDMOTIVOSTOCK, TC_ORIGEN, IDCOMPROBANTE_ORIGEN, "
                        "IDTECNICO, IDVENDEDOR, UD_PR"),
              (Rows{{"0001'000001X", "D'", "A'1", "DAngelo", "L'1", "C'P", "O'", "S'1", "U'", "B'", "21'1", "M'", "O'",
                     "C'1", "T'", "V'", "P'"},
                    {"0001'000001X", "D'", "A'2", "", "NULL", "XY", "NULL", "NULL", "UN", "UN", "21'1", "M'", "O'", "C'1",
                     "T'", "V'", ""}}));
    // Lots and serial numbers are held right-aligned in 25.
    EXPECT_EQ(rows("SELECT NROLOTE, NROSERIE FROM V_MV_STOCK WHERE NROLOTE IS NOT NULL"),
              (Rows{{c25("L'1"), c25("S'1")}}));
}

TEST_F(MovementRowTest, AnArticlesOwnSupplierAccountOrNone)
{
    execute("INSERT INTO MA_ARTICULOS (IDARTICULO, CUENTAPROVEEDOR) VALUES (" + gDB_Dll().SQLValue(c25("A2")) +
            ", '211010157')");
    execute("INSERT INTO MA_ARTICULOS (IDARTICULO) VALUES (" + gDB_Dll().SQLValue(c25("A1")) + ")");
    linea();
    linea({{0, "A2"}});
    linea({{0, "A1"}});
    Posteo a;
    a.Cuenta = "PorDefault";
    EXPECT_EQ(posted(a, "IDARTICULO, CUENTAPROVEEDOR"),
              (Rows{{"A1", "NULL"}, {"A2", "211010157"}, {"A1", "NULL"}}));
    EXPECT_EQ(a.Cuenta, "PorDefault");
}

TEST_F(MovementRowTest, TheCashRegisterLosesItsApostrophesAndABlankOneIsNone)
{
    linea();
    Posteo a;
    gCaja = "1'";
    EXPECT_EQ(posted(a, "IDCAJA"), (Rows{{"1"}}));
    EXPECT_EQ(gCaja, "1");

    execute("DELETE FROM V_MV_STOCK");
    gCaja = "  ";
    Posteo b;
    EXPECT_EQ(posted(b, "IDCAJA"), (Rows{{"NULL"}}));
}

}  // namespace
