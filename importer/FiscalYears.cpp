// The services the balance and movement imports stand on: the fiscal years their rows belong to, and the
// batch runner that reports to the caller instead of the operator.

#include "core/BatchRunner.h"
#include "core/ProgramServices.h"
#include "importer/Importar.h"
#include "platform/ui/Prompter.h"

#include <array>
#include <fmt/format.h>

namespace {

struct Ejercicio {
    int periodo;
    const char* descripcion;
    base::DateTime desde, hasta;
};

}  // namespace

void Importar::ValidaEjercicio()
{
    DB_Dll& erp = gDB_Dll();
    db::Recordset ejercicios;
    std::string consulta = "SELECT * FROM MV_EJERCICIOS ";
    erp.AbrirRecordset(consulta, ejercicios);
    // A table that could not be read is not known to be empty: nothing is written into it.
    if (ejercicios.state() == db::kStateClosed) return;
    const bool vacia = ejercicios.eof();
    erp.CierraRecordset(ejercicios);
    if (!vacia) return;

    const std::array<Ejercicio, 2> ejerciciosMigrados{{
        {0, "Ejercicio Anterior", base::DateTime::fromParts(1994, 1, 1), base::DateTime::fromParts(2005, 6, 30)},
        {1, "Ejercicio 2005-2006", base::DateTime::fromParts(2005, 7, 1), base::DateTime::fromParts(2006, 6, 30)},
    }};
    for (const Ejercicio& ejercicio : ejerciciosMigrados) {
        // The dates as the database's own literals: a day/month text is read month first by a server set so.
        std::string insercion = fmt::format(
            "INSERT INTO MV_EJERCICIOS (PERIODO,DESCRIPCION,[FECHA DESDE],[FECHA HASTA]) VALUES({},'{}',{},{})",
            ejercicio.periodo, ejercicio.descripcion, erp.SQLValue(ejercicio.desde), erp.SQLValue(ejercicio.hasta));
        erp.gCnn.errors().clear();
        erp.EjecutaConsultaSQL(insercion);
        if (!erp.gCnn.errors().empty()) programPrompter().msgBox(erp.gCnn.errors().item(0).description, ui::vbOKOnly);
        // Each insert is judged by its own errors only.
        erp.gCnn.errors().clear();
    }
}

void Importar::gActualizarDatosScript3(const ListaSentencias& ListaDeSentencias, bool& lHayError, long* CodError,
                                       bool IgnorarDuplicado, bool IgnorarForeingKey, std::string* Script,
                                       std::string* ErrDesc)
{
    // The caller reads the outcome itself, so nothing is recorded or shown; a statement that cannot be put
    // into the batch fails the batch rather than leaving the record half written.
    constexpr ModoLote kModo{.enviaSinSentencias = true,
                             .grabaError = false,
                             .muestraMensaje = false,
                             .todasLasLineas = true,
                             .armadoConTratamiento = false};
    long codigo = 0;
    std::string lote, sinUso;
    EjecutaLote(ListaDeSentencias, kModo, lHayError, codigo, IgnorarDuplicado, IgnorarForeingKey, lote,
                ErrDesc ? *ErrDesc : sinUso);
    if (CodError) *CodError = codigo;
    if (Script) *Script = lote;
}
