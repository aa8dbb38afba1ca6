#include "importer/ImportLoop.h"

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "importer/Importar.h"
#include "platform/base/ErrorTrap.h"
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

std::string ImportLoop::lineaContadores() const { return c_.linea(); }

// Reading the record and building its statements: a failure there stops the task before anything of the
// record is written.
bool ImportLoop::leeRegistro(const std::function<void()>& trabajo, std::int32_t registro)
{
    try {
        trabajo();
        return true;
    } catch (const base::Error& error) {
        const std::string grabados = registro > 1 ? fmt::format("Quedan grabados los registros 1 a {}", registro - 1)
                                                  : std::string("No se grabó ningún registro");
        const std::string where = fmt::format("Tabla {}, registro {}: {}\r\n{}; el registro {} y los siguientes no se leyeron.",
                                              tabla_, registro, error.description(), grabados, registro);
        gDB_Dll().TratamientoErrores(base::Error(error.number(), where, error.source()), ui::vbOKOnly | ui::vbCritical,
                                     tabla_);
        ventana_.LblDetalle.caption = "DETENIDO en el registro " + std::to_string(registro) + " de " + tabla_;
        ventana_.lblTabla.caption +=
            registro > 1 ? fmt::format(" ---> DETENIDO: grabados los registros 1 a {}, sin leer desde el {}", registro - 1, registro)
                         : std::string(" ---> DETENIDO: ningún registro grabado");
        // The run ends here, as on Cancelar: a later entry would write over the label that says where to resume.
        ventana_.Cancelado = true;
        ventana_.cambio();
        return false;
    }
}

bool ImportLoop::avanza(db::Recordset& origen)
{
    return leeRegistro([&] { origen.moveNext(); }, registro_ + 1);
}

bool ImportLoop::grabaRegistro(const ListaSentencias& sentencias, std::string_view clave)
{
    // The batch runner's transaction without its own box and AUX_ERR row: the one box is this one, which
    // names the legacy record.
    constexpr ModoLote kSinAviso{.grabaError = false, .muestraMensaje = false, .armadoConTratamiento = false};
    bool fallo = false;
    long codigo = 0;
    std::string lote, errores;
    EjecutaLote(sentencias, kSinAviso, fallo, codigo, false, false, lote, errores);
    if (!fallo) return true;
    const std::string registro =
        clave.empty() ? std::to_string(registro_) : fmt::format("{} ({})", registro_, clave);
    errores.erase(errores.find_last_not_of("\r\n ") + 1);
    const std::string mensaje = fmt::format("Tabla {}, registro {}: {}", tabla_, registro, errores);
    const int respuesta = programPrompter().msgBox(mensaje, ui::vbOKOnly, "");
    gDB_Dll().registraError(mensaje, tabla_, respuesta);
    return false;
}

ImportLoop::Fin ImportLoop::porLotes(db::Recordset& origen, const std::function<void(ListaSentencias&)>& armaRegistro)
{
    c_.inicio = programClock().now();
    ListaSentencias lote;
    while (!origen.eof()) {
        ++registro_;
        if (cancelado()) return Fin::Cancelado;
        lote.assign(1, std::string());
        c_.actualizaPromedio(programClock().now());
        ventana_.LblDetalle.caption = lineaContadores();
        ventana_.cambio();
        ++c_.leidos;
        if (!leeRegistro([&] { armaRegistro(lote); }, registro_)) return Fin::Detenido;
        ventana_.HuboError = false;
        long codigo = 0;
        std::string texto, errorTexto;
        EjecutaTransaccion(lote, ventana_.HuboError, codigo, true, false, texto, errorTexto);
        if (ventana_.HuboError) ++c_.errores;
        else ++c_.grabados;
        ventana_.eventos().doEvents();
        if (!avanza(origen)) return Fin::Detenido;
    }
    return Fin::Completo;
}

ImportLoop::Fin ImportLoop::directo(db::Recordset& origen, const std::function<void()>& procesaRegistro,
                                    const std::function<bool()>& pasaPorAlto)
{
    while (!origen.eof()) {
        ++registro_;
        if (cancelado()) return Fin::Cancelado;
        bool salta = false;
        if (pasaPorAlto) {
            // Deciding reads the record too, so a field that cannot be read stops the task the same way.
            if (!leeRegistro([&] { salta = pasaPorAlto(); }, registro_)) return Fin::Detenido;
        }
        if (salta) {
            ventana_.eventos().doEvents();
            if (!avanza(origen)) return Fin::Detenido;
            continue;
        }
        ventana_.LblDetalle.caption = "Procesando Registro " + std::to_string(c_.leidos);
        ventana_.cambio();
        ++c_.leidos;
        if (!leeRegistro(procesaRegistro, registro_)) return Fin::Detenido;
        ventana_.eventos().doEvents();
        if (!avanza(origen)) return Fin::Detenido;
    }
    return Fin::Completo;
}

ImportLoop::Escritura ImportLoop::ejecutaTransaccion(const ListaSentencias& lote, std::string& textoError)
{
    // A record the database refuses is one among many the task may meet: a box for each would stop an
    // unattended run at every one. The task lists it and counts it in its end box instead.
    constexpr ModoLote kSinAviso{.muestraMensaje = false};
    long codigo = 0;
    std::string texto;
    EjecutaLote(lote, kSinAviso, ventana_.HuboError, codigo, true, true, texto, textoError);
    return ventana_.HuboError ? Escritura::Fallido : Escritura::Grabado;
}

ImportLoop::Fin ImportLoop::porRegistro(db::Recordset& origen, const PasosPorRegistro& pasos)
{
    c_.inicio = programClock().now();
    ListaSentencias lote;
    std::int32_t registro = 0;
    while (!origen.eof()) {
        if (cancelado()) return Fin::Cancelado;
        c_.actualizaPromedio(programClock().now());
        ventana_.LblDetalle.caption = pasos.progreso(c_);
        ventana_.cambio();
        ++c_.leidos;
        ++registro;

        Destino destino = Destino::Escribe;
        std::string motivo;
        bool rechazado = false;
        base::ErrorTrap trap([&](const base::Error& error) {
            const int respuesta = pasos.trataError(error, ui::vbAbortRetryIgnore | ui::vbCritical);
            if (respuesta == base::answers::kIgnore) {
                rechazado = true;
                motivo = error.description();
            }
            return respuesta;
        });
        trap.step([&] {
            lote.assign(1, std::string());
            motivo.clear();
            destino = pasos.arma(lote, registro, motivo);
        });
        if (trap.left()) return Fin::Detenido;
        if (rechazado) destino = Destino::Rechaza;

        if (destino == Destino::Rechaza) {
            ++c_.errores;
            pasos.listaError(motivo);
        } else if (destino == Destino::Escribe) {
            std::string errorTexto;
            const Escritura escrito = pasos.ejecuta ? pasos.ejecuta(lote, errorTexto) : ejecutaTransaccion(lote, errorTexto);
            if (escrito == Escritura::Termina) return Fin::Detenido;
            if (escrito == Escritura::Fallido) {
                ++c_.errores;
                pasos.listaError(pasos.textoFallo(errorTexto));
            } else {
                ++c_.grabados;
            }
        }
        ventana_.HuboError = false;
        ventana_.eventos().doEvents();
        try {
            origen.moveNext();
        } catch (const base::Error& error) {
            // The next record cannot be read: what was written stays, and nothing of that record is.
            pasos.trataError(error, ui::vbOKOnly | ui::vbCritical);
            return Fin::Detenido;
        }
    }
    return Fin::Completo;
}
