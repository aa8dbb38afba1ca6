// The open items of the legacy current accounts (SALDCLIE, SALDPROV) become two-line entries of
// MV_ASIENTOS: the item on the customer's or supplier's account and a balancing line of the same amount on
// the other side of the adjustment account the operator typed into the window. Each record is one
// transaction: its account row (when the account is new) and both lines. The record's date goes into the
// calendar on its own first, as any entry date does.
//
// A second run writes nothing twice, and a run after refused records were mended writes those: a record is
// passed over when the entries hold the line it writes on its account, matched by amount and due date, each
// stored line with one record; or when its voucher is there otherwise, on its account (a line this import did
// not write) or, for a customer, on another customer's account. The records passed over are counted in the
// end text. A voucher without a number of its own takes one no other voucher of its type, branch and
// letter holds, the same on every run. A voucher kept in instalments books its VAT figures once, on its
// first record's line. A record that cannot be written as it is meant (a side that is neither debit nor
// credit, no entry number) is listed and logged, never guessed; at the end one box counts them with the
// batches the database refused.

#include "core/AyudaControles.h"
#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "importer/AccountRow.h"
#include "importer/Importar.h"
#include "importer/movements/EntryLines.h"
#include "importer/movements/ImportRun.h"
#include "importer/movements/LegacyRecord.h"
#include "importer/movements/StoredInstalments.h"
#include "importer/movements/UnnumberedVouchers.h"
#include "importer/movements/VoucherKey.h"
#include "numbering/EntryChecks.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

#include <optional>

namespace movimientos {
namespace {

constexpr long kSinAutorizacion = 50000;

// The side the voucher type fixes for the customer's or supplier's line; none when the legacy record's own
// side stands.
std::optional<char> ladoDelTipo(const std::string& tipo)
{
    if (tipo == "CB" || tipo == "NC" || tipo == "FCC" || tipo == "NDC") return 'H';
    if (tipo == "FC" || tipo == "ND" || tipo == "PG" || tipo == "NCC") return 'D';
    return std::nullopt;
}

// The VAT book a voucher type goes to; none for a type outside the books.
std::optional<std::string> libroIva(const std::string& tipo)
{
    if (tipo == "FC" || tipo == "NC" || tipo == "ND") return "Ventas";
    if (tipo == "FCC" || tipo == "NCC" || tipo == "NDC") return "COMPRAS";
    return std::nullopt;
}

std::string sql(std::string_view texto) { return gDB_Dll().SQLValue(base::Value(std::string(texto))); }

class SaldosCtaCte {
public:
    SaldosCtaCte(Importar& ventana, bool clientes)
        : ventana_(ventana), corrida_(ventana, "ImportaSaldosCtaCte"), clientes_(clientes),
          tabla_(clientes ? "SALDCLIE" : "SALDPROV")
    {
    }

    void ejecuta()
    {
        gCampos.clear();
        ventana_.ValidaEjercicio();
        if (!leeCuentaAjuste()) return;
        corrida_.preparaListaErrores();
        if (!leeNumeracion()) return;
        if (!corrida_.abre("Select * from " + tabla_ + " ", origen_)) return;
        corrida_.contadores.total = static_cast<std::int32_t>(origen_.recordCount());

        ImportLoop::PasosPorRegistro pasos = corrida_.pasos({});
        pasos.progreso = [](const ContadoresImportacion& c) { return c.lineaRestante(); };
        pasos.trataError = [this](const base::Error& error, int) { return trataError(error); };
        pasos.arma = [this](ListaSentencias& lote, std::int32_t registro, std::string& motivo) {
            registro_ = registro;
            return arma(lote, motivo);
        };
        pasos.textoFallo = [this](const std::string& textoError) { return textoFallo(textoError); };
        pasos.ejecuta = [this](const ListaSentencias& lote, std::string& textoError) { return ejecutaLote(lote, textoError); };

        ImportLoop loop(ventana_, tabla_, corrida_.contadores);
        const ImportLoop::Fin fin = loop.porRegistro(origen_, pasos);
        gDB_Dll().CierraRecordset(origen_);
        if (yaImportados_ == 1) ventana_.LblDetalle.caption += " 1 ya estaba importado";
        else if (yaImportados_ > 1) ventana_.LblDetalle.caption += fmt::format(" {} ya estaban importados", yaImportados_);
        corrida_.termina(fin, tabla_);
    }

private:
    // The adjustment account of the window's box for this side. An empty box is told before anything is read:
    // every balancing line would go to no account.
    bool leeCuentaAjuste()
    {
        std::vector<const ui::TextBox*> cajas;
        for (const ui::TextBox& caja : ventana_.txtFields) cajas.push_back(&caja);
        const int indice = gAyudaControles().IndiceDeCampo(clientes_ ? "CtaAjusteCliente" : "CtaAjusteProveedor", cajas);
        if (indice >= 0) ajuste_ = base::trim(ventana_.txtFields[static_cast<std::size_t>(indice)].text);
        if (!ajuste_.empty()) return true;
        programPrompter().msgBox(fmt::format("La cuenta de ajuste de {} está vacía: escríbala antes de importar los saldos.",
                                             clientes_ ? "clientes" : "proveedores"),
                                 ui::vbOKOnly | ui::vbExclamation, "");
        ventana_.lblTabla.caption += " ---> ERROR";
        ventana_.cambio();
        return false;
    }

    // The numbers the records without one may not take, read before anything is written: a record that
    // cannot be read here stops the task before it starts.
    bool leeNumeracion()
    {
        db::Recordset numeros;
        if (!corrida_.abre("Select tipo_fte, Nume_fte from " + tabla_ + " ", numeros)) return false;
        bool leida = false;
        base::ErrorTrap trap([this](const base::Error& error) { return corrida_.trataError(error, ui::vbOKOnly | ui::vbCritical); });
        trap.step([&] {
            sinNumero_.lee(numeros, tabla_, "ImportaSaldosCtaCte");
            leida = true;
        });
        gDB_Dll().CierraRecordset(numeros);
        if (leida) return true;
        ventana_.lblTabla.caption += " ---> ERROR";
        ventana_.cambio();
        return false;
    }

    // A record that cannot be read or built stops the task: one box names the table, the record and, for a
    // field, the field.
    int trataError(const base::Error& error) const
    {
        const std::string prefijo = fmt::format("Tabla {}, registro {}", tabla_, registro_);
        const base::Error nombrado = error.description().starts_with(prefijo)
                                         ? error
                                         : base::Error(error.number(), prefijo + ": " + error.description(), error.source());
        return corrida_.trataError(nombrado, ui::vbOKOnly | ui::vbCritical);
    }

    ImportLoop::Destino rechaza(std::string porque, std::string& motivo) const
    {
        corrida_.rechaza(fmt::format("Tabla {}, registro {}: {}; no se importa", tabla_, registro_, porque), motivo);
        return ImportLoop::Destino::Rechaza;
    }

    ImportLoop::Destino arma(ListaSentencias& lote, std::string& motivo)
    {
        Utilidades& util = gUtilidades();
        const CamposLegado campos(origen_, tabla_, registro_, "ImportaSaldosCtaCte");
        const base::DateTime fecha = campos.fecha("FECH_FTE");
        std::string calendario = filaCalendario(fecha);
        gDB_Dll().EjecutaConsultaSQL(calendario);

        const std::string cuenta = base::trim(campos.texto("cuen_fte"));
        const std::string tipo = base::toUpperCase(base::trim(campos.texto("tipo_fte")));
        ClaveComprobante clave = claveComprobante(campos.texto("tipo_fte"), campos.texto("Nume_fte"));
        // A voucher without a number takes the run's next free one, for both its lines.
        if (clave.numeroCero) clave.numero = sinNumero_.siguiente(clave);

        LineaAsiento linea;
        if (const auto lado = ladoDelTipo(tipo)) {
            linea.debeHaber = *lado;
        } else {
            const std::string dh = base::toUpperCase(base::trim(campos.texto("DH_fte")));
            if (dh != "D" && dh != "H")
                return rechaza(fmt::format("el tipo \"{}\" deja el lado a DH_fte, y \"{}\" no es D ni H",
                                           base::trim(campos.texto("tipo_fte")), base::trim(campos.texto("DH_fte"))),
                               motivo);
            linea.debeHaber = dh[0];
        }
        if (cuenta.empty()) return rechaza("cuen_fte está vacío", motivo);

        const std::int32_t cuota = cuotas_.registra(clave, cuenta);
        const base::Currency total = campos.numeroOCero("CTot_fte");
        // Each instalment repeats the voucher's total: the VAT book takes it from the first one's line alone.
        base::Currency totalIva;
        if (cuota == 1) totalIva = tipo == "NC" || tipo == "NCC" ? -total : total;
        const CuotasGuardadas::Cuota escrita{campos.numero("Impo_fte"), campos.fechaONula("Venc_fte"),
                                             totalIva != base::Currency()};
        if (yaImportado(clave, cuenta, escrita)) {
            ++yaImportados_;
            return ImportLoop::Destino::Omite;
        }

        const bool compras = base::equalsIgnoringCase(base::trim(campos.texto("Subd_fte")), "CPAS");
        linea.tipoReg = compras ? "CPRA" : "VTAS";
        linea.fecha = fecha;
        linea.periodo = periodoDe(fecha);
        linea.numeroAsiento = ObtieneNroAsiento(base::Value(fecha.month()), base::Value(linea.periodo), linea.tipoReg);
        if (linea.numeroAsiento <= 0)
            return rechaza(fmt::format("no hay número de asiento para el mes {} del período {} en {}", fecha.month(),
                                       linea.periodo, linea.tipoReg),
                           motivo);

        const std::string nombre = campos.texto("Nomb_fte");
        if (!cuentas::existeCuenta("MA_CUENTAS", cuenta)) {
            lote.back() = "INSERT INTO MA_CUENTAS (CODIGO,DESCRIPCION) VALUES(" + sql(cuenta) + "," +
                          sql(base::replace(nombre, "'", "")) + ")";
            lote.emplace_back();
        }

        linea.cuenta = cuenta;
        linea.importe = escrita.importe;
        // The header account as the legacy system wrote it; only the blanks its field pads it with go.
        linea.cabCuenta = base::rightTrim(campos.texto("Ccue_fte"));
        linea.cabImporte = total;
        linea.tc = clave.tc;
        linea.sucursal = clave.sucursal;
        linea.numero = clave.numero;
        linea.letra = clave.letra;
        linea.cabecera = CabeceraAsiento{libroIva(tipo),
                                         totalIva,
                                         base::trim(nombre),
                                         escrita.vencimiento,
                                         base::trim(campos.texto("Cuit_fte")),
                                         util.RellenaCodigo(base::trim(campos.texto("CIva_fte")), 4)};
        linea.detalle = base::trim(campos.texto("Glos_fte"));
        if (clientes_) linea.idVendedor = util.RellenaCodigo(base::trim(campos.texto("codv_fte")), 4);
        lote.back() = lineaSaldo(linea);
        lote.emplace_back();
        ventana_.eventos().doEvents();

        linea.debeHaber = linea.debeHaber == 'H' ? 'D' : 'H';
        linea.cuenta = ajuste_;
        linea.cabecera.reset();
        linea.secuencia = 2;
        linea.esAjuste = true;
        lote.back() = lineaSaldo(linea);
        lote.emplace_back();
        return ImportLoop::Destino::Escribe;
    }

    // Whether the entries hold this record already: its line on its account or the voucher there, or for a
    // customer the voucher on a customer's account. This import's lines on the record's own account are the
    // ones matched record by record; they do not make the voucher one the ERP holds.
    bool yaImportado(const ClaveComprobante& clave, const std::string& cuenta, const CuotasGuardadas::Cuota& escrita)
    {
        if (guardadas_.guardada(clave, cuenta, escrita)) return true;
        return clientes_ && ExisteAsientoCliente(clave.tc, clave.sucursal, clave.numero, clave.letra, cuenta, kTransmisionSaldos);
    }

    // The record's batch with nothing tolerated and no box of its own: the refusal is listed and counted
    // with the others. A trigger's refusal (50000) is the user's rights on accounts, which the operator may
    // mend now and have the batch sent once more.
    ImportLoop::Escritura ejecutaLote(const ListaSentencias& lote, std::string& textoError)
    {
        constexpr ModoLote kSinAviso{.grabaError = true, .muestraMensaje = false, .armadoConTratamiento = false};
        bool fallo = false;
        long codigo = 0;
        std::string enviado;
        EjecutaLote(lote, kSinAviso, fallo, codigo, false, false, enviado, textoError);
        if (fallo && codigo == kSinAutorizacion) {
            const int respuesta = programPrompter().msgBox(
                "Este error se produjo porque el usuario actual no tiene autorizada todas las cuentas, por favor, entre en "
                "autorizacion de tareas, grupos, seleccione el usuario actual y marque todas las cuentas, cuando lo haya "
                "hecho, pulse SI para continuar con el proceso.. para abortar pulse no",
                ui::vbYesNo | ui::vbQuestion, "Atencion");
            if (respuesta != ui::vbYes) return ImportLoop::Escritura::Termina;
            fallo = false;
            codigo = 0;
            textoError.clear();
            EjecutaLote(lote, kSinAviso, fallo, codigo, false, false, enviado, textoError);
        }
        return fallo ? ImportLoop::Escritura::Fallido : ImportLoop::Escritura::Grabado;
    }

    std::string textoFallo(const std::string& textoError) const
    {
        std::string errores = textoError;
        errores.erase(errores.find_last_not_of("\r\n ") + 1);
        std::string texto = fmt::format("Tabla {}, registro {}: {}", tabla_, registro_, errores);
        gDB_Dll().registraError(texto, "ImportaSaldosCtaCte", 0);
        return texto;
    }

    Importar& ventana_;
    CorridaImportacion corrida_;
    const bool clientes_;
    const std::string tabla_;
    std::string ajuste_;
    db::Recordset origen_;
    std::int32_t registro_ = 0;
    NumeracionSinNumero sinNumero_;
    CuotasComprobante cuotas_;
    CuotasGuardadas guardadas_;
    std::int32_t yaImportados_ = 0;
};

}  // namespace
}  // namespace movimientos

void Importar::ImportaSaldosCtaCte(std::string_view caption)
{
    const bool clientes = base::equalsIgnoringCase(caption, "Saldos de Clientes");
    if (!clientes && !base::equalsIgnoringCase(caption, "Saldos de Proveedores")) return;
    movimientos::SaldosCtaCte(*this, clientes).ejecuta();
}
