// Keys in the list, quantities, what accept and cancel hand back, and the stock-shortage report (F12).

#include "platform/base/Regional.h"
#include "tests/lookup/PickListFixture.h"

namespace {

constexpr int kShift = 1;

class Selecting : public PickList {
protected:
    void SetUp() override {
        PickList::SetUp();
        account("1", "Uno");
        account("2", "Dos");
        account("3", "Tres");
    }

    static int key(Lib_FrmCons3& form, int code, int shift = 0, std::string_view typed = {}) {
        form.ListView1_KeyDown(code, shift, typed);
        return code;
    }

    static constexpr const char* kQuantities =
        "select CODIGO, DESCRIPCION, '0.00' AS [**Cantidad**] from MA_CUENTAS order by CODIGO";
};

// Puts the decimal separator back whatever the test does.
struct SeparatorGuard {
    char saved = base::regional().decimalSeparator;
    ~SeparatorGuard() { base::regional().decimalSeparator = saved; }
};

TEST_F(Selecting, InsertAndDeleteStepTheQuantity) {
    Lib_FrmCons3 form;
    form.CheckBoxes = true;
    form.UsaCantidades = true;
    load(form, kQuantities);
    ASSERT_EQ(form.IndiceColumna("**CANTIDAD**"), 3);
    select(form, 2);
    const ui::ListItem& row = form.ListView1.item(2);
    struct Step {
        int code, shift;
        std::string quantity;
        bool checked;
    };
    const Step steps[] = {
        {45, 0, "1.0", true}, {45, 0, "2.0", true}, {45, 0, "3.0", true},
        {46, 0, "2.0", true}, {46, 0, "1.0", true},
        {46, 0, "0.00", false},  // at 0 the row is unticked
        {45, 2, "0.00", false},  // Ctrl+Insert and Shift+Delete do nothing
        {46, 1, "0.00", false},
        {45, 0, "1.0", true},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(key(form, s.code, s.shift), s.code);
        EXPECT_EQ(row.subItem(2), s.quantity) << s.code << "/" << s.shift;
        EXPECT_EQ(row.checked(), s.checked) << s.code << "/" << s.shift;
    }
    EXPECT_EQ(form.ListView1.item(1).subItem(2), "0.00");
    EXPECT_FALSE(form.ListView1.item(1).checked());
}

TEST_F(Selecting, QuantityKeysNeedQuantitiesToBeAsked) {
    Lib_FrmCons3 form;
    form.CheckBoxes = true;
    load(form, kQuantities);
    select(form, 1);
    key(form, 45);
    key(form, 45, kShift);
    EXPECT_EQ(form.ListView1.item(1).subItem(2), "0.00");
    EXPECT_FALSE(form.ListView1.item(1).checked());
    EXPECT_EQ(form.CmbSearch[0].text(), "");
}

TEST_F(Selecting, ShiftInsertAsksTheQuantity) {
    struct Case {
        std::string answer;
        std::string quantity;
        bool checked;
    };
    const Case cases[] = {
        {"2.5", "2.50", true},
        {"3", "3.00", true},
        {"", "1.0", true},      // Cancel, or nothing typed: the row stays as it was
        {"  ", "1.0", true},
        {"abc", "1.0", true},   // not a number
        {"0", "0.00", false},   // none: cleared and unticked
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 form;
        form.CheckBoxes = true;
        form.UsaCantidades = true;
        load(form, kQuantities);
        select(form, 3);
        key(form, 45);  // 1.0, ticked
        prompter.expectInput("Ingrese la Cantidad del Articulo...", "Carga de Datos", c.answer);
        key(form, 45, kShift);
        ASSERT_FALSE(prompter.shown().empty());
        EXPECT_EQ(prompter.shown().back().defaultText, "1.0");
        EXPECT_EQ(form.ListView1.item(3).subItem(2), c.quantity) << "'" << c.answer << "'";
        EXPECT_EQ(form.ListView1.item(3).checked(), c.checked) << "'" << c.answer << "'";
    }
}

TEST_F(Selecting, QuantitiesAreReadBackWithTheSeparatorTheyAreWrittenWith) {
    SeparatorGuard guard;
    base::regional().decimalSeparator = ',';
    Lib_FrmCons3 form;
    form.CheckBoxes = true;
    form.UsaCantidades = true;
    load(form, kQuantities);
    select(form, 1);
    const ui::ListItem& row = form.ListView1.item(1);
    key(form, 45);
    key(form, 45);
    EXPECT_EQ(row.subItem(2), "2,0");
    prompter.expectInput("Ingrese la Cantidad del Articulo...", "Carga de Datos", "2,5");
    key(form, 45, kShift);
    EXPECT_EQ(row.subItem(2), "2,50");
    key(form, 45);
    EXPECT_EQ(row.subItem(2), "3,5");
    key(form, 46);
    key(form, 46);
    key(form, 46);
    key(form, 46);
    EXPECT_EQ(row.subItem(2), "0,00");
    EXPECT_FALSE(row.checked());
}

TEST_F(Selecting, TypingInTheListSearchesInTheLastBoxUsed) {
    Lib_FrmCons3 form;
    load(form, "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO");
    form.setFocus({Lib_FrmCons3::Focus::Kind::SearchBox, 1});
    form.setFocus({Lib_FrmCons3::Focus::Kind::List, 0});
    struct Step {
        int code;
        std::string typed;
        std::string boxText;
        std::string selected;
        bool toTheBox = true;
    };
    const Step steps[] = {
        {66, "b", "b", "<none>"},       // no description starts with b
        {8, "\b", "", "1"},             // Backspace takes it back (an empty text matches the first row)
        {84, "t", "t", "3"},
        {82, "R", "tR", "3"},
        {112, "", "tR", "3", false},    // F1 types nothing
        {2, "\x02", "tR", "3", false}, // nor does a control key
        {8, "\b", "t", "3"},
        {8, "\b", "", "1"},
        {8, "\b", "", "1"},
        {68, "d", "d", "2"},
        {32, " ", "d ", "2"},           // without check boxes Space is a blank
        {0, "ñ", "d ñ", "2"},           // a letter without a key code of its own
    };
    for (const Step& s : steps) {
        form.setFocus({Lib_FrmCons3::Focus::Kind::List, 0});
        EXPECT_EQ(key(form, s.code, 0, s.typed), s.code);
        EXPECT_EQ(form.CmbSearch[1].text(), s.boxText) << s.code;
        EXPECT_EQ(selectedText(form), s.selected) << s.code;
        const Lib_FrmCons3::Focus box{Lib_FrmCons3::Focus::Kind::SearchBox, 1};
        const Lib_FrmCons3::Focus list{Lib_FrmCons3::Focus::Kind::List, 0};
        EXPECT_EQ(form.focus(), s.toTheBox ? box : list) << s.code;
    }
    EXPECT_EQ(form.CmbSearch[0].text(), "");
}

TEST_F(Selecting, KeypadDigitsTypeDigits) {
    account("1140101000001", "Otro");
    Lib_FrmCons3 form;
    load(form, "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO");
    for (auto [code, digit] : {std::pair{97, "1"}, std::pair{97, "1"}, std::pair{100, "4"}, std::pair{96, "0"}}) {
        form.setFocus({Lib_FrmCons3::Focus::Kind::List, 0});
        key(form, code, 0, digit);
    }
    EXPECT_EQ(form.CmbSearch[0].text(), "1140");
    EXPECT_EQ(selectedText(form), "1140101000001");
}

TEST_F(Selecting, SpaceTogglesTheTickNotTheSearchWithCheckBoxes) {
    Lib_FrmCons3 form;
    form.CheckBoxes = true;
    load(form, "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO");
    EXPECT_EQ(key(form, 32, 0, " "), 32);  // left to the list
    EXPECT_EQ(form.CmbSearch[0].text(), "");
    EXPECT_EQ(form.focus().kind, Lib_FrmCons3::Focus::Kind::None);
}

TEST_F(Selecting, AcceptWithCheckBoxesReturnsTheTickedRowsValues) {
    struct Case {
        std::string campoDevuelto;
        std::vector<long> ticked;
        std::vector<std::string> valores;
    };
    const Case cases[] = {
        {"", {1, 3}, {"1", "3"}},            // the first column's values
        {"DESCRIPCION", {2, 3}, {" Dos", "Tres"}},  // as shown, not trimmed
        {"", {}, {}},
        {"NO_EXISTE", {2}, {""}},
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 form;
        form.CheckBoxes = true;
        form.CampoDevuelto = c.campoDevuelto;
        form.ValorDevuelto = "antes";
        load(form, "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO");
        for (long row : c.ticked) form.ListView1.item(row).setChecked(true);
        form.CmdAceptar_Click();
        EXPECT_TRUE(form.hidden());
        EXPECT_EQ(form.Valores, c.valores) << c.campoDevuelto;
        EXPECT_EQ(form.ValorDevuelto, base::Value("antes"));
        EXPECT_TRUE(form.Cantidades.empty());
    }
}

TEST_F(Selecting, AcceptWithoutCheckBoxesReturnsTheSelectedRowsValues) {
    struct Case {
        long selected;  // 0: none
        std::vector<std::string> cmpsDevueltos;
        std::string campoDevuelto;
        std::vector<std::string> valores;
        base::Value valorDevuelto;
    };
    const Case cases[] = {
        {2, {}, "CODIGO", {}, "2"},
        {2, {}, " descripcion ", {}, " Dos"},
        {2, {"CODIGO", "DESCRIPCION"}, "", {"2", " Dos"}, " Dos"},      // the last value taken
        {2, {"DESCRIPCION"}, "CODIGO", {" Dos"}, "2"},
        {2, {"CODIGO", "NO_EXISTE", "DESCRIPCION"}, "", {"2", "", " Dos"}, " Dos"},  // no column: no value
        {2, {}, "NO_EXISTE", {}, ""},
        {2, {}, "", {}, base::Value()},
        {0, {"CODIGO"}, "CODIGO", {}, base::Value()},                   // nothing selected: nothing set
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 form;
        form.CmpsDevueltos = c.cmpsDevueltos;
        form.CampoDevuelto = c.campoDevuelto;
        load(form, "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO");
        if (c.selected) select(form, c.selected);
        form.CmdAceptar_Click();
        EXPECT_TRUE(form.hidden());
        EXPECT_EQ(form.Valores, c.valores) << c.campoDevuelto;
        EXPECT_EQ(form.ValorDevuelto, c.valorDevuelto) << c.campoDevuelto;
    }
}

TEST_F(Selecting, EnterAndDoubleClickAccept) {
    for (int way = 0; way < 3; ++way) {
        Lib_FrmCons3 form;
        form.CampoDevuelto = "CODIGO";
        load(form, "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO");
        select(form, 3);
        if (way == 0) {
            EXPECT_EQ(key(form, 13), 0);  // taken, so the default button does not accept again
        } else if (way == 1) {
            EXPECT_EQ(key(form, 13, kShift), 0);  // Shift held still accepts
        } else {
            form.ListView1.onDblClick();
        }
        EXPECT_TRUE(form.hidden());
        EXPECT_EQ(form.ValorDevuelto, base::Value("3"));
    }
}

TEST_F(Selecting, CancelReturnsEmptyResults) {
    Lib_FrmCons3 form;
    form.CmpsDevueltos = {"CODIGO"};
    form.CampoDevuelto = "CODIGO";
    form.ValorDevuelto = "antes";
    load(form, "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO");
    form.Valores = {"x"};
    select(form, 1);
    form.CmdCancelar_Click();
    EXPECT_TRUE(form.hidden());
    EXPECT_EQ(form.ValorDevuelto, base::Value(""));
    EXPECT_TRUE(form.Valores.empty());
    EXPECT_TRUE(form.CmpsDevueltos.empty());
    EXPECT_TRUE(form.Cantidades.empty());
}

class Shortages : public PickList {
protected:
    void SetUp() override {
        PickList::SetUp();
        article("A-7", "O'Brien llave", 0, 5);
    }
    std::vector<std::vector<std::string>> reported() {
        db::Recordset rs;
        std::vector<std::vector<std::string>> rows;
        std::string sql = "SELECT FechaHora, IdArticulo, Descripcion, Usuario FROM V_MV_FALTANTES";
        gDB_Dll().AbrirRecordset(sql, rs);
        for (; !rs.eof(); rs.moveNext()) {
            std::vector<std::string> row;
            for (std::size_t i = 0; i < 4; ++i) {
                const base::Value& v = rs.field(i).value();
                row.push_back(v.kind() == base::Value::Kind::DateTime ? v.asDateTime().toIso() : v.toText());
            }
            rows.push_back(row);
        }
        return rows;
    }
    static constexpr const char* kQuestion = "Desea informar el articulo A-7 O'Brien llave\r\ncomo un faltante de stock?";
};

TEST_F(Shortages, F12ReportsTheSelectedArticleOnYes) {
    Lib_FrmCons3 form;
    load(form, "SELECT IDARTICULO, DESCRIPCION, Stock FROM VT_MA_ARTICULOS");
    select(form, 1);
    prompter.expectMessage(kQuestion, ui::vbQuestion | ui::vbYesNo, "Atención!", ui::vbNo);
    int code = 123;
    form.Form_KeyDown(code, 0);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(reported().empty());

    prompter.expectMessage(kQuestion, ui::vbQuestion | ui::vbYesNo, "Atención!", ui::vbYes);
    code = 123;
    form.Form_KeyDown(code, 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(reported(), (std::vector<std::vector<std::string>>{
                              {"2026-03-07 09:05:02", "                      A-7", "O'Brien llave", "tester"}}));
    EXPECT_FALSE(form.hidden());
}

TEST_F(Shortages, F12IsAnArticleListsKey) {
    account("1", "Uno");
    Lib_FrmCons3 form;
    load(form, "select CODIGO, DESCRIPCION from MA_CUENTAS");
    select(form, 1);
    int code = 123;
    form.Form_KeyDown(code, 0);
    EXPECT_EQ(code, 123);  // left to the control that has the focus
    EXPECT_TRUE(reported().empty());
    for (int other : {116, 13, 27}) {
        code = other;
        form.Form_KeyDown(code, 0);
        EXPECT_EQ(code, other);
    }
}

TEST_F(Shortages, F12WithNoArticleSelectedAsksNothing) {
    Lib_FrmCons3 form;
    load(form, "SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS");
    int code = 123;
    form.Form_KeyDown(code, 0);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(reported().empty());
}

TEST_F(Shortages, AShortageThatCannotBeWrittenIsReported) {
    run("DROP TABLE V_MV_FALTANTES");
    Lib_FrmCons3 form;
    load(form, "SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS");
    select(form, 1);
    prompter.expectMessage(kQuestion, ui::vbQuestion | ui::vbYesNo, "Atención!", ui::vbYes)
        .expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (208) "), ui::vbAbortRetryIgnore | ui::vbCritical,
                       "Lib_FrmCons3 - Form_KeyDown", ui::vbRetry)
        .expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (208) "), ui::vbAbortRetryIgnore | ui::vbCritical,
                       "Lib_FrmCons3 - Form_KeyDown", ui::vbAbort);
    int code = 123;
    form.Form_KeyDown(code, 0);
}

}  // namespace
