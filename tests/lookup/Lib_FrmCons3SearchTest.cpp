// The search boxes: finding a row by the start of a cell, F5 re-queries (statement text and rows), a new
// search, arrows into the list and the boxes' focus colours.

#include "tests/lookup/PickListFixture.h"

namespace {

constexpr int kF5 = 116;

class Searching : public PickList {
protected:
    void SetUp() override {
        PickList::SetUp();
        article("A1", "Tornillo", 0, 5);
        article("A2", "Tuerca", 0, 5);
        article("A3", "Tornillo largo", 0, 5);
        article("A4", "O'Brien llave", 0, 5);
        article("A5", "Tornado", 0, 5, true);  // suspended: out of the lookup
    }

    static void f5(Lib_FrmCons3& form, int box) {
        int key = kF5;
        form.CmbSearch_KeyDown(box, key, 0);
    }

    static const std::string kExample;
};

const std::string Searching::kExample =
    "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION";

TEST_F(Searching, TypingSelectsTheFirstRowWhoseCellStartsWithTheText) {
    account("1", "Uno", "xy");
    account("2", "Dos", "Abc");
    account("3", "Tres", "abd");
    Lib_FrmCons3 form;
    load(form, "select CODIGO, DESCRIPCION, CODIGOOPCIONAL from MA_CUENTAS order by CODIGO");
    struct Step {
        int box;
        std::string text;
        std::string selected;
    };
    const Step steps[] = {
        {2, "ab", "2"},   // any letter case, cells padded to four characters compare trimmed
        {2, "abd", "3"},
        {2, "zz", "3"},   // no match: the selection stays
        {1, " tr ", "3"},
        {1, "d", "2"},
        {0, "1", "1"},
        {1, "", "1"},     // an empty text matches the first row
    };
    for (const Step& s : steps) {
        form.setSearchText(s.box, s.text);
        EXPECT_EQ(selectedText(form), s.selected) << s.box << " '" << s.text << "'";
    }
    EXPECT_EQ(form.Busqueda(0, "2"), 2);
    EXPECT_EQ(form.Busqueda(5, "x"), 0);  // a column the list does not have finds nothing
    EXPECT_EQ(form.IndiceColumna(" descripcion "), 2);
    EXPECT_EQ(form.IndiceColumna("NO_EXISTE"), 0);
}

TEST_F(Searching, F5AddsTheBoxsTextAsAConditionBeforeTheOrder) {
    Lib_FrmCons3 form;
    load(form, kExample);
    ASSERT_EQ(form.ListView1.itemCount(), 4);
    form.setSearchText(0, "tor");
    f5(form, 0);
    // One blank stays before the tail; the load then adds one more.
    EXPECT_EQ(form.SQL, "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0  and "
                        "DESCRIPCION like 'tor%' ORDER BY DESCRIPCION  ");
    EXPECT_EQ(texts(form), (std::vector<std::string>{"Tornillo", "Tornillo largo"}));
    EXPECT_EQ(form.CmbSearch[0].text(), "");
    EXPECT_EQ(form.sentenciaInicial(), kExample + " ");

    // Conditions accumulate.
    form.setSearchText(1, "a3");
    f5(form, 1);
    EXPECT_EQ(form.SQL, "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0  and "
                        "DESCRIPCION like 'tor%'  and IDARTICULO like 'a3%' ORDER BY DESCRIPCION   ");
    EXPECT_EQ(texts(form), std::vector<std::string>{});  // article codes are right-aligned: "A3" is not their start

    // "&Nueva Busqueda" goes back to the first statement.
    form.CmdNueva_Click();
    EXPECT_EQ(form.SQL, kExample + "  ");
    EXPECT_EQ(form.ListView1.itemCount(), 4);
    EXPECT_EQ(form.focus(), (Lib_FrmCons3::Focus{Lib_FrmCons3::Focus::Kind::SearchBox, 0}));
}

TEST_F(Searching, F5Patterns) {
    struct Case {
        bool like;
        std::string typed;
        std::string condition;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {false, "tor", " like 'tor%' ", {"Tornillo", "Tornillo largo"}},
        {true, "lar", " like '%lar%' ", {"Tornillo largo"}},
        {false, "t*o", " like 't%o%' ", {"Tornillo", "Tornillo largo"}},  // "*" stands for any text
        // The text is a literal: an apostrophe is looked for, it cannot end the text or change the statement.
        {false, "o'b", " like 'o''b%' ", {"O'Brien llave"}},
        {true, "' OR 1=1 --", " like '%'' OR 1=1 --%' ", {}},
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 form;
        form.CfgUsaConsultaLIKE = c.like;
        load(form, kExample);
        form.setSearchText(0, c.typed);
        f5(form, 0);
        EXPECT_NE(form.SQL.find("DESCRIPCION" + c.condition + "ORDER BY"), std::string::npos) << form.SQL;
        EXPECT_EQ(texts(form), c.rows) << c.typed;
    }
}

TEST_F(Searching, F5JoinsWithWhereOrAnd) {
    gDB_Dll().gEsAdmin = true;  // the statements read the accounts themselves, not the user's synonym
    account("1", "Uno");
    struct Case {
        std::string statement;
        std::string after;
    };
    const Case cases[] = {
        {"select CODIGO, DESCRIPCION from MA_CUENTAS", "select CODIGO, DESCRIPCION from MA_CUENTAS  where CODIGO like '1%' "},
        {"select CODIGO, DESCRIPCION from MA_CUENTAS where DADA_DE_BAJA is null order by CODIGO",
         "select CODIGO, DESCRIPCION from MA_CUENTAS where DADA_DE_BAJA is null  and CODIGO like '1%' order by CODIGO "},
        // Letters "where" inside a name are no WHERE of the statement.
        {"select CODIGO, DESCRIPCION AS NOWHERE from MA_CUENTAS",
         "select CODIGO, DESCRIPCION AS NOWHERE from MA_CUENTAS  where CODIGO like '1%' "},
        // "order" without "order by" leaves the statement whole.
        {"select CODIGO, DESCRIPCION AS ORDERS from MA_CUENTAS",
         "select CODIGO, DESCRIPCION AS ORDERS from MA_CUENTAS  where CODIGO like '1%' "},
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 form;
        load(form, c.statement);
        form.setSearchText(0, "1");
        f5(form, 0);
        EXPECT_EQ(form.SQL, c.after + " ");
        EXPECT_EQ(texts(form), std::vector<std::string>{"1"}) << c.statement;
    }
}

TEST_F(Searching, F5NamesArticleColumnsWithTheirViewWhenTheStatementDoes) {
    Lib_FrmCons3 form;
    load(form, "select v_ma_articulos.IDARTICULO, v_ma_articulos.DESCRIPCION from v_ma_articulos");
    form.setSearchText(1, "tu");
    f5(form, 1);
    EXPECT_NE(form.SQL.find(" where v_ma_articulos.DESCRIPCION like 'tu%' "), std::string::npos) << form.SQL;
    ASSERT_EQ(form.ListView1.itemCount(), 1);
    EXPECT_EQ(form.ListView1.item(1).subItem(1), "Tuerca");
}

TEST_F(Searching, ArrowsInABoxTakeTheFocusToTheList) {
    Lib_FrmCons3 form;
    load(form, kExample);
    for (int key : {40, 38, 34, 33}) {
        form.setFocus({Lib_FrmCons3::Focus::Kind::SearchBox, 1});
        EXPECT_EQ(form.CmbSearch[1].backColor, 0xFFFF00u);
        EXPECT_EQ(form.indiceBusquedaActual(), 1);
        int code = key;
        form.CmbSearch_KeyDown(1, code, 0);
        EXPECT_EQ(form.focus().kind, Lib_FrmCons3::Focus::Kind::List) << key;
        EXPECT_EQ(form.CmbSearch[1].backColor, ui::kWhite);
        EXPECT_EQ(form.indiceBusquedaActual(), 1);  // typing in the list still goes to box 1
    }
}

TEST_F(Searching, AColumnClickSortsByThatColumnTurningTheOrderEachTime) {
    Lib_FrmCons3 form;
    load(form, "SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY IDARTICULO");
    form.ListView1_ColumnClick(2);
    EXPECT_EQ(form.ListView1.item(1).subItem(1), "Tuerca");
    form.ListView1_ColumnClick(2);
    EXPECT_EQ(form.ListView1.item(1).subItem(1), "O'Brien llave");
    form.ListView1_ColumnClick(1);
    EXPECT_EQ(form.ListView1.item(1).text(), "A4");
}

}  // namespace
