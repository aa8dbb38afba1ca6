// The window's buttons that act on the ERP database as a whole: the trigger scripts, the accumulator
// program, the purge of the movement tables, the retired purge of articles, and the destination warehouse
// of the orders listed in "C:\A.TXT".

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/ScriptRunner.h"
#include "core/SiblingPrograms.h"
#include "importer/Importar.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/os/PathMapping.h"
#include "platform/os/ProgramFolder.h"
#include "platform/os/TextFile.h"
#include "platform/ui/Prompter.h"

#include <algorithm>
#include <array>
#include <fmt/format.h>
#include <string_view>
#include <vector>

namespace {

// Emptied after the movement tables, in this order.
constexpr std::array<std::string_view, 11> kTablasDeTrabajo{
    "Control_Acceso",  "Control_Mv_Calculo", "Em_C15",          "Em_LibroRojo", "aux_mayores",    "aux_mv_cpte",
    "AC_CuentasDiario", "AC_CuentasDiario_CCosto", "AC_Saldos", "AC_SaldosDiario", "AC_SaldosLayout"};

bool esDeMovimientos(std::string_view tabla)
{
    return base::startsWithIgnoringCase(tabla, "V_MV") || base::startsWithIgnoringCase(tabla, "MV_") ||
           base::startsWithIgnoringCase(tabla, "C_MV");
}

std::string scriptDelPrograma(std::string_view nombre) { return os::findIgnoringCase(os::programFolder(), nombre).string(); }

}  // namespace

void Importar::CmdVaciarMovimientos_Click()
{
    if (running_) return;
    DB_Dll& erp = gDB_Dll();
    const std::string pregunta = "VACIAR TODOS LOS MOVIMIENTOS DE LA BASE DE DATOS.." + erp.gDBName + "\r\n-CONFIRMA?";
    constexpr int kEstilo = ui::vbYesNo | ui::vbCritical | ui::vbDefaultButton2;
    if (programPrompter().msgBox(pregunta, kEstilo, "ATENCION!") != ui::vbYes) return;
    if (programPrompter().msgBox("VUELVA A CONFIRMAR\r\n" + pregunta, kEstilo, "ATENCION!") != ui::vbYes) return;

    // A cancel left over from an import must not stop this purge; "Cancelar" stops it between tables.
    Cancelado = false;
    entraEnEjecucion();

    // False once the operator has cancelled: the tables not reached yet stay as they are.
    const auto vacia = [&](const std::string& tabla) {
        pump_.doEvents();
        LblDetalle.caption = "Procesando " + tabla;
        cambio();
        const std::string nombre = DB_Dll::AddBrackets(tabla);
        // Each statement is judged by its own errors, never by what an earlier one left in the list.
        erp.gCnn.errors().clear();
        std::string truncar = "TRUNCATE TABLE " + nombre;
        erp.EjecutaConsultaSQL(truncar);
        if (!erp.gCnn.errors().empty()) {
            // A table another one refers to cannot be truncated, but its rows may still go one by one.
            erp.gCnn.errors().clear();
            std::string borrar = "DELETE " + nombre;
            erp.EjecutaConsultaSQL(borrar);
            if (!erp.gCnn.errors().empty()) programPrompter().msgBox(erp.gCnn.errors().item(0).description, ui::vbOKOnly);
        }
        erp.gCnn.errors().clear();
        if (!Cancelado) return true;
        LblDetalle.caption = "CANCELADO";
        cambio();
        return false;
    };

    std::vector<std::string> tablas;
    bool cancelada = false;
    base::ErrorTrap trap([&erp](const base::Error& error) {
        return erp.TratamientoErrores(error, {}, "CmdVaciarMovimientos_Click");
    });
    trap.step([&] {
        db::Recordset lista = erp.gCnn.openSchema(db::SchemaKind::Tables);
        for (; !lista.eof() && !cancelada; lista.moveNext()) {
            if (!base::equalsIgnoringCase(base::trim(lista.field("Table_Type").value().toText()), "TABLE")) continue;
            const std::string tabla = lista.field("TABLE_NAME").value().toText();
            tablas.push_back(tabla);
            if (esDeMovimientos(tabla)) cancelada = !vacia(tabla);
            pump_.doEvents();
        }
    });
    if (!trap.left()) {
        for (std::size_t i = 0; i < kTablasDeTrabajo.size() && !cancelada; ++i) {
            const std::string_view tabla = kTablasDeTrabajo[i];
            const bool existe = std::any_of(tablas.begin(), tablas.end(),
                                            [&](const std::string& t) { return base::equalsIgnoringCase(t, tabla); });
            // Not every version of the ERP has every work table: one that is missing has nothing to empty.
            if (!existe) erp.registraError(fmt::format("No existe la tabla {}", tabla), "- CmdVaciarMovimientos_Click", 0);
            else cancelada = !vacia(std::string(tabla));
        }
        if (!cancelada) {
            LblDetalle.caption = "finalizado";
            cambio();
        }
    }
    vuelveAReposo();
}

void Importar::CmdDbAcum_Click()
{
    long resultado = 0;
    EjecutaOpcionMenu("shell:RA_ROZori.exe", "", resultado);
}

void Importar::CmdCrearTrigger_Click()
{
    if (running_) return;
    entraEnEjecucion();
    CmdCancelar.enabled = false;  // a script runs to its end
    picStatus.visible = true;
    LblDetalle.caption += "CREANDO DISPARADORES";
    cambio();
    bool autorizado = false;
    EjecutaScript(scriptDelPrograma("Completo.sql"), VentanaScript{&picStatus, &pump_}, "", autorizado);
    LblDetalle.caption.clear();
    picStatus.visible = false;
    lblTabla.caption.clear();
    vuelveAReposo();
}

void Importar::CmdEliminarTrigger_Click()
{
    if (running_) return;
    entraEnEjecucion();
    CmdCancelar.enabled = false;  // a script runs to its end
    LblDetalle.caption = "ELIMINANDO DISPARADORES";
    picStatus.visible = true;
    cambio();
    bool autorizado = true;
    EjecutaScript(scriptDelPrograma("CompletoDrop.sql"), VentanaScript{&picStatus, &pump_}, "drop trigger", autorizado);
    picStatus.visible = false;
    LblDetalle.caption.clear();
    vuelveAReposo();
}

void Importar::CmdVaciaArticulos_Click()
{
    programPrompter().msgBox("DESHABILITADO", ui::vbOKOnly);
}

void Importar::Command2_Click()
{
    DB_Dll& erp = gDB_Dll();
    try {
        os::TextReader archivo(os::mapWindowsPath("C:\\A.TXT"));
        while (const std::optional<std::string> linea = archivo.readLine()) {
            if (base::trim(*linea).empty()) continue;
            // Leading blanks are part of the five characters. An apostrophe among them is doubled, so the
            // statement stays whole and simply matches no order.
            const std::string numero = base::replace(base::left(*linea, 5), "'", "''");
            std::string actualizacion = "UPDATE C_MV_CPTE SET IDDEPOSITODESTINO = 'A10' WHERE TC = '  OC' AND "
                                        "IDCOMPROBANTE = '000100" +
                                        numero + "0C' AND IDDEPOSITORECEPCION IS NULL";
            long afectados = 0;
            erp.EjecutaConsultaSQL(actualizacion, &afectados);
        }
    } catch (const base::Error& error) {
        // A list that cannot be read changes nothing it has not reached; the operator is told why.
        erp.TratamientoErrores(error, ui::vbOKOnly | ui::vbCritical, "Command2_Click");
    }
}
