#include "importer/Importar.h"

#include "core/Configuracion.h"
#include "core/ProgramServices.h"
#include "core/StartUp.h"
#include "core/Utilidades.h"
#include "importer/ErrorList.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Prompter.h"
#include "stock/ClsCmnCptes.h"

namespace {

struct CuentaAjuste {
    const char* dataField;
    const char* defecto;
};
constexpr std::array<CuentaAjuste, 4> kCuentasAjuste{{
    {"CtaAjusteCliente", "71104"},
    {"CtaAjusteProveedor", "71104"},
    {"CtaChequesEnCartera", "1110102"},
    {"CtaAjusteCheque", "71104"},
}};

bool same(std::string_view a, std::string_view b) { return base::equalsIgnoringCase(a, b); }

}  // namespace

Importar::Importar(ui::EventPump& pump) : pump_(pump)
{
    TxtPathDatos.name = "TxtPathDatos";
    TxtPathDatos.text = "d:\\migrar";
    for (std::size_t i = 0; i < txtFields.size(); ++i) {
        txtFields[i].name = "txtFields";
        txtFields[i].tag = "ma_Cuentas";
        txtFields[i].dataField = kCuentasAjuste[i].dataField;
        txtFields[i].text = kCuentasAjuste[i].defecto;
    }
    for (std::size_t i = 0; i < kTareas.size(); ++i) {
        chkTabla[i].caption = kTareas[i].caption;
        chkTabla[i].dataField = kTareas[i].dataField;
        chkTabla[i].tag = kTareas[i].tag;
        chkTabla[i].enabled = kTareas[i].enabled;
    }
    Text1.name = "Text1";
    Text1.text = "Text1";
    TxtEdit.name = "TxtEdit";
    TxtEdit.visible = false;
    MSFlexGrid1.name = "MSFlexGrid1";
    MSFlexGrid1.width = 7455;  // twips, as the window lays the error list out
    MSFlexGrid2.name = "MSFlexGrid2";
}

Importar::~Importar() = default;

ClsCmnCptes& Importar::CmnCptes()
{
    if (!cmnCptes_) cmnCptes_ = std::make_unique<ClsCmnCptes>();
    return *cmnCptes_;
}

bool Importar::CargaVentana()
{
    AlicuotaIva = gUtilidades().ValorNumerico(LeeConfiguracion("PIVA"));
    Cancelado = false;
    const std::string clave = programPrompter().inputBox(
        "Este proceso borrara el Maestro de Articulos, precios, equivalencias, historico de precios y borrador de "
        "precios, para luego volver a crearlos..\r\nRequiere el ingreso de la clave Supervisor Quorvex:",
        "Migracion Lumbo");
    if (!same(clave, kClaveSupervisor)) return false;
    TxtPathDatos.text = "Z:\\VORIRADIRIV\\MIGRAR\\" + gDB_Dll().gDBName;
    cambio();
    return true;
}

std::string Importar::CadenaOrigenDbf() const
{
    return "Provider=MSDASQL.1;Persist Security Info=False;Extended Properties=Driver={Microsoft Visual FoxPro "
           "Driver};UID=;SourceDB=" +
           gUtilidades().NormalizaCarpeta(TxtPathDatos.text) +
           ";SourceType=DBF;Exclusive=No;BackgroundFetch=Yes;Collate=Machine;Null=Yes;Deleted=Yes;";
}

std::string Importar::CadenaOrigenExcel() const
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + gUtilidades().NormalizaCarpeta(TxtPathDatos.text) +
           "EMPLEADOSTEMO.xls;Extended Properties=\"Excel 8.0;HDR=Yes;IMEX=1\"";
}

void Importar::entraEnEjecucion()
{
    running_ = true;
    cmdImportar.enabled = false;
    CmdCancelar.enabled = true;
    TxtPathDatos.enabled = false;
    // Nothing else may start work on this window while a task runs: the buttons come back as they were.
    std::array<ui::Button*, 11> others{&CmdVaciaArticulos, &CmdVaciarMovimientos, &CmdDbAcum, &CmdCrearTrigger,
                                       &CmdEliminarTrigger, &CmdElimD, &Command1, &Command2, &Command3, &CmdNETO_FTE,
                                       &cmdImportar};
    for (std::size_t i = 0; i + 1 < others.size(); ++i) {
        otherButtonsEnabled_[i] = others[i]->enabled;
        others[i]->enabled = false;
    }
    cambio();
}

void Importar::vuelveAReposo()
{
    std::array<ui::Button*, 10> others{&CmdVaciaArticulos, &CmdVaciarMovimientos, &CmdDbAcum, &CmdCrearTrigger,
                                       &CmdEliminarTrigger, &CmdElimD, &Command1, &Command2, &Command3, &CmdNETO_FTE};
    for (std::size_t i = 0; i < others.size(); ++i) others[i]->enabled = otherButtonsEnabled_[i];
    TxtPathDatos.enabled = true;
    cmdImportar.enabled = true;
    CmdCancelar.enabled = false;
    running_ = false;
    cambio();
}

void Importar::cmdImportar_Click()
{
    if (running_) return;
    // The list shows this run's refusals: the credit-limit task's stay there while the later tasks run.
    preparaListaErrores(*this);
    entraEnEjecucion();
    Cancelado = false;
    for (std::size_t i = 0; i < chkTabla.size(); ++i) {
        const ui::CheckBox& entrada = chkTabla[i];
        if (base::trim(entrada.dataField).empty() || entrada.value == 0 || Cancelado) continue;
        lblTabla.caption = "Tabla: " + entrada.caption;
        cambio();
        DBOrigen = std::make_unique<DB_Dll>();
        try {
            DBOrigen->gCnn.setConnectionString(same(entrada.dataField, "EMPLEADOSTEMO") ? CadenaOrigenExcel()
                                                                                         : CadenaOrigenDbf());
            DBOrigen->gCnn.open();
            despacha(i);
        } catch (const base::Error& error) {
            // A source that cannot be opened, or a failure no import handled, is told to the operator and the
            // window goes back to rest; the other ticked tasks do not start.
            gDB_Dll().TratamientoErrores(error, ui::vbOKOnly | ui::vbCritical, "cmdImportar_Click");
            lblTabla.caption = "Tabla: " + entrada.caption + " ---> ERROR";
            DBOrigen.reset();
            break;
        }
        DBOrigen->gCnn.close();
        DBOrigen.reset();
        pump_.doEvents();
    }
    vuelveAReposo();
}

void Importar::despacha(std::size_t indice)
{
    const ui::CheckBox& entrada = chkTabla[indice];
    const std::string& clave = entrada.dataField;
    if (same(clave, "LIMITECREDITO")) ImportaLimiteCredito();
    else if (same(clave, "ELIMINARTRIGGER") || same(clave, "VACIARMOVIMIENTOS") || same(clave, "BORRARARTICULOS")) {}
    else if (same(clave, "LISTASCOMPRAS")) ImportaListasCompras();
    else if (same(clave, "COSTOS")) ImportaCostos();
    else if (same(clave, "ARTICULOS")) ImportaArticulos();
    else if (same(clave, "ORDENESPENDIENTES")) ImportaOrdenes();
    else if (same(clave, "EMPLEADOSTEMO")) ImportaEmpleadosTEMO();
    else if (same(clave, "CLIENTES")) ImportaClientes();
    else if (same(clave, "PROVEEDORES")) ImportaProveedores();
    else if (same(clave, "MV_ASIENTOS")) {
        if (same(entrada.caption, "Saldos de Clientes") || same(entrada.caption, "Saldos de Proveedores"))
            ImportaSaldosCtaCte(entrada.caption);
        else if (same(entrada.caption, "Cheques en Cartera"))
            ImportaChequesCartera(entrada.caption);
    } else if (same(clave, "V_MV_STOCK")) {
        if (same(entrada.tag, "Ventas.dbf")) ImportaMovimientosStock("Ventas");
        else if (same(entrada.tag, "Compras.dbf")) ImportaMovimientosStock("Compras");
        else if (same(entrada.tag, "MOVSTK.DBF")) ImportaMovimientosStock("Mov. Varios");
        else ImportaSaldosStock();
    }
}

void Importar::CmdCancelar_Click()
{
    Cancelado = true;
}

bool Importar::Form_Unload()
{
    // A run in progress must end first (Cancelar), or the window would close under it.
    if (running_) return false;
    return programPrompter().msgBox("ACTUALIZASTE LOS ACUMULADORES...?? Es necesario si agregaste mov. de asientos y/o "
                                    "stock... Pulsa NO para volver a la pantalla anterior y actualizar los "
                                    "totalizadores, pulsa SI para salir",
                                    ui::vbYesNo | ui::vbQuestion, "Atencion") == ui::vbYes;
}

