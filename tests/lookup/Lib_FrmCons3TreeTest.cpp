// The tree pick-list window: the tree built from the codes' lengths, ticks spread down the tree, the search
// box (type-ahead and F5) and what accept and cancel hand back.

#include "lookup/Lib_FrmCons3Tree.h"
#include "tests/lookup/PickListFixture.h"

#include <functional>

namespace {

constexpr const char* kFamilias = "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA";

class Tree : public PickList {
protected:
    void family(const std::string& code, const std::string& description) {
        run("INSERT INTO TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES (" + literal(code) + ", " + literal(description) + ")");
    }
    void position(const std::string& warehouse, const std::string& code, const std::string& description, int order) {
        run("INSERT INTO MA_POSICIONES (IDDEPOSITO, IDPOSICION, DESCRIPCION, ORDENINGRESO) VALUES (" + literal(warehouse) +
            ", " + literal(code) + ", " + literal(description) + ", " + std::to_string(order) + ")");
    }
    void centre(const std::string& code, const std::string& description) {
        run("INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES (" + literal(code) + ", " + literal(description) + ")");
    }
    // Five levels of tools, and paints.
    void families() {
        family("1", "Herramientas");
        family("11", "Manuales");
        family("111", "Martillos");
        family("1111", "Carpintero");
        family("11111", "Chico");
        family("12", "Electricas");
        family("2", "Pinturas");
        family("21", "Latex");
    }

    static void load(Lib_FrmCons3Tree& form, const std::string& statement) {
        form.SQL = statement;
        form.Form_Load();
    }

    // The tree as it is shown: each node's text indented two blanks per level.
    static std::vector<std::string> outline(const Lib_FrmCons3Tree& form) {
        std::vector<std::string> out;
        std::function<void(const ui::TreeNode&, std::size_t)> walk = [&](const ui::TreeNode& node, std::size_t depth) {
            out.push_back(std::string(depth * 2, ' ') + node.text());
            for (const ui::TreeNode* child : node.children()) walk(*child, depth + 1);
        };
        for (const ui::TreeNode* root : form.TreeV.roots()) walk(*root, 0);
        return out;
    }
    static std::vector<std::string> ticked(const Lib_FrmCons3Tree& form) {
        std::vector<std::string> out;
        for (long i = 1; i <= form.TreeV.count(); ++i)
            if (form.TreeV.node(i).checked()) out.push_back(form.TreeV.node(i).key());
        return out;
    }
    static std::string selected(const Lib_FrmCons3Tree& form) {
        return form.TreeV.selectedItem() ? form.TreeV.selectedItem()->key() : std::string("<none>");
    }
    // The operator ticks or clears a node's box.
    static void tick(Lib_FrmCons3Tree& form, const std::string& key, bool on = true) {
        ui::TreeNode* node = form.TreeV.find(key);
        ASSERT_NE(node, nullptr) << key;
        node->setChecked(on);
        form.TreeV.onNodeCheck(*node);
    }
    static void select(Lib_FrmCons3Tree& form, const std::string& key) {
        ui::TreeNode* node = form.TreeV.find(key);
        ASSERT_NE(node, nullptr) << key;
        form.TreeV.setSelectedItem(node);
    }
};

TEST_F(Tree, EachCodeHangsFromTheNearestShorterCodeBeforeIt) {
    families();
    Lib_FrmCons3Tree form;
    load(form, kFamilias);
    EXPECT_EQ(outline(form), (std::vector<std::string>{
                                 "Consulta...",
                                 "  1 - Herramientas",
                                 "    11 - Manuales",
                                 "      111 - Martillos",
                                 "        1111 - Carpintero",
                                 "          11111 - Chico",
                                 "    12 - Electricas",
                                 "  2 - Pinturas",
                                 "    21 - Latex",
                             }));
    EXPECT_EQ(form.TreeV.node(1).key(), "A");
    EXPECT_EQ(form.TreeV.node(2).key(), "A1");
    EXPECT_TRUE(form.TreeV.node(1).expanded());
    EXPECT_FALSE(form.TreeV.checkboxes());
    EXPECT_TRUE(form.Valores.empty());
}

TEST_F(Tree, TheTreeFollowsTheRowOrder) {
    struct Case {
        const char* name;
        std::vector<std::string> codes;  // in the statement's order
        std::vector<std::string> outline;
    };
    const Case cases[] = {
        {"codes in order", {"1", "11", "12", "2", "21"},
         {"Consulta...", "  1 - P1", "    11 - P11", "    12 - P12", "  2 - P2", "    21 - P21"}},
        {"a longer code after a shorter one hangs from it", {"1", "2", "11"},
         {"Consulta...", "  1 - P1", "  2 - P2", "    11 - P11"}},
        {"three characters longer is still one level down", {"1", "1234", "2"},
         {"Consulta...", "  1 - P1", "    1234 - P1234", "  2 - P2"}},
        {"a shorter code closes two levels", {"1", "11", "111", "2"},
         {"Consulta...", "  1 - P1", "    11 - P11", "      111 - P111", "  2 - P2"}},
        {"no rows", {}, {"Consulta..."}},
    };
    int warehouse = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string deposito = gUtilidades().RellenaCodigo(std::to_string(++warehouse));
        int order = 0;
        for (const std::string& code : c.codes) position(deposito, code, "P" + code, ++order);
        Lib_FrmCons3Tree form;
        load(form, "SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES WHERE IDDEPOSITO = " + literal(deposito) +
                       " ORDER BY ORDENINGRESO");
        EXPECT_EQ(outline(form), c.outline);
    }
}

TEST_F(Tree, ARepeatedCodeSkipsItsRowWithALogLine) {
    position("   1", "1", "Pasillo uno", 1);
    position("   1", "11", "Estante once", 2);
    position("   2", "11", "Estante once bis", 3);
    position("   1", "12", "Estante doce", 4);
    Lib_FrmCons3Tree form;
    load(form, "SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES ORDER BY ORDENINGRESO");
    // No box: the rest of the tree is built.
    EXPECT_EQ(outline(form), (std::vector<std::string>{"Consulta...", "  1 - Pasillo uno", "    11 - Estante once",
                                                       "    12 - Estante doce"}));
    const std::string log = errorLog();
    EXPECT_NE(log.find("03-07-2026 09:05:02 Rutina: - ArmarTreeVAutomatico Mensaje Fila omitida, el codigo 11 esta "
                       "repetido: (35602) Key is not unique in collection"),
              std::string::npos)
        << log;
}

TEST_F(Tree, ATickReachesThreeLevelsDown) {
    families();
    Lib_FrmCons3Tree form;
    form.CheckBoxes = true;
    load(form, kFamilias);
    EXPECT_TRUE(form.TreeV.checkboxes());

    tick(form, "A1");
    EXPECT_EQ(ticked(form), (std::vector<std::string>{"A1", "A11", "A111", "A1111", "A12"}));
    // Clearing a node clears below it; its ancestors keep their ticks.
    tick(form, "A11", false);
    EXPECT_EQ(ticked(form), (std::vector<std::string>{"A1", "A12"}));
    // From the root, the fourth level down is out of reach.
    tick(form, "A");
    EXPECT_EQ(ticked(form), (std::vector<std::string>{"A", "A1", "A11", "A111", "A12", "A2", "A21"}));
}

TEST_F(Tree, AMultiPickHandsBackTheTickedCodes) {
    families();
    position("   1", "11", "Estante once", 1);
    centre("2", "Ventas");
    struct Case {
        const char* campoDevuelto;
        std::vector<std::string> valores;
    };
    // Families and centres are handed back as they stand; a position only when MA_POSICIONES has it.
    const Case cases[] = {
        {"IDFAMILIA", {"2", "21"}},
        {"codigo", {"2", "21"}},
        {"IdPosicion", {}},
        {"DESCRIPCION", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.campoDevuelto);
        Lib_FrmCons3Tree form;
        form.CheckBoxes = true;
        form.CampoDevuelto = c.campoDevuelto;
        load(form, kFamilias);
        tick(form, "A2");
        form.CmdAceptar_Click();
        EXPECT_TRUE(form.hidden());
        EXPECT_EQ(form.Valores, c.valores);
    }
    Lib_FrmCons3Tree form;
    form.CheckBoxes = true;
    form.CampoDevuelto = "IDPOSICION";
    load(form, kFamilias);
    tick(form, "A1");
    form.CmdAceptar_Click();
    EXPECT_EQ(form.Valores, std::vector<std::string>{"11"});
}

TEST_F(Tree, ASinglePickIsResolvedByTheColumnAsked) {
    families();
    position("   1", "7", "Deposito siete", 1);
    centre("5", "Administracion");
    struct Case {
        const char* campoDevuelto;
        std::string statement;
        std::string node;
        base::Value expected;
    };
    const std::string posiciones = "SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES ORDER BY IDPOSICION";
    const std::string centros = "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO";
    const Case cases[] = {
        {"IDFAMILIA", kFamilias, "A12", base::Value("12")},
        {"IdFamilia", kFamilias, "A", base::Value("")},  // the root resolves to nothing
        {"IDPOSICION", posiciones, "A7", base::Value("7")},
        {"CODIGO", centros, "A5", base::Value("5")},
        {"IDFAMILIA", centros, "A5", base::Value("")},  // no family 5
        {"DESCRIPCION", kFamilias, "A12", base::Value("antes")},  // not a column this window resolves
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.campoDevuelto) + " " + c.node);
        Lib_FrmCons3Tree form;
        form.CampoDevuelto = c.campoDevuelto;
        form.ValorDevuelto = "antes";
        load(form, c.statement);
        select(form, c.node);
        form.CmdAceptar_Click();
        EXPECT_TRUE(form.hidden());
        EXPECT_EQ(form.ValorDevuelto, c.expected);
        EXPECT_TRUE(form.Valores.empty());
    }
}

TEST_F(Tree, AcceptWithNothingSelectedAsksTheOperator) {
    families();
    const std::string error = "Ha ocurrido el Siguiente Error (91) Object variable or With block variable not set";
    const std::string title = "Lib_FrmCons3Tree - CmdAceptar_Click";
    constexpr int kStyle = ui::vbAbortRetryIgnore | ui::vbCritical;

    Lib_FrmCons3Tree form;
    form.CampoDevuelto = "IDFAMILIA";
    form.ValorDevuelto = "antes";
    load(form, kFamilias);
    prompter.expectMessage(error, kStyle, title, ui::vbAbort);
    form.CmdAceptar_Click();
    EXPECT_FALSE(form.hidden());  // leaving the action keeps the window up
    EXPECT_EQ(form.ValorDevuelto, base::Value("antes"));

    // Ignore goes on with the empty code, which resolves to nothing.
    prompter.expectMessage(error, kStyle, title, ui::vbIgnore);
    form.CmdAceptar_Click();
    EXPECT_TRUE(form.hidden());
    EXPECT_EQ(form.ValorDevuelto, base::Value(""));
}

TEST_F(Tree, TypingSelectsTheFirstNodeWhoseCodeOrDescriptionStartsWithIt) {
    families();
    Lib_FrmCons3Tree form;
    load(form, kFamilias);
    struct Step {
        std::string typed;
        std::string selected;
    };
    const Step steps[] = {
        {"mart", "A111"},
        {"co", "A"},  // the root's "Consulta..."
        {"12", "A12"},
        {"LAT", "A21"},
        {"zz", "A21"},  // nothing matches: the selection stays
        {"", "A"},
        {"2", "A2"},
    };
    for (const Step& s : steps) {
        form.setSearchText(0, s.typed);
        EXPECT_EQ(selected(form), s.selected) << s.typed;
    }
    // A chosen text searches as a typed one.
    form.CmbSearch.setText("carp");
    form.CmbSearch_Click(0);
    EXPECT_EQ(selected(form), "A1111");
    // Typing opens the branches down to the node found.
    EXPECT_TRUE(form.TreeV.find("A111")->expanded());
}

TEST_F(Tree, F5FiltersTheDescriptionsAndTheFiltersAccumulate) {
    families();
    family("3", "Martillos y mazas");
    Lib_FrmCons3Tree form;
    load(form, kFamilias);
    auto f5 = [&](const std::string& typed) {
        form.setSearchText(0, typed);
        int key = 116;
        form.CmbSearch_KeyDown(0, key, 0);
    };

    f5("mart");
    EXPECT_EQ(form.SQL, "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS  where Descripcion like '%mart%' ORDER BY IDFAMILIA");
    EXPECT_EQ(form.CmbSearch.dataField, "Descripcion");
    EXPECT_EQ(form.CmbSearch.text(), "");
    EXPECT_EQ(outline(form), (std::vector<std::string>{"Consulta...", "  111 - Martillos", "  3 - Martillos y mazas"}));

    f5("maza");
    EXPECT_EQ(form.SQL,
              "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS  where Descripcion like '%mart%'  and Descripcion like "
              "'%maza%' ORDER BY IDFAMILIA");
    EXPECT_EQ(outline(form), (std::vector<std::string>{"Consulta...", "  3 - Martillos y mazas"}));

    // "&Nueva Busqueda" builds the tree again from the statement as it now stands.
    family("31", "Martillos y mazas de goma");
    form.CmdNueva_Click();
    EXPECT_EQ(outline(form),
              (std::vector<std::string>{"Consulta...", "  3 - Martillos y mazas", "    31 - Martillos y mazas de goma"}));
}

TEST_F(Tree, F5StatementsTable) {
    struct Case {
        std::string statement, typed, expected;
    };
    const Case cases[] = {
        // Without an ordering part the condition is added to the statement as it stands.
        {"SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS", "pin",
         "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS where Descripcion like '%pin%' "},
        {"SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS WHERE IDFAMILIA <> '9' order by 1", "pin",
         "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS WHERE IDFAMILIA <> '9'  and Descripcion like '%pin%' order by 1"},
        // An apostrophe is a character to look for.
        {"SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS", "o'b",
         "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS where Descripcion like '%o''b%' "},
        // WHERE as a word, not inside a column's name.
        {"SELECT IDFAMILIA, DESCRIPCION AS NOWHERE FROM V_TA_FAMILIAS", "x",
         "SELECT IDFAMILIA, DESCRIPCION AS NOWHERE FROM V_TA_FAMILIAS where Descripcion like '%x%' "},
    };
    family("1", "O'Brien");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement + " / " + c.typed);
        Lib_FrmCons3Tree form;
        load(form, c.statement);
        form.setSearchText(0, c.typed);
        int key = 116;
        form.CmbSearch_KeyDown(0, key, 0);
        EXPECT_EQ(form.SQL, c.expected);
    }
    Lib_FrmCons3Tree form;
    load(form, kFamilias);
    form.setSearchText(0, "o'b");
    int key = 116;
    form.CmbSearch_KeyDown(0, key, 0);
    EXPECT_EQ(outline(form), (std::vector<std::string>{"Consulta...", "  1 - O'Brien"}));
}

TEST_F(Tree, ArrowsInTheSearchBoxGoToTheTree) {
    families();
    Lib_FrmCons3Tree form;
    load(form, kFamilias);
    form.setFocus(Lib_FrmCons3Tree::Focus::SearchBox);
    EXPECT_EQ(form.indiceBusquedaActual(), 0);
    for (int code : {40, 38, 34, 33}) {
        form.setFocus(Lib_FrmCons3Tree::Focus::SearchBox);
        int key = code;
        form.CmbSearch_KeyDown(0, key, 0);
        EXPECT_EQ(form.focus(), Lib_FrmCons3Tree::Focus::Tree) << code;
    }
    form.setFocus(Lib_FrmCons3Tree::Focus::SearchBox);
    int other = 65;
    form.CmbSearch_KeyDown(0, other, 0);
    EXPECT_EQ(form.focus(), Lib_FrmCons3Tree::Focus::SearchBox);
}

TEST_F(Tree, CancelHandsBackNothingAndUnloadEmptiesTheTree) {
    families();
    Lib_FrmCons3Tree form;
    form.CheckBoxes = true;
    form.CampoDevuelto = "IDFAMILIA";
    form.ValorDevuelto = "antes";
    form.CmpsDevueltos = {"X"};
    load(form, kFamilias);
    tick(form, "A2");
    form.CmdCancelar_Click();
    EXPECT_TRUE(form.hidden());
    EXPECT_EQ(form.ValorDevuelto, base::Value(""));
    EXPECT_TRUE(form.Valores.empty());
    EXPECT_TRUE(form.CmpsDevueltos.empty());
    form.Form_Unload();
    EXPECT_EQ(form.TreeV.count(), 0);
}

TEST_F(Tree, ADoubleClickAccepts) {
    families();
    Lib_FrmCons3Tree form;
    form.CampoDevuelto = "IDFAMILIA";
    load(form, kFamilias);
    select(form, "A21");
    form.TreeV.onDblClick();
    EXPECT_TRUE(form.hidden());
    EXPECT_EQ(form.ValorDevuelto, base::Value("21"));
}

}  // namespace
