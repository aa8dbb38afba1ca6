// F5 in the main window's balancing-account boxes: the account lookup and what it leaves in the box.

#include "core/ConsultasFile.h"
#include "importer/Importar.h"
#include "lookup/Lib_ClsCons3.h"
#include "tests/core/ProgramFixture.h"
#include "tests/lookup/ScriptedLookupWindows.h"

namespace {

class AccountLookup : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        // As start-up leaves it: the definition file with the built-in lookups, none of them for accounts.
        AjustesConsultas& ajustes = gAjustesConsultas();
        ajustes.gRutaMascaraConsultas = (folder.path() / "consultas.qvx").string();
        ajustes.gUsarMascarasConsultas = true;
        ajustes.gConnString = gDB_Dll().gConnString;
        RegistraConsultas();
        resetLib_ClsCons3();
        account("2110101000007", "Proveedor Siete");
        account("71104", "Ajustes");
        account("71105", "Diferencias de cambio");
        window.alCambiar = [this] { ++changes; };
    }
    void TearDown() override
    {
        resetLib_ClsCons3();
        gAjustesConsultas() = {};
        ProgramFixture::TearDown();
    }

    void account(const std::string& code, const std::string& description)
    {
        std::string statement = "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES (" +
                                gDB_Dll().SQLValue(base::Value(code)) + ", " + gDB_Dll().SQLValue(base::Value(description)) + ")";
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_TRUE(gDB_Dll().gCnn.errors().empty()) << statement;
    }

    ui::ScriptedEventPump pump;
    Importar window{pump};
    ScriptedLookupWindows windows;
    int changes = 0;
};

TEST_F(AccountLookup, F5InABoxPicksAnAccountForIt)
{
    windows.onList = [](Lib_FrmCons3& form) { pickRow(form, "CODIGO", "71105"); };
    window.txtFields_KeyDown(2, 116);

    ASSERT_EQ(windows.lists.size(), 1u);
    const ShownList& shown = windows.lists[0];
    // Accounts have no definition: their columns, the description searched and ordered by.
    EXPECT_EQ(shown.SQL,
              "SELECT TOP 1000 BLOQUEO,CODIGOOPCIONAL,DADA_DE_BAJA,LIBRO_IVA_VENTAS,MONEDA,TITULO,TIPOVISTA,DESCRIPCION,"
              "CODIGO FROM ma_Cuentas ORDER BY DESCRIPCION");
    EXPECT_EQ(shown.CampoDevuelto, "codigo");
    EXPECT_FALSE(shown.CheckBoxes);
    EXPECT_EQ(window.IndiceCuentaAjuste, 2);
    EXPECT_EQ(window.txtFields[2].text, "71105");  // trimmed of the list's alignment
    EXPECT_EQ(changes, 1);
    for (std::size_t other : {0u, 1u, 3u}) EXPECT_EQ(window.txtFields[other].text, "71104") << other;
    EXPECT_EQ(gLib_ClsCons3().CampoDevuelto, "");
}

TEST_F(AccountLookup, ALookupClosedWithoutAChoiceLeavesTheBoxAsItWas)
{
    window.txtFields_KeyDown(1, 116);  // the script leaves the window: Esc
    EXPECT_EQ(windows.lists.size(), 1u);
    EXPECT_EQ(window.txtFields[1].text, "71104");
    EXPECT_EQ(changes, 0);

    // Accept without a selected row is no choice either.
    windows.onList = [](Lib_FrmCons3& form) { form.CmdAceptar_Click(); };
    window.txtFields_KeyDown(1, 116);
    EXPECT_EQ(windows.lists.size(), 2u);
    EXPECT_EQ(window.txtFields[1].text, "71104");
    EXPECT_EQ(changes, 0);
}

TEST_F(AccountLookup, OnlyF5InAnAccountBoxLooksUp)
{
    for (int key : {113, 117, 13, 65}) window.txtFields_KeyDown(0, key);
    window.txtFields_KeyDown(4, 116);  // no such box
    EXPECT_EQ(windows.shown(), 0u);

    // A box that is not an account box.
    window.txtFields[3].tag = "ma_Articulos";
    window.txtFields_KeyDown(3, 116);
    EXPECT_EQ(windows.shown(), 0u);
    window.txtFields[3].tag = " MA_CUENTAS ";
    window.txtFields_KeyDown(3, 116);
    EXPECT_EQ(windows.shown(), 1u);
}

TEST_F(AccountLookup, ALookupThatShowsNoWindowDoesNotRepeatTheLastPick)
{
    windows.onList = [](Lib_FrmCons3& form) { pickRow(form, "CODIGO", "2110101000007"); };
    window.txtFields_KeyDown(0, 116);
    ASSERT_EQ(window.txtFields[0].text, "2110101000007");

    // A definition for accounts naming a single column: the operator is told, and box 1 keeps its account.
    ArchivoConsultas(gAjustesConsultas().gRutaMascaraConsultas).agrega({"CUENTAS", "ma_Cuentas", "|CODIGO|", ""});
    prompter.expectMessage("Debe configurar la consulta para esta tabla", ui::vbInformation, "Aviso al operador", ui::vbOK);
    window.txtFields_KeyDown(1, 116);
    EXPECT_EQ(windows.lists.size(), 1u);
    EXPECT_EQ(window.txtFields[1].text, "71104");
}

}  // namespace
