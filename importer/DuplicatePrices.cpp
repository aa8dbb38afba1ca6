// "Elimina duplicado lista": of the price rows a list has for one article, the one with the lowest ID stays
// and the others are deleted, each recorded in "C:\elimdup.txt" once it is gone.

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "importer/Importar.h"
#include "importer/PriceRows.h"
#include "platform/base/Format.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/os/Clock.h"
#include "platform/os/TextFile.h"
#include "platform/ui/Prompter.h"

#include <optional>
#include <utility>

namespace {

std::string horaActual() { return base::format(base::Value(programClock().now()), "hh:mm:ss"); }

// A value of the side file's line in its plain text form: dates as short dates, Null as nothing.
std::string valorDeLinea(const base::Value& valor)
{
    if (valor.kind() == base::Value::Kind::DateTime) return base::format(valor, "dd/mm/yyyy");
    return precios::texto(valor);
}

// Two keys are one when the database orders them together: letter case and trailing blanks aside.
bool mismaClave(const std::pair<std::string, std::string>& a, const std::pair<std::string, std::string>& b)
{
    return base::equalsIgnoringCase(base::rightTrim(a.first), base::rightTrim(b.first)) &&
           base::equalsIgnoringCase(base::rightTrim(a.second), base::rightTrim(b.second));
}

}  // namespace

void Importar::CmdElimD_Click()
{
    if (running_) return;
    entraEnEjecucion();
    CmdCancelar.enabled = false;  // the removal runs to its end
    cambio();
    DB_Dll& erp = gDB_Dll();
    try {
        os::TextWriter registro(precios::archivoLateral("C:\\elimdup.txt"), os::TextWriter::Mode::Create);
        lblTabla.caption = horaActual();
        LblDetalle.caption = "Armando consulta";
        cambio();
        db::Recordset filas;
        std::string consulta =
            std::string("SELECT IDLISTA,IDARTICULO,ID,COSTO,PRECIO4,PRECIO5,FHOFERTADESDE, FHOFERTAHASTA ") +
            "FROM V_MA_Precios " + " ORDER BY IDLISTA,IDARTICULO,ID";
        erp.AbrirRecordset(consulta, filas);
        if (filas.state() == db::kStateClosed) {  // reported by the data-access object
            LblDetalle.caption = "DETENIDO";
            vuelveAReposo();
            return;
        }

        // Nothing before the first row: a first row without list and article is no duplicate of anything.
        std::optional<std::pair<std::string, std::string>> anterior;
        long leidas = 0, fallidas = 0;
        for (; !filas.eof(); filas.moveNext()) {
            pump_.doEvents();
            const auto campo = [&filas](std::string_view nombre) -> const base::Value& {
                return filas.field(nombre).value();
            };
            std::pair<std::string, std::string> clave{precios::texto(campo("IDLISTA")),
                                                      precios::texto(campo("IDARTICULO"))};
            // A row without list and article cannot be told apart from another such row: it is never deleted.
            const bool sinClave = base::trim(clave.first).empty() && base::trim(clave.second).empty();
            if (!sinClave && anterior && mismaClave(clave, *anterior)) {
                std::string borrado = "DELETE V_MA_PRECIOS WHERE ID = " + erp.SQLValue(campo("ID"), "@");
                erp.EjecutaConsultaSQL(borrado);
                if (erp.gCnn.errors().empty()) {
                    std::string linea = valorDeLinea(campo("ID"));
                    for (const char* columna :
                         {"IDLISTA", "IDARTICULO", "COSTO", "PRECIO4", "PRECIO5", "FHOFERTADESDE", "FHOFERTAHASTA"})
                        linea += "," + valorDeLinea(campo(columna));
                    registro.writeLine(linea);
                } else {
                    // The row stays, so it is not in the file of deleted rows; the error log keeps why.
                    ++fallidas;
                    erp.registraError("No se elimino la fila " + valorDeLinea(campo("ID")) + " de V_MA_PRECIOS: " +
                                          erp.gCnn.errors().item(0).description,
                                      "- CmdElimD_Click", 0);
                    erp.gCnn.errors().clear();
                }
            }
            pump_.doEvents();
            anterior = std::move(clave);
            LblDetalle.caption = std::to_string(++leidas);
            cambio();
        }
        registro.close();
        erp.CierraRecordset(filas);
        lblTabla.caption += " Fin " + horaActual();
        LblDetalle.caption = "LISTO";
        if (fallidas > 0)
            LblDetalle.caption += " - duplicados que no se pudieron eliminar: " + std::to_string(fallidas) + " (ver QVERR.LOG)";
    } catch (const base::Error& error) {
        // The side file cannot be made or written: the removal stops here, without "LISTO".
        erp.TratamientoErrores(error, ui::vbOKOnly | ui::vbCritical, "CmdElimD_Click");
        LblDetalle.caption = "DETENIDO";
    }
    vuelveAReposo();
}
