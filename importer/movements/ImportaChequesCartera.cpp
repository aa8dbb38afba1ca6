// The legacy cheques in portfolio of CHEQUES replace the cheque entries an earlier run wrote: each cheque
// becomes a voucher "  CC" of its own number with a two-line entry, the portfolio account debited with the
// cheque's bank details and the balancing account credited.
//
// The whole replacement is one transaction, from the deletion of the earlier entries to the last cheque's
// booklet advance: a cancel, a cheque that cannot be read, a statement the database refuses or a number
// that cannot be had undo it all, so the earlier cheques stay as they were. The numbering is read inside
// the transaction, so each cheque takes the number after the one before it.

#include "core/AyudaControles.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "importer/OpenTransaction.h"
#include "importer/movements/ChequeLines.h"
#include "importer/movements/EntryLines.h"
#include "importer/movements/ImportRun.h"
#include "importer/movements/LegacyRecord.h"
#include "numbering/EntryChecks.h"
#include "numbering/NumberingBooklets.h"
#include "numbering/VoucherTypes.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

namespace {

constexpr std::string_view kTabla = "CHEQUES";
constexpr std::string_view kRutina = "ImportaChequesCartera";
constexpr std::string_view kTipo = "CC";
constexpr std::string_view kTipoGrabado = "  CC";
constexpr std::string_view kNoReemplazados = " - LOS CHEQUES EN CARTERA NO SE REEMPLAZARON";

std::string sql(std::string_view texto)
{
    std::string literal;
    DB_Dll::agregaTextoSQL(literal, texto);
    return literal;
}

// The bank code as a whole number without leading zeros, right-aligned in 4; empty when the legacy code is
// blank, not a whole number or wider than four digits.
std::string codigoBanco(const std::string& leido)
{
    std::string codigo = base::trim(leido);
    if (codigo.empty() || codigo.size() > 4) return {};
    for (char c : codigo)
        if (c < '0' || c > '9') return {};
    return gUtilidades().RellenaCodigo(std::to_string(std::stoi(codigo)), 4);
}

// The own-cheque flag as the line keeps it: 1 or 0.
int chequePropio(const base::Value& valor)
{
    if (valor.isNull() || valor.isEmpty()) return 0;
    if (valor.kind() == base::Value::Kind::Boolean) return valor.asBoolean() ? 1 : 0;
    return gUtilidades().ValorEntero(valor.toText()) != 0 ? 1 : 0;
}

class ChequesCartera {
public:
    explicit ChequesCartera(Importar& ventana) : corrida_(ventana, std::string(kRutina)), ventana_(ventana) {}

    void ejecuta(std::string_view caption)
    {
        gCampos.clear();
        ventana_.ValidaEjercicio();
        if (!base::equalsIgnoringCase(base::trim(caption), "Cheques en Cartera")) return;
        corrida_.preparaListaErrores();
        if (!cuentas()) return falla();
        db::Recordset origen;
        if (!corrida_.abre("Select * from CHEQUES ", origen)) return;
        if (!tipoLeido() || !transaccion_.comienza()) return falla();
        if (!transaccion_.ejecuta("DELETE MV_ASIENTOS WHERE TC = " + sql(kTipoGrabado) + " AND TRANSMISION = 1",
                                  "Cheques en cartera anteriores: "))
            return falla();

        ImportLoop bucle(ventana_, std::string(kTabla), corrida_.contadores);
        corrida_.contadores.total = static_cast<std::int32_t>(origen.recordCount());
        ImportLoop::PasosPorRegistro pasos = corrida_.pasos("");
        pasos.progreso = [](const ContadoresImportacion& c) { return c.lineaRestante(); };
        pasos.arma = [&](ListaSentencias& lote, std::int32_t registro, std::string&) { return arma(origen, lote, registro); };
        pasos.trataError = [this](const base::Error& error, int) { return rechazaTodo(error); };
        pasos.ejecuta = [this](const ListaSentencias& lote, std::string&) {
            for (const std::string& sentencia : lote)
                if (sentencia.find_first_not_of(' ') != std::string::npos && !transaccion_.ejecuta(sentencia, contexto_))
                    return ImportLoop::Escritura::Termina;
            return ImportLoop::Escritura::Grabado;
        };
        ImportLoop::Fin fin = bucle.porRegistro(origen, pasos);
        gDB_Dll().CierraRecordset(origen);
        if (fin == ImportLoop::Fin::Completo && !transaccion_.confirma()) fin = ImportLoop::Fin::Detenido;
        if (fin == ImportLoop::Fin::Completo) {
            ventana_.lblTabla.caption += " ---> FINALIZADO";
            ventana_.LblDetalle.caption += " ---> FINALIZADO";
            ventana_.cambio();
            return;
        }
        transaccion_.deshace();
        ventana_.LblDetalle.caption += kNoReemplazados;
        corrida_.termina(fin, kTabla);
    }

private:
    // The portfolio and balancing accounts from the window's boxes; false (said) when one is empty.
    bool cuentas()
    {
        std::vector<const ui::TextBox*> cajas;
        for (const ui::TextBox& caja : ventana_.txtFields) cajas.push_back(&caja);
        const AyudaControles& ayuda = gAyudaControles();
        const int cartera = ayuda.IndiceDeCampo("CtaChequesEnCartera", cajas);
        const int ajuste = ayuda.IndiceDeCampo("CtaAjusteCheque", cajas);
        if (cartera >= 0) cuentaCartera_ = base::trim(ventana_.txtFields[cartera].text);
        if (ajuste >= 0) cuentaAjuste_ = base::trim(ventana_.txtFields[ajuste].text);
        if (!cuentaCartera_.empty() && !cuentaAjuste_.empty()) return true;
        const std::string mensaje = "Falta la cuenta de cheques en cartera o la cuenta de ajuste de cheques: no se importan los cheques";
        gDB_Dll().registraError(mensaje, kRutina, 0);
        programPrompter().msgBox(mensaje, ui::vbOKOnly | ui::vbExclamation, "");
        return false;
    }

    // The register type and system of "CC"; false when they could not be read (the operator has been told).
    bool tipoLeido()
    {
        bool leido = false;
        base::ErrorTrap trap([this](const base::Error& error) { return corrida_.trataError(error, ui::vbOKOnly | ui::vbCritical); });
        trap.step([&] {
            tipoReg_ = ObtieneTipoRegCont(std::string(kTipo));
            std::string debeHaber, es;
            ObtieneDatosTipoComprobante(std::string(kTipo), sistema_, debeHaber, es);
            leido = true;
        });
        return leido;
    }

    void falla()
    {
        ventana_.lblTabla.caption += " ---> ERROR";
        ventana_.cambio();
    }

    [[noreturn]] void rechaza(std::int32_t registro, const std::string& porque) const
    {
        throw base::Error(0, fmt::format("Tabla {}, registro {}: {}", kTabla, registro, porque), std::string(kRutina));
    }

    // The cheque's calendar day, bank, both lines and booklet advance, each to run inside the transaction.
    ImportLoop::Destino arma(db::Recordset& origen, ListaSentencias& lote, std::int32_t registro)
    {
        const movimientos::CamposLegado campos(origen, kTabla, registro, kRutina);
        const base::DateTime fechaCheque = campos.fecha("FECH_FTE");
        const base::DateTime vencimiento = campos.fecha("Venc_fte");
        const base::Currency importe = campos.numero("Impo_fte");
        const std::string origenCuenta = base::trim(campos.texto("Cori_fte"));
        const std::string nombre = base::trim(campos.texto("Desc_fte"));
        movimientos::DatosCheque cheque;
        cheque.nroComprobante = base::trim(campos.texto("Seri_fte"));
        cheque.chPropio = chequePropio(campos.valor("Prop_fte"));
        cheque.clearing = static_cast<std::int32_t>(campos.numeroOCero("Clea_fte").scaled() / base::Currency::kScale);
        const std::string banco = campos.texto("Banc_fte");
        cheque.idBanco = codigoBanco(banco);
        if (cheque.idBanco.empty())
            rechaza(registro, fmt::format("el código de banco \"{}\" no es un número de hasta cuatro cifras", base::trim(banco)));
        contexto_ = fmt::format("Tabla {}, registro {}, cheque {}: ", kTabla, registro, cheque.nroComprobante);

        std::string sucursal, numero, letra;
        bool modifica = false;
        if (!Obtener_Nro_Comprobante(std::string(kTipo), sucursal, numero, letra, modifica, true, "", gUNegocio))
            rechaza(registro, "no hay número de CC para el cheque");
        const int periodo = movimientos::periodoDe(fechaCheque);
        const std::int32_t asiento = ObtieneNroAsiento(base::Value(vencimiento.month()), base::Value(periodo), tipoReg_);
        if (asiento <= 0) rechaza(registro, "no hay número de asiento para el cheque");
        std::string numeracion;
        const std::string siguiente = " " + std::to_string(gUtilidades().ValorEntero(numero) + 1);
        if (!GrabaNumeroComprobante(std::string(kTipo), sistema_, sucursal, siguiente, letra, true, numeracion, false))
            rechaza(registro, fmt::format("el número {}{}{} de CC no pudo registrarse en su talonario", sucursal, numero, letra));

        lote.push_back(movimientos::filaCalendario(fechaCheque));
        const std::string idBanco = sql(cheque.idBanco);
        lote.push_back(fmt::format("IF NOT EXISTS (SELECT IDBANCO FROM V_TA_BANCOS WHERE IDBANCO = {0}) INSERT INTO "
                                   "V_TA_BANCOS (IDBANCO,DESCRIPCION) VALUES ({0},'Alta automatica')",
                                   idBanco));
        movimientos::LineaCheque linea;
        linea.tipoReg = tipoReg_;
        linea.fecha = vencimiento;
        linea.cuenta = cuentaCartera_;
        linea.importe = importe;
        linea.cabCuenta = origenCuenta;
        linea.cabNombre = nombre;
        linea.cuentaOrigen = origenCuenta;
        linea.detalle = nombre + "(Migrado Sistema Oracle)";
        linea.tc = std::string(kTipoGrabado);
        linea.sucursal = sucursal;
        linea.numero = numero;
        linea.letra = letra;
        linea.vencimiento = fechaCheque;
        linea.periodo = periodo;
        linea.numeroAsiento = asiento;
        linea.cheque = cheque;
        lote.push_back(movimientos::lineaCheque(linea));
        linea.cuenta = cuentaAjuste_;
        linea.debeHaber = 'H';
        linea.secuencia = 2;
        linea.cheque.reset();
        linea.esAjuste = true;
        lote.push_back(movimientos::lineaCheque(linea));
        lote.push_back(numeracion);
        return ImportLoop::Destino::Escribe;
    }

    // A cheque that cannot be written undoes the replacement; then the refusal is recorded and shown once.
    int rechazaTodo(const base::Error& error)
    {
        transaccion_.deshace();
        corrida_.trataError(error, ui::vbOKOnly | ui::vbCritical);
        return ui::vbAbort;
    }

    movimientos::CorridaImportacion corrida_;
    Importar& ventana_;
    Reconstruccion transaccion_;
    std::string cuentaCartera_, cuentaAjuste_, tipoReg_, sistema_;
    std::string contexto_;  // what the current cheque names in a failure
};

}  // namespace

void Importar::ImportaChequesCartera(std::string_view caption) { ChequesCartera(*this).ejecuta(caption); }
