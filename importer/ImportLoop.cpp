#include "importer/ImportLoop.h"

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "importer/Importar.h"
#include "platform/base/DateDifference.h"
#include "platform/base/Value.h"
#include "platform/os/Clock.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

bool ImportLoop::cancelado()
{
    if (!ventana_.Cancelado) return false;
    ventana_.LblDetalle.caption = "CANCELADO";
    ventana_.cambio();
    return true;
}

void ImportLoop::actualizaPromedio(base::DateTime ahora)
{
    minutos_ = base::minutesBetween(inicio_, ahora);
    if (minutos_ != minutosPrevios_) {
        promedio_ = leidos_ - leidosAlCambio_;
        leidosAlCambio_ = leidos_;
    } else if (minutos_ == 0) {
        promedio_ = leidos_;
    }
    minutosPrevios_ = minutos_;
}

std::string ImportLoop::lineaContadores() const
{
    return fmt::format("Leidos {} Grabados:{} Errores: {} Inicio: {} transcurrido: {} Min. (Promedio: {} x minuto)", leidos_,
                       grabados_, errores_, base::Value(inicio_).toText(), minutos_, promedio_);
}

// Reading the record and building its statements: a failure there stops the task before anything of the
// record is written.
bool ImportLoop::leeRegistro(const std::function<void()>& trabajo, std::int32_t registro)
{
    try {
        trabajo();
        return true;
    } catch (const base::Error& error) {
        const std::string where = fmt::format("Tabla {}, registro {}: {}", tabla_, registro, error.description());
        gDB_Dll().TratamientoErrores(base::Error(error.number(), where, error.source()), ui::vbOKOnly | ui::vbCritical,
                                     tabla_);
        ventana_.LblDetalle.caption = "DETENIDO en el registro " + std::to_string(registro) + " de " + tabla_;
        ventana_.cambio();
        return false;
    }
}

ImportLoop::Fin ImportLoop::porLotes(db::Recordset& origen, const std::function<void(ListaSentencias&)>& armaRegistro)
{
    inicio_ = programClock().now();
    ListaSentencias lote;
    while (!origen.eof()) {
        if (cancelado()) return Fin::Cancelado;
        lote.assign(1, std::string());
        actualizaPromedio(programClock().now());
        ventana_.LblDetalle.caption = lineaContadores();
        ventana_.cambio();
        ++leidos_;
        if (!leeRegistro([&] { armaRegistro(lote); }, leidos_)) return Fin::Detenido;
        ventana_.HuboError = false;
        long codigo = 0;
        std::string texto, errorTexto;
        EjecutaTransaccion(lote, ventana_.HuboError, codigo, true, false, texto, errorTexto);
        if (ventana_.HuboError) ++errores_;
        else ++grabados_;
        ventana_.eventos().doEvents();
        origen.moveNext();
    }
    return Fin::Completo;
}

ImportLoop::Fin ImportLoop::directo(db::Recordset& origen, const std::function<void()>& procesaRegistro,
                                    const std::function<bool()>& pasaPorAlto)
{
    while (!origen.eof()) {
        if (cancelado()) return Fin::Cancelado;
        bool salta = false;
        if (pasaPorAlto) {
            // Deciding reads the record too, so a field that cannot be read stops the task the same way; the
            // message gives the number the record would have had.
            if (!leeRegistro([&] { salta = pasaPorAlto(); }, leidos_ + 1)) return Fin::Detenido;
        }
        if (salta) {
            ventana_.eventos().doEvents();
            origen.moveNext();
            continue;
        }
        ventana_.LblDetalle.caption = "Procesando Registro " + std::to_string(leidos_);
        ventana_.cambio();
        ++leidos_;
        if (!leeRegistro(procesaRegistro, leidos_)) return Fin::Detenido;
        ventana_.eventos().doEvents();
        origen.moveNext();
    }
    return Fin::Completo;
}

void ImportLoop::verificaErrores()
{
    db::ErrorList& errors = gDB_Dll().gCnn.errors();
    if (errors.empty()) return;
    programPrompter().msgBox(errors.item(0).description, ui::vbOKOnly, "");
    errors.clear();
}
