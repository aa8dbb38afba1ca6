// The query list's columns per voucher type, and what each row shows under each caption and as image.

#include "tests/dialogs/VoucherQueryFixture.h"

namespace {

using Cells = std::vector<std::pair<std::string, std::string>>;

struct ColumnsCase {
    std::string TC;
    bool referencia;
    std::vector<std::string> captions;
    std::vector<long> xs;  // widths in capital X
};

void PrintTo(const ColumnsCase& c, std::ostream* os) { *os << asName(c.TC) << (c.referencia ? "_reference" : ""); }

class Columns : public VoucherQuery, public ::testing::WithParamInterface<ColumnsCase> {};

TEST_P(Columns, CaptionsAndWidthsByType) {
    const ColumnsCase& c = GetParam();
    if (c.referencia) setting("UsaReferenciaPresupuestos", "Si");
    FrmConsComprobantes form;
    load(form, c.TC);
    EXPECT_EQ(headers(form), c.captions);
    std::vector<long> expected;
    for (long x : c.xs) expected.push_back(x * 120);
    EXPECT_EQ(widths(form), expected);
    // A second run starts again from no columns.
    form.Encolumnar();
    EXPECT_EQ(headers(form), c.captions);
}

const std::vector<std::string> kGrupo1 = {"FECHA", "COMPROBANTE", "ID", "NOMBRE", "IMPORTE"};
const std::vector<std::string> kGrupo1Ref = {"FECHA", "COMPROBANTE", "ID", "NOMBRE", "Referencia", "IMPORTE"};
const std::vector<std::string> kGrupo2 = {"FECHA", "COMPROBANTE", "PROVEEDOR", "NOMBRE", "CONCEPTO", "IMPORTE"};
const std::vector<std::string> kDefecto = {"FECHA", "COMPROBANTE", "CUENTA", "NOMBRE", "CONCEPTO", "IMPORTE"};

INSTANTIATE_TEST_SUITE_P(
    VoucherQuery, Columns,
    ::testing::Values(ColumnsCase{"OT", false, kGrupo1, {13, 15, 5, 21, 10}},
                      ColumnsCase{"nc", false, kGrupo1, {13, 15, 5, 21, 10}},
                      ColumnsCase{"NC ", false, kGrupo1, {13, 15, 5, 21, 10}},
                      ColumnsCase{"FC/ANTICIPOS", true, kGrupo1Ref, {13, 15, 5, 21, 21, 10}},
                      ColumnsCase{"RM/PENDIENTES_COMPRAS", true, kGrupo2, {13, 15, 15, 21, 21, 10}},
                      ColumnsCase{"NDPR", false, kGrupo2, {13, 15, 15, 21, 21, 10}},
                      ColumnsCase{"PR", false, {"FECHA", "COMPROBANTE", "NOMBRE", "ID", "IMPORTE"}, {13, 15, 21, 5, 10}},
                      ColumnsCase{"PR/PENDIENTES", true,
                                  {"FECHA", "COMPROBANTE", "NOMBRE", "ID", "Referencia", "IMPORTE"},
                                  {13, 15, 21, 5, 21, 10}},
                      ColumnsCase{"T3", true,
                                  {"Nº Int.", "FECHA", "COMPROBANTE", "ID", "FH Envio", "FH Recep"},
                                  {7, 13, 15, 4, 10, 10}},
                      ColumnsCase{"OC", true,
                                  {"FECHA", "PROVEEDOR", "COMPROBANTE", "IMPORTE", "COMENTARIOS", "Inf. Recepción"},
                                  {13, 13, 17, 9, 15, 15}},
                      ColumnsCase{"ZZ", true, kDefecto, {13, 15, 15, 21, 21, 10}}));

class RowCells : public VoucherQuery {
protected:
    void SetUp() override {
        VoucherQuery::SetUp();
        vouchers();
        supplier("2110101001", "Proveedor Uno");
        receipt("IR0004", "OC4");
    }
    // The cells of the row whose "COMPROBANTE" reads `number`.
    Cells cellsOf(const std::string& tc, const std::string& number, const std::string& filtro = {}) {
        FrmConsComprobantes form;
        load(form, tc, filtro);
        return cells(form, rowOf(form, number).index());
    }
    std::string fecha() {
        FrmConsComprobantes form;
        load(form, "ZZ");
        return form.ListView1.item(1).text();
    }
};

// Every value stands under the caption that names it, and a cell without a value stays empty.
TEST_F(RowCells, EachValueStandsUnderItsCaption) {
    const std::string d = fecha();
    EXPECT_FALSE(d.empty());
    EXPECT_EQ(cellsOf("T3", "T3B"), (Cells{{"Nº Int.", "1"}, {"FECHA", d}, {"COMPROBANTE", asStored("T3B")}, {"ID", "0"},
                                          {"FH Envio", ""}, {"FH Recep", ""}}));
    EXPECT_EQ(cellsOf("FCC", "FCC2"), (Cells{{"FECHA", d}, {"COMPROBANTE", asStored("FCC2")}, {"PROVEEDOR", "2110101002"},
                                             {"NOMBRE", "Cliente Uno"}, {"CONCEPTO", ""}, {"IMPORTE", "100"}}));
    EXPECT_EQ(cellsOf("NCPE", "000100000001A"),
              (Cells{{"FECHA", d}, {"COMPROBANTE", asStored("000100000001A")}, {"PROVEEDOR", "2110101001"},
                     {"NOMBRE", "Proveedor Uno"}, {"CONCEPTO", "Devolucion"}, {"IMPORTE", "50"}}));
    // A supplier the supplier list does not hold has an empty name.
    EXPECT_EQ(cellsOf("NCPE", "000100000002A")[3], (std::pair<std::string, std::string>{"NOMBRE", ""}));
    EXPECT_EQ(cellsOf("PR/PENDIENTES", "PR1"), (Cells{{"FECHA", d}, {"COMPROBANTE", asStored("PR1")}, {"NOMBRE", "Cliente Uno"},
                                                       {"ID", ""}, {"IMPORTE", "100"}}));
    EXPECT_EQ(cellsOf("OC", "OC4"), (Cells{{"FECHA", d}, {"PROVEEDOR", "2110101002 Prov Dos"}, {"COMPROBANTE", asStored("OC4")},
                                           {"IMPORTE", "100"}, {"COMENTARIOS", ""}, {"Inf. Recepción", asStored("IR0004")}}));
    EXPECT_EQ(cellsOf("OC", "OC1")[5], (std::pair<std::string, std::string>{"Inf. Recepción", ""}));
    EXPECT_EQ(cellsOf("FC", "FC1"),
              (Cells{{"FECHA", d}, {"COMPROBANTE", asStored("FC1")}, {"ID", "2"}, {"NOMBRE", "Cliente Uno"}, {"IMPORTE", "100"}}));
    EXPECT_EQ(cellsOf("OT", "OT1")[2], (std::pair<std::string, std::string>{"ID", "3"}));
    EXPECT_EQ(cellsOf("RM", "RM1")[2], (std::pair<std::string, std::string>{"ID", ""}));
    EXPECT_EQ(cellsOf("ZZ", "ZZ1"), (Cells{{"FECHA", d}, {"COMPROBANTE", asStored("ZZ1")}, {"CUENTA", "1"},
                                           {"NOMBRE", "Cliente Uno"}, {"CONCEPTO", ""}, {"IMPORTE", "100"}}));
}

TEST_F(RowCells, TheBudgetReferenceColumnShowsOnlyTheBudgetsComments) {
    setting("UsaReferenciaPresupuestos", "SI");
    const std::string d = fecha();
    EXPECT_EQ(cellsOf("PR/PENDIENTES", "PR1"), (Cells{{"FECHA", d}, {"COMPROBANTE", asStored("PR1")}, {"NOMBRE", "Cliente Uno"},
                                                       {"ID", ""}, {"Referencia", "Urgente"}, {"IMPORTE", "100"}}));
    EXPECT_EQ(cellsOf("FC", "FC1"), (Cells{{"FECHA", d}, {"COMPROBANTE", asStored("FC1")}, {"ID", "2"}, {"NOMBRE", "Cliente Uno"},
                                           {"Referencia", ""}, {"IMPORTE", "100"}}));
}

TEST_F(RowCells, ANullNameShowsEmpty) {
    voucher([] { Cpte c("ZZ", "ZZ2", "1"); c.NOMBRE.reset(); c.ANULADA.reset(); return c; }());
    FrmConsComprobantes form;
    load(form, "ZZ");
    EXPECT_EQ(cells(form, rowOf(form, "ZZ2").index())[3], (std::pair<std::string, std::string>{"NOMBRE", ""}));
}

// The image list's tags are matched trimmed and without regard to case; an unknown one is "Generico".
TEST_F(VoucherQuery, ImageIndexesByTag) {
    FrmConsComprobantes form;
    EXPECT_EQ(form.ImageList1.size(), 11u);
    EXPECT_EQ(form.ObtieneIndiceImagen("PR"), 1);
    EXPECT_EQ(form.ObtieneIndiceImagen(" anulado "), 2);
    EXPECT_EQ(form.ObtieneIndiceImagen("oc"), 10);
    EXPECT_EQ(form.ObtieneIndiceImagen("OCG"), 11);
    EXPECT_EQ(form.ObtieneIndiceImagen("RMC"), 8);
    EXPECT_EQ(form.ObtieneIndiceImagen(""), 8);
}

struct ImageCase {
    std::string TC, number;
    std::string tag;  // "" for none
};

void PrintTo(const ImageCase& c, std::ostream* os) { *os << asName(c.TC) << "_" << c.number; }

class Images : public VoucherQuery, public ::testing::WithParamInterface<ImageCase> {};

TEST_P(Images, EachRowGetsItsRulesImage) {
    const ImageCase& c = GetParam();
    vouchers();
    voucher([] { Cpte c("FCC", "FCC3", "1"); c.ANULADA = 1; return c; }());
    voucher([] { Cpte c("FC", "FC3", "1"); c.APROBADO = 0; c.ANULADA.reset(); return c; }());
    voucher([] { Cpte c("ZZ", "ZZ2", "1"); c.APROBADO.reset(); return c; }());
    FrmConsComprobantes form;
    load(form, c.TC);
    const ui::ListItem& row = rowOf(form, c.number);
    const int expected = c.tag.empty() ? 0 : form.ObtieneIndiceImagen(c.tag);
    EXPECT_EQ(row.icon, expected);
    EXPECT_EQ(row.smallIcon, expected);
}

INSTANTIATE_TEST_SUITE_P(VoucherQuery, Images,
                         ::testing::Values(ImageCase{"FCC", "FCC2", "Generico"},  // rule A
                                           ImageCase{"FCC", "FCC3", "Anulado"},
                                           ImageCase{"PR", "PR2", "PR"},
                                           ImageCase{"NCPE", "000100000001A", "Generico"},  // rule B
                                           ImageCase{"OC", "OC1", "OC"},                    // rule C
                                           ImageCase{"OC", "OC4", "OCG"},
                                           ImageCase{"FC", "FC1", "Aprobado"},  // rule D
                                           ImageCase{"FC", "FC3", "FC"},
                                           ImageCase{"RM", "RM3", "Anulado"},
                                           ImageCase{"ZZ", "ZZ2", "Generico"},
                                           ImageCase{"NP/PENDIENTES", "NP1", "Aprobado"},
                                           ImageCase{"NP/PENDIENTES", "NP2", "Generico"},
                                           ImageCase{"NP", "NP1", "Generico"},
                                           ImageCase{"T3", "T3A", ""}));

}  // namespace
