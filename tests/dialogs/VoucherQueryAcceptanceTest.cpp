// What the operator's choice hands back, by type; ticked purchase orders; Enter, double click and
// Cancel; sorting by header clicks; the engine's query through the scripted dialogs; and failures met
// while loading.

#include "stock/ClsCmnCptes.h"
#include "tests/dialogs/ScriptedVoucherDialogs.h"
#include "tests/dialogs/VoucherQueryFixture.h"

#include <fstream>
#include <sstream>

namespace {

class Acceptance : public VoucherQuery {
protected:
    void SetUp() override {
        VoucherQuery::SetUp();
        vouchers();
        voucher({"OC", "OC6", "2110101003"});
    }
    void pick(FrmConsComprobantes& form, const std::string& number) {
        form.ListView1.setSelectedItem(&rowOf(form, number));
        form.CmdAceptar_Click();
    }
};

struct Choice {
    std::string TC, number;
    std::string NroComprobante, IdComplemento, Proveedor;
};

TEST_F(Acceptance, EachTypeHandsBackItsNumberComplementAndSupplier) {
    const std::vector<Choice> choices = {
        {"FC", "FC1", "FC1", "2", ""},
        {"fc", "FC1", "FC1", "2", ""},
        {"OT/PENDIENTES", "OT1", "OT1", "3", ""},
        {"RM", "RM1", "RM1", "", ""},
        {"FCC", "FCC2", "FCC2", "", "2110101002"},
        {"NCPE", "000100000002A", "000100000002A", "", "2110101002"},
        {"PR", "PR1", "PR1", "0", ""},
        {"ZZ", "ZZ1", "ZZ1", "", ""},
    };
    for (const Choice& c : choices) {
        FrmConsComprobantes form;
        load(form, c.TC);
        pick(form, c.number);
        EXPECT_EQ(form.NroComprobante, asStored(c.NroComprobante)) << c.TC;
        EXPECT_EQ(form.IdComplemento, c.IdComplemento) << c.TC;
        EXPECT_EQ(form.Proveedor, c.Proveedor) << c.TC;
        EXPECT_TRUE(form.hidden());
        EXPECT_EQ(form.ListView1.itemCount(), 0);
    }
}

TEST_F(Acceptance, ThirdPartyVouchersHandBackTheRowText) {
    FrmConsComprobantes form;
    load(form, "T3");
    form.ListView1.setSelectedItem(&form.ListView1.item(2));
    form.CmdAceptar_Click();
    EXPECT_EQ(form.NroComprobante, "2");
    EXPECT_EQ(form.IdComplemento, "0");
}

TEST_F(Acceptance, NothingSelectedHandsBackNothing) {
    FrmConsComprobantes form;
    load(form, "FC");
    form.CmdAceptar_Click();
    EXPECT_EQ(form.NroComprobante, "");
    EXPECT_TRUE(form.hidden());
}

TEST_F(Acceptance, TickedOrdersAreJoinedInListOrder) {
    struct Case {
        std::vector<std::string> ticked;
        std::string selected;  // "" for none
        std::string NroComprobante, IdComplemento;
    };
    const std::vector<Case> cases = {
        {{"OC1", "OC6", "OC4"}, "OC4", "OC6,OC4,OC1", "0"},
        {{"OC1", "OC6", "OC4"}, "", "OC6,OC4,OC1", "0"},
        {{}, "OC4", "OC4", "0"},
        {{}, "", "", ""},
    };
    for (const Case& c : cases) {
        FrmConsComprobantes form;
        load(form, "oc");
        EXPECT_TRUE(form.ListView1.checkboxes());
        for (const std::string& number : c.ticked) rowOf(form, number).setChecked(true);
        if (!c.selected.empty()) form.ListView1.setSelectedItem(&rowOf(form, c.selected));
        form.CmdAceptar_Click();
        EXPECT_EQ(form.NroComprobante, asStored(c.NroComprobante));
        EXPECT_EQ(form.IdComplemento, c.IdComplemento);
    }
}

TEST_F(Acceptance, EnterAndDoubleClickAcceptCancelHandsBackNothing) {
    {
        FrmConsComprobantes form;
        load(form, "FC");
        form.ListView1.setSelectedItem(&rowOf(form, "FC2"));
        int key = 13;
        form.ListView1.onKeyDown(key, 0);
        EXPECT_EQ(form.NroComprobante, asStored("FC2"));
    }
    {
        FrmConsComprobantes form;
        load(form, "FC");
        form.ListView1.setSelectedItem(&rowOf(form, "FC1"));
        int key = 40;  // Down does not accept
        form.ListView1.onKeyDown(key, 0);
        EXPECT_FALSE(form.hidden());
        form.ListView1.onDblClick();
        EXPECT_EQ(form.NroComprobante, asStored("FC1"));
        EXPECT_TRUE(form.hidden());
    }
    {
        FrmConsComprobantes form;
        load(form, "FC");
        form.ListView1.setSelectedItem(&rowOf(form, "FC1"));
        form.CmdCancelar_Click();
        EXPECT_EQ(form.NroComprobante, "");
        EXPECT_EQ(form.IdComplemento, "");
        EXPECT_TRUE(form.hidden());
        EXPECT_EQ(form.ListView1.itemCount(), 0);
    }
}

TEST_F(Acceptance, LabelEditsAreRefused) {
    FrmConsComprobantes form;
    int cancel = 0;
    form.ListView1_BeforeLabelEdit(cancel);
    EXPECT_NE(cancel, 0);
    cancel = 0;
    std::string text = "nuevo";
    form.ListView1_AfterLabelEdit(cancel, text);
    EXPECT_NE(cancel, 0);
}

// Every header click flips the order, whichever header was clicked before.
TEST_F(Acceptance, HeaderClicksAlternateTheOrderAcrossColumns) {
    voucher({"RM", "RM0", "3"});
    FrmConsComprobantes form;
    load(form, "RM");
    EXPECT_EQ(column(form, "COMPROBANTE"), (std::vector<std::string>{"RM3", "RM2", "RM1", "RM0"}));
    form.ListView1.onColumnClick(2);
    EXPECT_EQ(column(form, "COMPROBANTE"), (std::vector<std::string>{"RM3", "RM2", "RM1", "RM0"}));
    form.ListView1.onColumnClick(2);
    EXPECT_EQ(column(form, "COMPROBANTE"), (std::vector<std::string>{"RM0", "RM1", "RM2", "RM3"}));
    form.ListView1.onColumnClick(2);
    EXPECT_EQ(column(form, "COMPROBANTE"), (std::vector<std::string>{"RM3", "RM2", "RM1", "RM0"}));
    // Another header keeps alternating: ascending now.
    form.ListView1.onColumnClick(4);
    EXPECT_EQ(form.ListView1.sortKey(), 3);
    EXPECT_EQ(form.ListView1.sortOrder(), ui::ListView::Ascending);
}

class EngineQuery : public Acceptance {
protected:
    ScriptedVoucherDialogs dialogs;
    void SetUp() override {
        Acceptance::SetUp();
        dialogs.measurer = &measurer;
    }
};

TEST_F(EngineQuery, HandsBackTheTickedOrders) {
    dialogs.onQuery = [this](FrmConsComprobantes& form) {
        rowOf(form, "OC1").setChecked(true);
        rowOf(form, "OC6").setChecked(true);
        form.CmdAceptar_Click();
    };
    ClsCmnCptes engine;
    std::string respuesta = "x", complemento = "9", proveedor = "p";
    const std::string filtro = "where CUENTA <> '2110101002'";
    engine.ConsultaComprobante("OC", respuesta, &filtro, &complemento, &proveedor);
    EXPECT_EQ(respuesta, asStored("OC6,OC1"));
    EXPECT_EQ(complemento, "0");
    EXPECT_EQ(proveedor, "");
    ASSERT_EQ(dialogs.queries.size(), 1u);
    EXPECT_EQ(dialogs.queries[0].TC, "OC");
    EXPECT_EQ(dialogs.queries[0].Filtro, filtro);
    EXPECT_EQ(dialogs.queries[0].NroComprobante, "");
}

TEST_F(EngineQuery, EveryCallStartsAFreshWindowAndCancelHandsBackEmptyResults) {
    dialogs.onQuery = [this](FrmConsComprobantes& form) {
        if (form.TC == "FCC") {
            form.ListView1.setSelectedItem(&rowOf(form, "FCC1"));
            form.CmdAceptar_Click();
        }
    };
    ClsCmnCptes engine;
    std::string respuesta, complemento, proveedor;
    engine.ConsultaComprobante("FCC", respuesta, nullptr, &complemento, &proveedor);
    EXPECT_EQ(respuesta, asStored("FCC1"));
    EXPECT_EQ(proveedor, "2110101001");
    // The next call is cancelled: nothing of the first one survives.
    complemento = "7";
    engine.ConsultaComprobante("FC", respuesta, nullptr, &complemento, &proveedor);
    EXPECT_EQ(respuesta, "");
    EXPECT_EQ(complemento, "");
    EXPECT_EQ(proveedor, "");
    EXPECT_EQ(dialogs.queries.size(), 2u);
}

TEST_F(EngineQuery, AFilterThatBreaksTheStatementIsReportedAndTheWindowOpensEmpty) {
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbAbort);
    bool opened = false;
    dialogs.onQuery = [&](FrmConsComprobantes& form) {
        opened = true;
        EXPECT_EQ(form.ListView1.columnCount(), 5);
        EXPECT_EQ(form.ListView1.itemCount(), 0);
    };
    ClsCmnCptes engine;
    std::string respuesta = "x";
    const std::string filtro = "NO_HAY_TAL_COLUMNA = 1";
    engine.ConsultaComprobante("FC", respuesta, &filtro);
    EXPECT_TRUE(opened);
    EXPECT_EQ(respuesta, "");
}

TEST_F(VoucherQuery, WithoutWindowsTheQueryIsReported) {
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (91)"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "ConsultaComprobante - ConsultaComprobante Aviso al operador!!! ", ui::vbAbort);
    ClsCmnCptes engine;
    std::string respuesta = "x";
    engine.ConsultaComprobante("FC", respuesta);
    EXPECT_EQ(respuesta, "x");
}

// A supplier lookup that fails asks the operator once; the later rows are logged and left empty.
TEST_F(Acceptance, AFailingSupplierLookupIsToldOnceAndLoggedAfter) {
    run("DROP VIEW VT_PROVEEDORES");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Recordset Aviso al operador!!! ", ui::vbIgnore);
    FrmConsComprobantes form;
    load(form, "NCPE");
    EXPECT_EQ(column(form, "COMPROBANTE"), (std::vector<std::string>{"000100000001A", "000100000002A"}));
    EXPECT_EQ(column(form, "NOMBRE"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(column(form, "CONCEPTO"), (std::vector<std::string>{"Devolucion", "Bonificacion"}));
    std::ifstream log(folder.path() / "QVERR.LOG");
    std::stringstream text;
    text << log.rdbuf();
    EXPECT_NE(text.str().find("FrmConsComprobantes"), std::string::npos) << text.str();
}

}  // namespace
