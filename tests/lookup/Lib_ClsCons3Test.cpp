// The lookup engine: the statement a lookup shows, the window it is shown in, what the windows are handed
// and what the engine hands back.

#include "core/ConsultasFile.h"
#include "lookup/Lib_ClsCons3.h"
#include "tests/lookup/PickListFixture.h"
#include "tests/lookup/ScriptedLookupWindows.h"

#include <optional>
#include <stdexcept>

namespace {

class Engine : public PickList {
protected:
    void SetUp() override {
        PickList::SetUp();
        AjustesConsultas& ajustes = gAjustesConsultas();
        ajustes.gRutaMascaraConsultas = (folder.path() / "consultas.qvx").string();
        ajustes.gUsarMascarasConsultas = true;
        ajustes.gConnString = gDB_Dll().gConnString;
        RegistraConsultas();
        ArchivoConsultas archivo(ajustes.gRutaMascaraConsultas);
        // A definition with a condition of its own, a second one for the same table (never used), one without a
        // condition, one that names a single column, and one whose key carries the padding of old files.
        archivo.agrega({"CENTROS", "TA_CCOSTO", "|DESCRIPCION|CODIGO|", "CODIGO <> '9'"});
        archivo.agrega({"CENTROS BIS", "ta_ccosto", "|CODIGO|", ""});
        archivo.agrega({"POSICIONES", "MA_POSICIONES", "|DESCRIPCION|IDPOSICION|", ""});
        archivo.agrega({"UNA COLUMNA", "TA_UNA_COLUMNA", "|DESCRIPCION|", ""});
        archivo.agrega({"LIMPIA", std::string("TA_LIMPIA\0\0", 11) + "ÿÿ", "|NOMBRE|CODIGO|", ""});
    }
    void TearDown() override {
        gAjustesConsultas() = {};
        PickList::TearDown();
    }

    void topConsArt(const std::optional<std::string>& value) {
        run("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'TopConsArt'");
        if (value) setting("TopConsArt", *value);
    }
};

TEST_F(Engine, StatementsAsTheListWindowGetsThem) {
    run("CREATE TABLE TA_SOLO_SELLOS (ID int, FECHAHORA_GRABACION datetime, FECHAHORA_MODIFICACION datetime)");
    run("CREATE TABLE TA_SELECTORES (CODIGO varchar(4), DESCRIPCION varchar(30))");
    struct Case {
        const char* name;
        std::string sql;
        std::string campoBusqueda, where, opcional;
        std::optional<std::string> top;
        std::string statement;
        std::string campoAfter, whereAfter;
        bool ordenarPorLwv = false;
    };
    const std::string kCuentas = "BLOQUEO,CODIGOOPCIONAL,DADA_DE_BAJA,LIBRO_IVA_VENTAS,MONEDA,TITULO,TIPOVISTA,DESCRIPCION,CODIGO";
    const Case cases[] = {
        {"built-in articles", "V_MA_ARTICULOS", "", "", "", std::nullopt,
         "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION",
         "DESCRIPCION", ""},
        {"key in another case", "vt_clientes", "", "", "", std::nullopt,
         "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL",
         "RAZON_SOCIAL", ""},
        {"caller's search column", " Vt_Proveedores ", "CODIGO", "", "", std::nullopt,
         "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 ORDER BY CODIGO", "CODIGO", ""},
        {"caller's condition replaces the default one", "VT_CLIENTES", "", "CODIGO > 5", "", std::nullopt,
         "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE  (CODIGO > 5)  ORDER BY RAZON_SOCIAL",
         "RAZON_SOCIAL", " (CODIGO > 5) "},
        {"own condition wins over the caller's", "TA_CCOSTO", "", "CODIGO > 5", "", std::nullopt,
         "SELECT TOP 1000 DESCRIPCION,CODIGO FROM TA_CCOSTO WHERE CODIGO <> '9' ORDER BY DESCRIPCION", "DESCRIPCION",
         " (CODIGO > 5) "},
        {"first of two definitions", "ta_ccosto", "", "", "", std::nullopt,
         "SELECT TOP 1000 DESCRIPCION,CODIGO FROM TA_CCOSTO WHERE CODIGO <> '9' ORDER BY DESCRIPCION", "DESCRIPCION", ""},
        {"one-character condition", "MA_POSICIONES", "", "x", "", std::nullopt,
         "SELECT TOP 1000 DESCRIPCION,IDPOSICION FROM MA_POSICIONES WHERE x ORDER BY DESCRIPCION", "DESCRIPCION", "x"},
        {"condition starting with (", "MA_POSICIONES", "", "(IDDEPOSITO = '   1')", "", std::nullopt,
         "SELECT TOP 1000 DESCRIPCION,IDPOSICION FROM MA_POSICIONES WHERE (IDDEPOSITO = '   1') ORDER BY DESCRIPCION",
         "DESCRIPCION", "(IDDEPOSITO = '   1')"},
        {"TopConsArt 250", "MA_POSICIONES", "", "", "", "250",
         "SELECT TOP 250 DESCRIPCION,IDPOSICION FROM MA_POSICIONES ORDER BY DESCRIPCION", "DESCRIPCION", ""},
        {"TopConsArt 0", "MA_POSICIONES", "", "", "", "0",
         "SELECT TOP 1000 DESCRIPCION,IDPOSICION FROM MA_POSICIONES ORDER BY DESCRIPCION", "DESCRIPCION", ""},
        {"TopConsArt blank", "MA_POSICIONES", "", "", "", "",
         "SELECT TOP 1000 DESCRIPCION,IDPOSICION FROM MA_POSICIONES ORDER BY DESCRIPCION", "DESCRIPCION", ""},
        {"TopConsArt x", "MA_POSICIONES", "", "", "", "x",
         "SELECT TOP 1000 DESCRIPCION,IDPOSICION FROM MA_POSICIONES ORDER BY DESCRIPCION", "DESCRIPCION", ""},
        {"TopConsArt negative", "MA_POSICIONES", "", "", "", "-5",
         "SELECT TOP 1000 DESCRIPCION,IDPOSICION FROM MA_POSICIONES ORDER BY DESCRIPCION", "DESCRIPCION", ""},
        {"key padded with NUL and 255", "TA_LIMPIA", "", "", "", std::nullopt,
         "SELECT TOP 1000 NOMBRE,CODIGO FROM TA_LIMPIA ORDER BY NOMBRE", "NOMBRE", ""},
        {"generated: reverse column order, the description searched", "ma_Cuentas", "", "", "", std::nullopt,
         "SELECT TOP 1000 " + kCuentas + " FROM ma_Cuentas ORDER BY DESCRIPCION", "DESCRIPCION", ""},
        {"generated: DESCRIPCION first", "TA_FAMILIAS", "", "", "", std::nullopt,
         "SELECT TOP 1000 DESCRIPCION,IDFAMILIA FROM TA_FAMILIAS ORDER BY DESCRIPCION", "DESCRIPCION", ""},
        {"generated: the caller's condition filters", "TA_FAMILIAS", "", "IDFAMILIA LIKE '1%'", "", "250",
         "SELECT TOP 250 DESCRIPCION,IDFAMILIA FROM TA_FAMILIAS WHERE  (IDFAMILIA LIKE '1%')  ORDER BY DESCRIPCION",
         "DESCRIPCION", " (IDFAMILIA LIKE '1%') "},
        {"generated: no column to order by", "TA_SOLO_SELLOS", "", "", "", std::nullopt,
         "SELECT TOP 1000  *  FROM TA_SOLO_SELLOS", "", "", true},
        {"generated: a table whose name holds the letters select", "TA_SELECTORES", "", "", "", std::nullopt,
         "SELECT TOP 1000 DESCRIPCION,CODIGO FROM TA_SELECTORES ORDER BY DESCRIPCION", "DESCRIPCION", ""},
        {"optional statement", "MA_CUENTAS", "", "CODIGO > 5", "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS", std::nullopt,
         "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS", "", " (CODIGO > 5) ", true},
        {"SELECT passed on, ordered", "select IDARTICULO, DESCRIPCION from V_MA_ARTICULOS order by IDARTICULO", "", "",
         "", std::nullopt, "select IDARTICULO, DESCRIPCION from VT_MA_ARTICULOS order by IDARTICULO", "", ""},
        {"SELECT passed on, the list sorts", "Select * From VT_MA_ARTICULOS", "", "CODIGO > 5", "", std::nullopt,
         "Select * From VT_MA_ARTICULOS", "", " (CODIGO > 5) ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        topConsArt(c.top);
        ScriptedLookupWindows windows;
        windows.loads = false;
        Lib_ClsCons3 engine;
        std::string campo = c.campoBusqueda, where = c.where;
        engine.ConsultaSearch(c.sql, nullptr, "", &campo, &where, c.opcional);
        ASSERT_EQ(windows.lists.size(), 1u);
        EXPECT_EQ(windows.lists[0].SQL, c.statement);
        EXPECT_EQ(windows.lists[0].CampoBusqueda, c.campoAfter);
        EXPECT_EQ(campo, c.campoAfter);
        EXPECT_EQ(where, c.whereAfter);
        EXPECT_EQ(windows.lists[0].OrdenarPorLwv, c.ordenarPorLwv);
    }
}

TEST_F(Engine, WithoutDefinitionsTablesGetTheirColumns) {
    ScriptedLookupWindows windows;
    windows.loads = false;
    Lib_ClsCons3 engine;
    engine.gUsarMascarasConsultas = false;
    engine.ConsultaSearch("TA_CCOSTO");
    // Also when the file is meant to be used but is missing.
    engine.gUsarMascarasConsultas = true;
    std::filesystem::remove(engine.gRutaMascaraConsultas);
    engine.ConsultaSearch("VT_CLIENTES", nullptr, "", nullptr, nullptr, "SELECT CODIGO FROM VT_CLIENTES");
    engine.ConsultaSearch("TA_CCOSTO");
    ASSERT_EQ(windows.lists.size(), 3u);
    EXPECT_EQ(windows.lists[0].SQL, "SELECT TOP 1000 DESCRIPCION,CODIGO FROM TA_CCOSTO ORDER BY DESCRIPCION");
    EXPECT_EQ(windows.lists[1].SQL, "SELECT CODIGO FROM VT_CLIENTES");
    EXPECT_EQ(windows.lists[2].SQL, "SELECT TOP 1000 DESCRIPCION,CODIGO FROM TA_CCOSTO ORDER BY DESCRIPCION");
}

// A user who is not an administrator reads warehouses and cash registers through synonyms of his own; they
// list what an administrator sees, and the pick is the same code.
TEST_F(Engine, WarehousesAndCashRegistersListTheSameRowsForEveryUser) {
    run("INSERT INTO TA_DEPOSITO (IDDEPOSITO, DESCRIPCION) VALUES ('   2', 'Norte')");
    run("INSERT INTO TA_DEPOSITO (IDDEPOSITO, DESCRIPCION) VALUES ('   1', 'Central')");
    run("INSERT INTO TA_CAJAS (IDCAJA, DESCRIPCION) VALUES ('   1', 'Mostrador')");
    struct Case {
        const char* table;
        const char* key;
        std::vector<std::string> listed;  // the descriptions, in the list's order
    };
    const Case cases[] = {
        {"V_TA_DEPOSITO", "IDDEPOSITO", {"Central", "Norte"}},
        {"V_TA_CAJAS", "IDCAJA", {"Mostrador"}},
    };
    for (const Case& c : cases) {
        for (const bool administrator : {true, false}) {
            SCOPED_TRACE(std::string(c.table) + (administrator ? " as an administrator" : " as another user"));
            gDB_Dll().gEsAdmin = administrator;
            ScriptedLookupWindows windows;
            std::vector<std::string> listed;
            windows.onList = [&](Lib_FrmCons3& form) {
                listed = texts(form);
                pickRow(form, c.key, "1");
            };
            Lib_ClsCons3 engine;
            engine.CampoDevuelto = c.key;
            engine.ConsultaSearch(c.table);
            EXPECT_EQ(listed, c.listed);
            EXPECT_EQ(engine.ValorDevuelto, base::Value("   1"));
        }
    }
}

TEST_F(Engine, APickIsHandedBackAndTheLookupsRequestsEnd) {
    account("1", "Uno");
    account("2", "Dos");
    ScriptedLookupWindows windows;
    windows.onList = [](Lib_FrmCons3& form) { pickRow(form, "CODIGO", "2"); };
    Lib_ClsCons3 engine;
    engine.CampoDevuelto = "codigo";
    engine.UsaCantidades = true;
    std::vector<std::string> columnas{"DESCRIPCION"};
    engine.ConsultaSearch("MA_CUENTAS", &columnas, "Do", nullptr, nullptr, "", false, "2,3");

    ASSERT_EQ(windows.lists.size(), 1u);
    const ShownList& shown = windows.lists[0];
    EXPECT_EQ(shown.CampoDevuelto, "codigo");
    EXPECT_EQ(shown.FiltroInicial, "Do");
    EXPECT_EQ(shown.ValoresDefault, "2,3");
    EXPECT_EQ(shown.CmpsDevueltos, std::vector<std::string>{"DESCRIPCION"});
    EXPECT_TRUE(shown.UsaCantidades);
    EXPECT_FALSE(shown.CheckBoxes);

    // Cells after the first are shown right-aligned in four characters, and handed back as shown.
    EXPECT_EQ(engine.ValorDevuelto, base::Value("   2"));
    EXPECT_EQ(engine.Valores, std::vector<std::string>{" Dos"});
    EXPECT_TRUE(engine.Cantidades.empty());
    // The returned column and the caller's column list held for this lookup only.
    EXPECT_EQ(engine.CampoDevuelto, "");
    EXPECT_TRUE(columnas.empty());
}

TEST_F(Engine, AMultiPickTicksOnceAndRowsStartTickedFromTheDefaults) {
    account("1", "Uno");
    account("2", "Dos");
    account("10", "Diez");
    ScriptedLookupWindows windows;
    std::vector<std::string> startTicked;
    windows.onList = [&](Lib_FrmCons3& form) {
        startTicked = checkedTexts(form);
        form.ListView1.item(1).setChecked(true);
        form.CmdAceptar_Click();
    };
    Lib_ClsCons3 engine;
    engine.Checks = true;
    engine.CampoDevuelto = "CODIGO";
    engine.ConsultaSearch("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO", nullptr, "", nullptr, nullptr,
                          "", false, "2");
    ASSERT_EQ(windows.lists.size(), 1u);
    EXPECT_TRUE(windows.lists[0].CheckBoxes);
    EXPECT_EQ(startTicked, std::vector<std::string>{"2"});
    EXPECT_EQ(engine.Valores, (std::vector<std::string>{"1", "2"}));
    EXPECT_FALSE(engine.Checks);

    // The next lookup is a single pick again.
    engine.ConsultaSearch("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS");
    ASSERT_EQ(windows.lists.size(), 2u);
    EXPECT_FALSE(windows.lists[1].CheckBoxes);
}

TEST_F(Engine, AClosedLookupHandsBackNothing) {
    account("1", "Uno");
    ScriptedLookupWindows windows;
    Lib_ClsCons3 engine;
    engine.ValorDevuelto = "antes";
    engine.ConsultaSearch("MA_CUENTAS");  // the script leaves the window: Esc
    EXPECT_EQ(windows.lists.size(), 1u);
    EXPECT_EQ(engine.ValorDevuelto, base::Value(""));
    EXPECT_TRUE(engine.Valores.empty());
}

TEST_F(Engine, ALookupWithoutAWindowLeavesNoEarlierPickBehind) {
    account("1", "Uno");
    ScriptedLookupWindows windows;
    windows.onList = [](Lib_FrmCons3& form) {
        pickRow(form, "CODIGO", "1");
    };
    Lib_ClsCons3 engine;
    engine.CampoDevuelto = "CODIGO";
    std::vector<std::string> columnas{"DESCRIPCION"};
    engine.ConsultaSearch("MA_CUENTAS", &columnas);
    ASSERT_EQ(engine.ValorDevuelto, base::Value("   1"));
    ASSERT_EQ(engine.Valores, std::vector<std::string>{" Uno"});

    // A definition naming one column and no search column from the caller: the operator is told, no window.
    prompter.expectMessage("Debe configurar la consulta para esta tabla", ui::vbInformation, "Aviso al operador", ui::vbOK);
    engine.CampoDevuelto = "DESCRIPCION";
    engine.Checks = true;
    engine.ConsultaSearch("TA_UNA_COLUMNA");
    EXPECT_EQ(windows.shown(), 1u);
    EXPECT_EQ(engine.ValorDevuelto, base::Value());
    EXPECT_TRUE(engine.Valores.empty());
    EXPECT_TRUE(engine.Cantidades.empty());
    // What the caller asked for still stands for the next lookup that shows a window.
    EXPECT_EQ(engine.CampoDevuelto, "DESCRIPCION");
    EXPECT_TRUE(engine.Checks);

    // With a search column from the caller the one-column definition shows.
    std::string campo = "DESCRIPCION";
    windows.loads = false;
    windows.onList = nullptr;
    engine.ConsultaSearch("TA_UNA_COLUMNA", nullptr, "", &campo);
    ASSERT_EQ(windows.lists.size(), 2u);
    EXPECT_EQ(windows.lists[1].SQL, "SELECT TOP 1000 DESCRIPCION FROM TA_UNA_COLUMNA ORDER BY DESCRIPCION");
}

TEST_F(Engine, TheSettingsReadAtCreationReachTheListWindow) {
    setting("MostrarStockenConsultas", "SI");
    setting("Stk_Nivel1", "255");
    setting("Stk_Nivel2", "");
    setting("Stk_Nivel4", "&H00FF00&");
    setting("UsaConsultaLIKE", "si");
    ScriptedLookupWindows windows;
    windows.loads = false;
    Lib_ClsCons3 engine;
    EXPECT_TRUE(engine.usaConsultaLike());
    engine.ConsultaSearch("SELECT CODIGO FROM MA_CUENTAS");
    ASSERT_EQ(windows.lists.size(), 1u);
    const ShownList& shown = windows.lists[0];
    EXPECT_EQ(shown.MuestraStock, "SI");
    EXPECT_EQ(shown.StkNivel1, base::Value("255"));
    EXPECT_EQ(shown.StkNivel2, base::Value(0));    // an empty text stands for 0
    EXPECT_EQ(shown.StkNivel3, base::Value(" "));  // an absent key reads as one blank: no colour
    EXPECT_EQ(shown.StkNivel4, base::Value("&H00FF00&"));
    EXPECT_TRUE(shown.CfgUsaConsultaLIKE);
}

TEST_F(Engine, TheTreeWindowShowsAndHandsBackItsPick) {
    run("INSERT INTO TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES ('1', 'Herramientas')");
    run("INSERT INTO TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES ('12', 'Electricas')");
    ScriptedLookupWindows windows;
    windows.onTree = [](Lib_FrmCons3Tree& form) {
        form.TreeV.setSelectedItem(form.TreeV.find("A12"));
        form.CmdAceptar_Click();
    };
    Lib_ClsCons3 engine;
    engine.CampoDevuelto = "IDFAMILIA";
    std::vector<std::string> columnas{"X"};
    engine.ConsultaSearch("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA", &columnas, "", nullptr,
                          nullptr, "", true);
    ASSERT_EQ(windows.trees.size(), 1u);
    EXPECT_TRUE(windows.lists.empty());
    EXPECT_EQ(windows.trees[0].SQL, "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");
    EXPECT_EQ(windows.trees[0].CampoDevuelto, "IDFAMILIA");
    EXPECT_FALSE(windows.trees[0].CheckBoxes);
    EXPECT_EQ(engine.ValorDevuelto, base::Value("12"));
    EXPECT_TRUE(engine.Valores.empty());
    EXPECT_EQ(engine.CampoDevuelto, "");
    EXPECT_TRUE(columnas.empty());

    // A multi-pick in the tree.
    windows.onTree = [](Lib_FrmCons3Tree& form) {
        ui::TreeNode* uno = form.TreeV.find("A1");
        uno->setChecked(true);
        form.TreeV_NodeCheck(*uno);
        form.CmdAceptar_Click();
    };
    engine.Checks = true;
    engine.CampoDevuelto = "IDFAMILIA";
    engine.ConsultaSearch("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA", nullptr, "", nullptr,
                          nullptr, "", true);
    ASSERT_EQ(windows.trees.size(), 2u);
    EXPECT_TRUE(windows.trees[1].CheckBoxes);
    EXPECT_EQ(engine.Valores, (std::vector<std::string>{"1", "12"}));
    EXPECT_EQ(engine.ValorDevuelto, base::Value());
    EXPECT_FALSE(engine.Checks);
}

TEST_F(Engine, ALookupNeedsAWayToShowItsWindow) {
    ASSERT_EQ(lookupWindows(), nullptr);
    Lib_ClsCons3 engine;
    EXPECT_THROW(engine.ConsultaSearch("SELECT CODIGO FROM MA_CUENTAS"), std::logic_error);
}

TEST_F(Engine, TheProgramWideEngineLivesUntilDiscarded) {
    Lib_ClsCons3& first = gLib_ClsCons3();
    first.CampoDevuelto = "CODIGO";
    EXPECT_EQ(&gLib_ClsCons3(), &first);
    EXPECT_EQ(gLib_ClsCons3().gRutaMascaraConsultas, gAjustesConsultas().gRutaMascaraConsultas);
    resetLib_ClsCons3();
    EXPECT_EQ(gLib_ClsCons3().CampoDevuelto, "");
    resetLib_ClsCons3();
}

}  // namespace
