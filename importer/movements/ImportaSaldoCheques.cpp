// The opening cheque balance of the tab-separated file "d:\libro5.txt" becomes one opening voucher "  SI":
// every line with a date and an amount is a line of its one entry in MV_ASIENTOS, numbered in the month and
// period of the first such line, where all its lines are booked.
//
// The file is read whole before anything is written: a line whose date or amount cannot be read, or whose
// side is not plain, rejects it, named by line and fields; so does a file whose debits and credits differ,
// since the entry would not balance (the file carries its own closing line). The voucher is then one
// transaction that first removes the lines an earlier run of the file wrote, so a second run replaces the
// first; its number is recorded in the same transaction, so the stock opening never takes the same one.

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "importer/Importar.h"
#include "importer/OpenTransaction.h"
#include "importer/movements/ChequeLines.h"
#include "importer/movements/EntryLines.h"
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

    [[noreturn]] void rechaza(std::string_view que, std::string_view porque) const
    {
        throw base::Error(13, fmt::format("{}{}: {}", ruta_.string(), que, porque), std::string(kRutina));
    }

    [[noreturn]] void rechaza(std::int32_t linea, int campo, std::string_view porque) const
    {
        rechaza(fmt::format(", línea {}, campo {}", linea, campo), porque);
    }

    // A date as the file must hold one: a calendar day, with or without its time. A time alone would read
    // as a day of 1899.
    base::DateTime fecha(const std::vector<std::string>& campos, std::size_t indice, std::int32_t linea) const
    {
        const std::string texto = base::trim(campos[indice]);
        std::optional<base::DateTime> leida;
        if (texto.find_first_of("/-") != std::string::npos) leida = base::parseDate(texto);
        if (!leida) rechaza(linea, static_cast<int>(indice + 1), fmt::format("\"{}\" no es una fecha", texto));
        return *leida;
    }

    base::Currency importe(const std::vector<std::string>& campos, std::size_t indice, std::int32_t linea) const
    {
        const std::string texto = base::trim(campos[indice]);
        if (texto.empty()) return {};
        const std::optional<base::Currency> valor = base::Currency::parse(texto);
        if (!valor) rechaza(linea, static_cast<int>(indice + 1), fmt::format("\"{}\" no es un importe", texto));
        return *valor;
    }

    // Every line that writes, in the file's order, debits and credits equal. Raises naming the path, or the
    // line and field.
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
        base::Currency debitos, creditos;
        while (const std::optional<std::string> texto = archivo.readLine()) {
            ++numero;
            std::string linea = *texto;
            if (!linea.empty() && linea.back() == '\r') linea.pop_back();
            const std::vector<std::string> campos = base::split(linea, "\t");
            if (campos.size() < 11) continue;
            ++contador;
            if (base::trim(campos[1]).empty()) continue;
            LineaLeida leida;
            leida.numeroLinea = numero;
            movimientos::LineaSaldoCheque& l = leida.linea;
            l.fecha = fecha(campos, 1, numero);
            if (!base::trim(campos[2]).empty()) l.vencimiento = fecha(campos, 2, numero);
            const base::Currency debe = importe(campos, 9, numero);
            const base::Currency haber = importe(campos, 10, numero);
            if (debe > base::Currency()) {
                if (haber != base::Currency())
                    rechaza(fmt::format(", línea {}, campos 10 y 11", numero),
                            fmt::format("tiene debe ({}) y haber ({}); una línea va a un solo lado", debe.toText(),
                                        haber.toText()));
                l.debeHaber = 'D';
                l.importe = debe;
                debitos = debitos + debe;
            } else if (haber != base::Currency()) {
                l.debeHaber = 'H';
                l.importe = haber;
                creditos = creditos + haber;
            } else if (debe < base::Currency()) {
                rechaza(numero, 10, fmt::format("el debe es negativo ({}) y no hay haber", debe.toText()));
            } else {
                ++sinImporte_;
                gDB_Dll().registraError(fmt::format("{}, línea {}: sin importe en el debe ni en el haber, no se graba",
                                                    ruta_.string(), numero),
                                        kRutina, 0);
                continue;
            }
            l.cuenta = base::trim(campos[0]);
            l.detalle = campos.size() >= 12 ? base::trim(campos[11]) : std::string("Saldo inicial");
            l.tc = std::string(kTipoGrabado);
            l.secuencia = contador;
            const std::string banco = base::trim(campos[7]);
            if (!banco.empty())
                l.cheque = movimientos::DatosCheque{"-" + base::trim(campos[8]), 1, 48, gUtilidades().RellenaCodigo(banco, 4)};
            lineas.push_back(std::move(leida));
        }
        if (debitos != creditos)
            rechaza("", fmt::format("el debe suma {} y el haber {}; el asiento no balancea", debitos.toText(),
                                    creditos.toText()));
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
        // One entry: numbered in the month and period of its first line, and booked there whole.
        const base::DateTime primera = lineas.front().linea.fecha;
        const int mes = primera.month();
        const int periodo = movimientos::periodoDe(primera);
        const std::int32_t asiento = ObtieneNroAsiento(base::Value(mes), base::Value(periodo), tipoReg_);
        if (asiento <= 0) {
            avisa(fmt::format("{}: no hay número de asiento para el mes {} del período {}; no se graba nada",
                              ruta_.string(), mes, periodo),
                  ui::vbOKOnly | ui::vbCritical);
            return false;
        }
        for (LineaLeida& leida : lineas) {
            movimientos::LineaSaldoCheque& l = leida.linea;
            l.tipoReg = tipoReg_;
            l.sucursal = sucursal_;
            l.numero = numero_;
            l.letra = letra_;
            l.mesOperativo = mes;
            l.periodo = periodo;
            l.numeroAsiento = asiento;
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
