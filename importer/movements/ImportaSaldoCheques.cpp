// The opening cheque balance of the tab-separated file "d:\libro5.txt" becomes one opening voucher "  SI":
// every line with a date and an amount is a line of its entry in MV_ASIENTOS.
//
// The file is read whole before anything is written: a line whose date or amount cannot be read rejects it,
// named by line and field. The voucher is then one transaction that first removes the lines an earlier run
// of the file wrote, so a second run replaces the first; its number is recorded in the same transaction,
// so the stock opening never takes the same one.

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "importer/Importar.h"
#include "importer/OpenTransaction.h"
#include "importer/movements/ChequeLines.h"
#include "numbering/EntryChecks.h"
#include "numbering/NumberingBooklets.h"
#include "numbering/VoucherTypes.h"
#include "platform/base/DateParsing.h"
#include "platform/base/Error.h"
#include "platform/base/Text.h"
#include "platform/os/PathMapping.h"
#include "platform/os/TextFile.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>
#include <deque>
#include <map>

namespace {

constexpr std::string_view kRutina = "ImportaSaldoCheques";
constexpr std::string_view kArchivo = "d:\\libro5.txt";
constexpr std::string_view kTipo = "SI";
constexpr std::string_view kTipoGrabado = "  SI";

// A line of the file that writes: everything but the voucher's number and its entry number.
struct LineaLeida {
    movimientos::LineaSaldoCheque linea;
    std::int32_t numeroLinea = 0;
};

// The lines are kept where they were read: a file of many lines is never copied over as the list grows.
using Lineas = std::deque<LineaLeida>;

class SaldoCheques {
public:
    explicit SaldoCheques(Importar& ventana) : ventana_(ventana), ruta_(os::mapWindowsPath(kArchivo)) {}

    void ejecuta()
    {
        gCampos.clear();
        Lineas lineas;
        try {
            lineas = lee();
        } catch (const base::Error& error) {
            avisa(error.description(), ui::vbOKOnly | ui::vbCritical);
            return termina(" ---> ERROR");
        }
        if (sinImporte_ > 0)
            avisa(fmt::format("{} líneas de {} no tienen importe (debe y haber en 0): no se grabaron", sinImporte_,
                              ruta_.string()),
                  ui::vbOKOnly | ui::vbExclamation);
        if (lineas.empty()) return termina(" ---> FINALIZADO");
        if (!numerado()) return termina(" ---> ERROR");
        termina(graba(lineas) ? " ---> FINALIZADO" : " ---> DETENIDO");
    }

private:
    void avisa(const std::string& mensaje, int estilo) const
    {
        gDB_Dll().registraError(mensaje, kRutina, 0);
        programPrompter().msgBox(mensaje, estilo, "");
    }

    [[noreturn]] void rechaza(std::int32_t linea, int campo, std::string_view porque) const
    {
        throw base::Error(13, fmt::format("{}, línea {}, campo {}: {}", ruta_.string(), linea, campo, porque),
                          std::string(kRutina));
    }

    base::Currency importe(const std::vector<std::string>& campos, std::size_t indice, std::int32_t linea) const
    {
        const std::string texto = base::trim(campos[indice]);
        if (texto.empty()) return {};
        const std::optional<base::Currency> valor = base::Currency::parse(texto);
        if (!valor) rechaza(linea, static_cast<int>(indice + 1), fmt::format("\"{}\" no es un importe", texto));
        return *valor;
    }

    // Every line that writes, in the file's order. Raises naming the path, or the line and field.
    Lineas lee()
    {
        std::optional<os::TextReader> abierto;
        try {
            abierto.emplace(ruta_);
        } catch (const base::Error& error) {
            throw base::Error(error.number(), fmt::format("{}: {}", ruta_.string(), error.description()), std::string(kRutina));
        }
        os::TextReader& archivo = *abierto;
        Lineas lineas;
        std::int32_t numero = 0, contador = 0;
        while (const std::optional<std::string> texto = archivo.readLine()) {
            ++numero;
            std::string linea = *texto;
            if (!linea.empty() && linea.back() == '\r') linea.pop_back();
            const std::vector<std::string> campos = base::split(linea, "\t");
            if (campos.size() < 11) continue;
            ++contador;
            const std::string fechaTexto = base::trim(campos[1]);
            if (fechaTexto.empty()) continue;
            const std::optional<base::DateTime> fecha = base::parseDate(fechaTexto);
            if (!fecha) rechaza(numero, 2, fmt::format("\"{}\" no es una fecha", fechaTexto));
            std::optional<base::DateTime> vencimiento;
            const std::string vencimientoTexto = base::trim(campos[2]);
            if (!vencimientoTexto.empty()) {
                vencimiento = base::parseDate(vencimientoTexto);
                if (!vencimiento) rechaza(numero, 3, fmt::format("\"{}\" no es una fecha", vencimientoTexto));
            }
            const base::Currency debe = importe(campos, 9, numero);
            const base::Currency haber = importe(campos, 10, numero);
            LineaLeida leida;
            leida.numeroLinea = numero;
            movimientos::LineaSaldoCheque& l = leida.linea;
            if (debe > base::Currency()) {
                l.debeHaber = 'D';
                l.importe = debe;
            } else if (haber != base::Currency()) {
                l.debeHaber = 'H';
                l.importe = haber;
            } else {
                ++sinImporte_;
                gDB_Dll().registraError(fmt::format("{}, línea {}: sin importe en el debe ni en el haber, no se graba",
                                                    ruta_.string(), numero),
                                        kRutina, 0);
                continue;
            }
            l.fecha = *fecha;
            l.cuenta = base::trim(campos[0]);
            l.detalle = campos.size() >= 12 ? base::trim(campos[11]) : std::string("Saldo inicial");
            l.tc = std::string(kTipoGrabado);
            l.vencimiento = vencimiento;
            l.periodo = gPeriodo;
            l.secuencia = contador;
            const std::string banco = base::trim(campos[7]);
            if (!banco.empty())
                l.cheque = movimientos::DatosCheque{"-" + base::trim(campos[8]), 1, 48, gUtilidades().RellenaCodigo(banco, 4)};
            lineas.push_back(std::move(leida));
        }
        return lineas;
    }

    bool numerado()
    {
        tipoReg_ = ObtieneTipoRegCont(std::string(kTipo));
        std::string debeHaber, es;
        ObtieneDatosTipoComprobante(std::string(kTipo), sistema_, debeHaber, es);
        bool modifica = false;
        return Obtener_Nro_Comprobante(std::string(kTipo), sucursal_, numero_, letra_, modifica, true, "", gUNegocio);
    }

    // The earlier run's lines removed, this file's written, the number recorded: all or nothing.
    bool graba(Lineas& lineas)
    {
        Reconstruccion transaccion;
        if (!transaccion.comienza()) return false;
        if (!transaccion.ejecuta("DELETE MV_ASIENTOS WHERE TC = '  SI' AND TRANSMISION = 1", "Saldo inicial de cheques anterior: "))
            return false;
        std::map<int, std::int32_t> asientos;  // by month, read at the month's first line
        for (LineaLeida& leida : lineas) {
            movimientos::LineaSaldoCheque& l = leida.linea;
            const int mes = l.fecha.month();
            if (!asientos.contains(mes)) {
                const std::int32_t asiento = ObtieneNroAsiento(base::Value(mes), base::Value(static_cast<int>(gPeriodo)), tipoReg_);
                if (asiento <= 0) return false;
                asientos[mes] = asiento;
            }
            l.tipoReg = tipoReg_;
            l.sucursal = sucursal_;
            l.numero = numero_;
            l.letra = letra_;
            l.numeroAsiento = asientos[mes];
            if (!transaccion.ejecuta(movimientos::lineaSaldoCheque(l), fmt::format("{}, línea {}: ", ruta_.string(), leida.numeroLinea)))
                return false;
        }
        std::string numeracion;
        const std::string siguiente = " " + std::to_string(gUtilidades().ValorEntero(numero_) + 1);
        if (!GrabaNumeroComprobante(std::string(kTipo), sistema_, sucursal_, siguiente, letra_, true, numeracion, true)) return false;
        return transaccion.ejecuta(numeracion, fmt::format("Número {}{}{} de SI: ", sucursal_, numero_, letra_)) &&
               transaccion.confirma();
    }

    void termina(std::string_view fin)
    {
        ventana_.lblTabla.caption += fin;
        if (fin == " ---> FINALIZADO") ventana_.LblDetalle.caption += fin;
        ventana_.cambio();
    }

    Importar& ventana_;
    std::filesystem::path ruta_;
    std::int32_t sinImporte_ = 0;
    std::string tipoReg_, sistema_, sucursal_, numero_, letra_;
};

}  // namespace

void Importar::ImportaSaldoCheques() { SaldoCheques(*this).ejecuta(); }

void Importar::Command3_Click()
{
    if (running_) return;
    entraEnEjecucion();
    CmdCancelar.enabled = false;  // the file is read and written to its end
    Cancelado = false;
    lblTabla.caption = "Saldo inicial de cheques";
    cambio();
    ImportaSaldoCheques();
    vuelveAReposo();
}
