// Which vouchers the query window lists: the statement chosen by type, pending list, filter and the two
// delivery-note settings, each source listing a different set of the fixture's vouchers; and what an
// "OC" filter keeps of the word "where".

#include "dialogs/VoucherQueryTables.h"
#include "numbering/NumberingQueries.h"
#include "tests/dialogs/VoucherQueryFixture.h"

namespace {

struct SelectionCase {
    std::string TC, Filtro;
    bool contado = false, parcial = false;
    std::vector<std::string> listed;  // the vouchers' numbers, in the list's order
};

void PrintTo(const SelectionCase& c, std::ostream* os) {
    *os << asName(c.TC) << (c.Filtro.empty() ? "" : "_filtered") << (c.contado ? "_cash" : "") << (c.parcial ? "_partial" : "");
}

class Selection : public VoucherQuery, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(Selection, ListsTheVouchersOfItsSource) {
    const SelectionCase& c = GetParam();
    vouchers();
    if (c.contado) setting("UsaRemitoContado", "si");
    if (c.parcial) setting("EntregaParcialRemito", "SI");
    FrmConsComprobantes form;
    load(form, c.TC, c.Filtro);
    EXPECT_EQ(column(form, "COMPROBANTE"), c.listed) << form.sentencia();
    EXPECT_TRUE(form.hidden() == false);
}

INSTANTIATE_TEST_SUITE_P(
    VoucherQuery, Selection,
    ::testing::Values(
        // Pending purchase delivery notes, with a filter and without one (which the ERP could not run).
        SelectionCase{"RM/PENDIENTES_COMPRAS", "CUENTA = '1'", false, false, {"RMC1"}},
        SelectionCase{"RM/PENDIENTES_COMPRAS", "", false, false, {"RMC1"}},
        // Pending delivery notes: the open-notes view leaves void ones out, the headers' finished mark does not.
        SelectionCase{"RM/PENDIENTES", "CUENTA <> '9'", true, false, {"RM1"}},
        SelectionCase{"RM/PENDIENTES", "CUENTA <> '9'", false, false, {"RM3", "RM1"}},
        SelectionCase{"RM/PENDIENTES", "", true, false, {"RM1"}},
        SelectionCase{"RM/PENDIENTES", "", true, true, {"RM3", "RM1"}},
        SelectionCase{"RM/PENDIENTES", "", false, false, {"RM3", "RM1"}},
        // Third parties' vouchers ignore the filter.
        SelectionCase{"T3", "no es SQL", false, false, {"T3B", "T3A"}},
        // Supplier entries: the filter's lines, or the first line of each entry.
        SelectionCase{"NCPE", "CUENTA = '1140101001'", false, false, {"000100000001A"}},
        SelectionCase{"NCPE", "", false, false, {"000100000001A", "000100000002A"}},
        // Purchase vouchers, and a purchase delivery note that is not a pending list.
        SelectionCase{"FCC", "CUENTA = '2110101002'", false, false, {"FCC2"}},
        SelectionCase{"FCC", "", false, false, {"FCC2", "FCC1"}},
        SelectionCase{"RMC", "", false, false, {"RMC2", "RMC1"}},
        // Work orders, pending or not, come from the open orders' view.
        SelectionCase{"OT/PENDIENTES", "CUENTA = '1'", false, false, {"OT1"}},
        SelectionCase{"OT/PENDIENTES", "", false, false, {"OT1"}},
        SelectionCase{"OT", "CUENTA = '1'", false, false, {"OT1"}},
        SelectionCase{"OT", "", false, false, {"OT1"}},
        // Pending orders leave finished and void ones out.
        SelectionCase{"NP/PENDIENTES", "CUENTA = '1'", false, false, {"NP2", "NP1"}},
        SelectionCase{"NP/PENDIENTES", "", false, false, {"NP2", "NP1"}},
        // Pending budgets: approved and open only.
        SelectionCase{"PR/PENDIENTES", "CUENTA = '1'", false, false, {"PR1"}},
        SelectionCase{"PR/PENDIENTES", "", false, false, {"PR1"}},
        // Purchase orders: approved, open and not void.
        SelectionCase{"OC", "CUENTA = '2110101002'", false, false, {"OC4"}},
        SelectionCase{"OC", "", false, false, {"OC4", "OC1"}},
        // Any other type reads every voucher of its type.
        SelectionCase{"FC", "IDCOMPLEMENTO = 2", false, false, {"FC1"}},
        SelectionCase{"FC", "", false, false, {"FC2", "FC1"}},
        SelectionCase{"FC/ANTICIPOS", "", false, false, {"FC2", "FC1"}},
        SelectionCase{"RM", "", false, false, {"RM3", "RM2", "RM1"}},
        SelectionCase{"NP", "  ", false, false, {"NP3", "NP2", "NP1"}},
        SelectionCase{"ZZ", "", false, false, {"ZZ1"}},
        SelectionCase{"oc", "", false, false, {"OC4", "OC1"}},
        SelectionCase{"NCC", "", false, false, {}}));

// The statement table row by row: the statement each case builds, with the type in four characters as a
// literal.
TEST(VoucherQueryStatements, EachRowBuildsItsStatement) {
    using consulta::Seleccion;
    struct Row {
        Seleccion seleccion;
        int fila;
        std::string sentencia;
    };
    const std::string f = "CUENTA = '1'";
    const std::vector<Row> rows = {
        {{"RMC", true, true}, 1,
         " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = ' RMC' AND CUENTA = '1' ORDER BY IDCOMPROBANTE DESC"},
        {{"RMC", true, false}, 1,
         " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = ' RMC' ORDER BY IDCOMPROBANTE DESC"},
        {{"RM", true, true, true}, 2,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_RemitosPendientes WHERE TC = '  RM' AND CUENTA = '1' ORDER BY IDCOMPROBANTE DESC"},
        {{"RM", true, true, false}, 3,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = '  RM' AND CUENTA = '1'  AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"},
        {{"RM", true, false, true, false}, 4,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_RemitosPendientes WHERE TC = '  RM' ORDER BY IDCOMPROBANTE DESC"},
        {{"RM", true, false, true, true}, 5,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = '  RM' AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"},
        {{"t3 ", false, true}, 6, "SELECT * FROM V_MV_CPTETERCEROS ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO"},
        {{"NDPR", false, true}, 7,
         "SELECT * FROM MV_ASIENTOS WHERE TC = 'NDPR' AND CUENTA = '1' ORDER BY SUCURSAL, NUMERO, LETRA DESC "},
        {{"NCPE", false, false}, 8,
         "SELECT * FROM MV_ASIENTOS WHERE TC = 'NCPE' AND SECUENCIA = 1 ORDER BY SUCURSAL, NUMERO, LETRA DESC"},
        {{"NDC", false, true}, 9, "SELECT * FROM C_MV_CPTE WHERE TC = ' NDC' AND CUENTA = '1' ORDER BY IDCOMPROBANTE DESC "},
        {{"RMC", false, false}, 10, "SELECT * FROM C_MV_CPTE WHERE TC = ' RMC' ORDER BY IDCOMPROBANTE DESC"},
        {{"OT", true, true}, 11,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento,ID,FECHA, Importe FROM V_OT_Pendientes WHERE TC = '  OT' AND CUENTA = '1' ORDER BY IDCOMPROBANTE DESC"},
        {{"OT", true, false}, 11,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento,ID,FECHA, Importe FROM V_OT_Pendientes WHERE TC = '  OT' ORDER BY IDCOMPROBANTE DESC"},
        {{"OT", false, true}, 12,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, Importe FROM V_OT_Pendientes WHERE TC = '  OT' AND CUENTA = '1' ORDER BY IDCOMPROBANTE DESC"},
        {{"OT", false, false}, 13,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, Importe FROM V_OT_Pendientes WHERE TC = '  OT'  ORDER BY IDCOMPROBANTE DESC"},
        {{"NP", true, true}, 14,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, FechaPreparacion FROM V_MV_CPTE WHERE TC = '  NP' AND CUENTA = '1' AND FINALIZADA = 0 and anulada = 0 ORDER BY IDCOMPROBANTE DESC"},
        {{"NP", true, false}, 15,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe,FechaPreparacion FROM V_MV_CPTE WHERE TC = '  NP' AND FINALIZADA = 0 and anulada = 0 ORDER BY IDCOMPROBANTE DESC"},
        {{"PR", true, true}, 16,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_MV_CPTE WHERE TC = '  PR' AND APROBADO = 1 AND CUENTA = '1' AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"},
        {{"PR", true, false}, 17,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_PR_PENDIENTES WHERE TC = '  PR' AND APROBADO = 1 ORDER BY IDCOMPROBANTE DESC"},
        {{"OC", false, true}, 18,
         " SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, comentarios, Garantia FROM C_MV_CPTE WHERE TC = '  OC' AND (APROBADO = 1) AND (FINALIZADO = 0) AND (ANULADA = 0) AND CUENTA = '1' ORDER BY IDCOMPROBANTE DESC"},
        {{"OC", false, false}, 18,
         " SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, comentarios, Garantia FROM C_MV_CPTE WHERE TC = '  OC' AND (APROBADO = 1) AND (FINALIZADO = 0) AND (ANULADA = 0) ORDER BY IDCOMPROBANTE DESC"},
        {{"NP", false, true}, 19,
         "SELECT * FROM V_MV_CPTE WHERE TC = '  NP' AND CUENTA = '1' ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  "},
        {{"FC", false, false}, 20, "SELECT * FROM V_MV_CPTE WHERE TC = '  FC' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC"},
    };
    for (const Row& row : rows) {
        const consulta::FilaSentencia& fila = consulta::filaSentencia(row.seleccion);
        const std::string type4 = numbering::codigo4(row.seleccion.TC);
        EXPECT_EQ(fila.fila, row.fila) << row.seleccion.TC;
        EXPECT_EQ(consulta::armaSentencia(fila, type4, row.seleccion.conFiltro ? f : ""), row.sentencia) << row.fila;
    }
}

// The type is a value in the statement, whatever it holds: a type with an apostrophe lists no voucher and
// reaches the database as a statement that runs (no error box), also where its text would end the literal.
TEST_F(VoucherQuery, ATypeHoldingAnApostropheListsNothing) {
    vouchers();
    for (const char* tc : {"R'M", "'", "x' OR TC <> '", "OT/PENDIENTES'"}) {
        FrmConsComprobantes form;
        load(form, tc, "");
        EXPECT_EQ(form.ListView1.itemCount(), 0) << form.sentencia();
        EXPECT_FALSE(form.hidden()) << tc;
    }
}

// "where" goes from an "OC" filter only where it stands as a word outside quoted values.
TEST_F(VoucherQuery, AnOrderFilterLosesTheWordWhereOnly) {
    vouchers();
    voucher([] { Cpte c("OC", "OC5", "2110101003"); c.NOMBRE = "Somewhere"; return c; }());
    struct Case {
        std::string filtro, queda;
        std::vector<std::string> listed;
    };
    const std::vector<Case> cases = {
        {"where CUENTA = '2110101002'", " CUENTA = '2110101002'", {"OC4"}},
        {"WHERE", "", {"OC5", "OC4", "OC1"}},
        {"NOMBRE = 'Somewhere'", "NOMBRE = 'Somewhere'", {"OC5"}},
        {"NOMBRE LIKE '%where%'", "NOMBRE LIKE '%where%'", {"OC5"}},
    };
    for (const Case& c : cases) {
        FrmConsComprobantes form;
        load(form, "OC", c.filtro);
        EXPECT_EQ(form.Filtro, c.queda) << c.filtro;
        EXPECT_EQ(column(form, "COMPROBANTE"), c.listed) << form.sentencia();
    }
}

}  // namespace
