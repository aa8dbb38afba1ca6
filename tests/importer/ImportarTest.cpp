// The main window's presenter: supervisor key, the run over ticked tasks, Cancel, the legacy source, closing.

#include "importer/Importar.h"
#include "tests/core/ProgramFixture.h"
#include "tests/support/LegacyTables.h"

namespace {

class MainWindow : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        window.alCambiar = [this] {
            if (seen.empty() || seen.back() != window.lblTabla.caption) seen.push_back(window.lblTabla.caption);
        };
        window.TxtPathDatos.text = legacy.path().string();
    }
    void tick(std::initializer_list<std::size_t> entries)
    {
        for (std::size_t i : entries) window.chkTabla[i].value = 1;
    }

    ui::ScriptedEventPump pump;
    Importar window{pump};
    testing_support::TempFolder legacy;
    std::vector<std::string> seen;
};

TEST_F(MainWindow, TheSupervisorKeyGuardsTheProgram)
{
    struct Case { const char* answer; bool passes; };
    for (const Case& c : {Case{"TUPA@", true}, Case{"tupa@", true}, Case{"TUPA", false}, Case{"", false}}) {
        prompter.expectInput(ui::startsWith("Este proceso borrara el Maestro de Articulos"), "Migracion Lumbo", c.answer);
        EXPECT_EQ(window.CargaVentana(), c.passes) << c.answer;
    }
    EXPECT_EQ(window.TxtPathDatos.text, "Z:\\VORIRADIRIV\\MIGRAR\\EMPRESA");
}

TEST_F(MainWindow, TheWindowStartsAsDescribed)
{
    EXPECT_TRUE(window.cmdImportar.enabled);
    EXPECT_FALSE(window.CmdCancelar.enabled);
    EXPECT_FALSE(window.CmdVaciaArticulos.enabled);
    EXPECT_FALSE(window.CmdCrearTrigger.enabled);
    EXPECT_FALSE(window.CmdEliminarTrigger.enabled);
    EXPECT_TRUE(window.CmdVaciarMovimientos.enabled);
    EXPECT_EQ(window.txtFields[2].dataField, "CtaChequesEnCartera");
    EXPECT_EQ(window.txtFields[2].text, "1110102");
    for (std::size_t i : {4u, 5u, 6u, 7u, 8u, 9u, 14u}) EXPECT_FALSE(window.chkTabla[i].enabled) << i;
    EXPECT_EQ(window.chkTabla[20].caption, "ORDENES DE COMPRA PENDIENTE");
    EXPECT_EQ(kOrdenEnPantalla[19], 20u);
    EXPECT_FALSE(window.TxtEdit.visible);
}

TEST_F(MainWindow, TickedTasksRunInListOrder)
{
    testing_support::LegacyTables().table("FCLIENTE", {}).table("SALDCLIE", {}).table("VENTAS", {}).write(
        legacy.path());
    tick({15, 11, 0});
    window.cmdImportar_Click();
    EXPECT_EQ(seen, (std::vector<std::string>{"", "Tabla: " + std::string(kTareas[0].caption),
                                              "Tabla: Saldos de Clientes", "Tabla: Movimientos de Stock de Ventas"}));
    EXPECT_TRUE(window.cmdImportar.enabled);
    EXPECT_FALSE(window.CmdCancelar.enabled);
    EXPECT_FALSE(window.DBOrigen);
}

TEST_F(MainWindow, CancelStopsTheRunAndTheNextRunStartsAfresh)
{
    using testing_support::text;
    testing_support::LegacyTables()
        .table("fciudade", {})
        .table("FCLIENTE", {{{"CODI_FCL", text("000001")}}, {{"CODI_FCL", text("000002")}}})
        .table("FPROVEED", {{{"CODI_FPR", text("1")}}})
        .write(legacy.path());
    tick({1, 2});
    pump.at(1, [this] {
        EXPECT_TRUE(window.ejecutando());
        EXPECT_FALSE(window.cmdImportar.enabled);
        EXPECT_FALSE(window.CmdElimD.enabled);
        EXPECT_FALSE(window.Form_Unload());  // closing waits for the run to end
        window.CmdCancelar_Click();
    });
    window.cmdImportar_Click();
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + std::string(kTareas[1].caption));
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_TRUE(window.Cancelado);
    EXPECT_TRUE(window.CmdElimD.enabled);
    EXPECT_FALSE(window.CmdVaciaArticulos.enabled);

    seen.clear();
    window.cmdImportar_Click();
    EXPECT_FALSE(window.Cancelado);
    EXPECT_EQ(seen.back(), "Tabla: " + std::string(kTareas[2].caption));
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO PROVEEDORES");
}

TEST_F(MainWindow, TheLegacySourceTextsEndTheFolderWithASeparator)
{
    window.TxtPathDatos.text = "Z:\\MIGRAR\\DEMO";
    EXPECT_EQ(window.CadenaOrigenDbf(),
              "Provider=MSDASQL.1;Persist Security Info=False;Extended Properties=Driver={Microsoft Visual FoxPro "
              "Driver};UID=;SourceDB=Z:\\MIGRAR\\DEMO\\;SourceType=DBF;Exclusive=No;BackgroundFetch=Yes;"
              "Collate=Machine;Null=Yes;Deleted=Yes;");
    EXPECT_EQ(window.CadenaOrigenExcel(), "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Z:\\MIGRAR\\DEMO\\EMPLEADOSTEMO.xls;"
                                          "Extended Properties=\"Excel 8.0;HDR=Yes;IMEX=1\"");
}

TEST_F(MainWindow, ASourceThatCannotBeOpenedIsReportedAndTheWindowRests)
{
    window.TxtPathDatos.text = (legacy.path() / "no-such-folder").string();
    tick({1, 2});
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147467259) The dBase folder"),
                           ui::vbOKOnly | ui::vbCritical, "Microsoft Visual FoxPro Driver - cmdImportar_Click Aviso al operador!!! ",
                           ui::vbOK);
    EXPECT_NO_THROW(window.cmdImportar_Click());
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + std::string(kTareas[1].caption) + " ---> ERROR");
    EXPECT_FALSE(window.DBOrigen);
    EXPECT_TRUE(window.cmdImportar.enabled);
    EXPECT_TRUE(window.TxtPathDatos.enabled);
}

TEST_F(MainWindow, ClosingAsksAndNoKeepsTheWindow)
{
    const char* question = "ACTUALIZASTE LOS ACUMULADORES...?? Es necesario si agregaste mov. de asientos y/o stock... "
                           "Pulsa NO para volver a la pantalla anterior y actualizar los totalizadores, pulsa SI para salir";
    prompter.expectMessage(question, ui::vbYesNo | ui::vbQuestion, "Atencion", ui::vbNo)
        .expectMessage(question, ui::vbYesNo | ui::vbQuestion, "Atencion", ui::vbYes);
    EXPECT_FALSE(window.Form_Unload());
    EXPECT_TRUE(window.Form_Unload());
}

}  // namespace
