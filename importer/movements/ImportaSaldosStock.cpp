// The legacy stock balances of SALDOSTK become one opening stock voucher "  SI": one V_MV_STOCK line per
// article and warehouse with a quantity, all dated 15/08/2005 and under one number of the type's booklet.
//
// The voucher is one transaction, from its first line to the booklet's advance: a cancel, a line the
// database refuses, an article the ERP does not have, a record that cannot be read or a number that cannot
// be recorded leave no line and the booklet as it was, and a re-run after the cause is mended writes the
// voucher whole. An opening voucher already in the movements is never written a second time.

#include "core/BatchRunner.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "importer/OpenTransaction.h"
#include "importer/movements/ImportRun.h"
#include "importer/movements/LegacyRecord.h"
#include "numbering/NumberingBooklets.h"
#include "numbering/VoucherTypes.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

namespace {

constexpr std::string_view kTabla = "SALDOSTK";
constexpr std::string_view kRutina = "ImportaSaldosStock";
constexpr std::string_view kTipo = "SI";
constexpr std::string_view kTipoGrabado = "  SI";
constexpr std::string_view kNoGrabado = " - EL SALDO INICIAL DE STOCK NO SE GRABO";

std::string sql(std::string_view texto) { return gDB_Dll().SQLValue(base::Value(std::string(texto))); }

// True when the statement answers a row; a failed read raises.
bool hayFilas(const std::string& consulta)
{
    db::Recordset filas;
    gDB_Dll().abreSinTratamiento(consulta, filas);
    return !filas.eof();
}

// "KG" in whatever case the legacy system wrote it; any other unit is counted in units.
std::string unidadDe(const std::string& leida)
{
    const std::string unidad = base::trim(leida);
    return base::equalsIgnoringCase(unidad, "KG") ? unidad : std::string("UN");
}

class SaldoInicial {
public:
    explicit SaldoInicial(Importar& ventana) : corrida_(ventana, std::string(kRutina)), ventana_(ventana) {}

    void ejecuta()
    {
        gCampos.clear();
        ventana_.ValidaEjercicio();
        corrida_.preparaListaErrores();
        if (!preparado()) return;
        db::Recordset origen;
        if (!corrida_.abre("Select * from SALDOSTK ", origen)) return;
        if (!numerado() || !transaccion_.comienza()) return falla();

        ImportLoop bucle(ventana_, std::string(kTabla), corrida_.contadores);
        ImportLoop::PasosPorRegistro pasos = corrida_.pasos("");
        pasos.progreso = [](const ContadoresImportacion& c) { return "Procesando Registro " + std::to_string(c.leidos + 1); };
        pasos.arma = [&](ListaSentencias& lote, std::int32_t registro, std::string&) { return arma(origen, lote, registro); };
        pasos.trataError = [this](const base::Error& error, int) { return rechazaVoucher(error); };
        pasos.ejecuta = [this](const ListaSentencias& lote, std::string&) {
            if (transaccion_.ejecuta(lote.back(), contexto_)) return ImportLoop::Escritura::Grabado;
            listaRechazo(transaccion_.fallo());
            return ImportLoop::Escritura::Termina;
        };
        ImportLoop::Fin fin = bucle.porRegistro(origen, pasos);
        gDB_Dll().CierraRecordset(origen);
        if (fin == ImportLoop::Fin::Completo && !cierra()) fin = ImportLoop::Fin::Detenido;
        if (fin != ImportLoop::Fin::Completo) {
            transaccion_.deshace();
            ventana_.LblDetalle.caption += kNoGrabado;
        }
        corrida_.termina(fin, kTabla);
    }

private:
    // False when the opening must not be written: one is there already, or the movements cannot be read.
    bool preparado()
    {
        bool hay = true;
        base::ErrorTrap trap([this](const base::Error& error) { return corrida_.trataError(error, ui::vbOKOnly | ui::vbCritical); });
        trap.step([&] { hay = hayFilas("SELECT ID FROM V_MV_STOCK WHERE TC = " + sql(kTipoGrabado)); });
        if (trap.left()) {
            falla();
            return false;
        }
        if (!hay) return true;
        const std::string mensaje = "Los movimientos de stock ya tienen un saldo inicial (SI): no se graba otro";
        gDB_Dll().registraError(mensaje, kRutina, 0);
        programPrompter().msgBox(mensaje, ui::vbOKOnly | ui::vbExclamation, "");
        falla();
        return false;
    }

    // The type's system and the voucher's number, taken once before the first record. False when there is
    // none (the operator has been told).
    bool numerado()
    {
        bool leido = false;
        base::ErrorTrap trap([this](const base::Error& error) { return corrida_.trataError(error, ui::vbOKOnly | ui::vbCritical); });
        trap.step([&] {
            std::string debeHaber, es;
            ObtieneDatosTipoComprobante(std::string(kTipo), sistema_, debeHaber, es);
            leido = true;
        });
        if (!leido) return false;
        bool modifica = false;
        if (!Obtener_Nro_Comprobante(std::string(kTipo), sucursal_, numero_, letra_, modifica, true, "", gUNegocio))
            return false;
        id_ = sucursal_ + numero_ + letra_;
        return true;
    }

    void falla()
    {
        ventana_.lblTabla.caption += " ---> ERROR";
        ventana_.cambio();
    }

    // A line for a record with a quantity; a record without one is passed over. An article the ERP does not
    // have refuses the whole voucher.
    ImportLoop::Destino arma(db::Recordset& origen, ListaSentencias& lote, std::int32_t registro)
    {
        const movimientos::CamposLegado campos(origen, kTabla, registro, kRutina);
        Utilidades& util = gUtilidades();
        const std::string codigo = base::trim(campos.texto("Codi_fte"));
        const std::string deposito = util.RellenaCodigo(base::trim(campos.texto("Depo_fte")), 4);
        const base::Currency cantidad = campos.numero("Cant_fte");
        if (cantidad == base::Currency()) return ImportLoop::Destino::Omite;
        const std::string articulo = util.RellenaCodigo(codigo, 25);
        const std::string unidad = util.RellenaCodigo(unidadDe(campos.texto("Unid_fte")), 4);
        contexto_ = fmt::format("Tabla {}, registro {}, artículo {}, depósito {}: ", kTabla, registro, codigo,
                                base::trim(deposito));

        AgregaCampo("TC", base::Value(std::string(kTipoGrabado)), "'", true);
        AgregaCampo("IdComprobante", base::Value(id_), "'", false);
        AgregaCampo("Secuencia", base::Value(static_cast<long>(lineas_ + 1)), "@", false);
        AgregaCampo("Fecha", base::Value(base::DateTime::fromParts(2005, 8, 15)), "'", false);
        AgregaCampo("IdArticulo", base::Value(articulo), "'", false);
        AgregaCampo("Descripcion", base::Value(base::trim(campos.texto("Desc_fte"))), "'", false);
        AgregaCampo("IdUnidad", base::Value(unidad), "'", false);
        AgregaCampo("IdUnidadBase", base::Value(unidad), "'", false);
        AgregaCampo("Cantidad", base::Value(cantidad), "@", false);
        AgregaCampo("CantidadUd", base::Value(cantidad), "@", false);
        AgregaCampo("IdDeposito", base::Value(deposito), "'", false);
        AgregaCampo("Revisado", base::Value(0), "@", false);
        AgregaCampo("Anulado", base::Value(0), "@", false);
        AgregaCampo("usuario", base::Value(gUsuarioLogeado), "'", false);
        std::string linea = "INSERT INTO V_MV_STOCK ";
        ArmaValores(linea, gCampos, true);

        if (!hayFilas("SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE IDARTICULO = " + sql(articulo))) {
            rechazada_ = linea;
            throw base::Error(0, contexto_ + "el artículo no existe en el maestro de artículos", std::string(kRutina));
        }
        ++lineas_;
        lote.push_back(std::move(linea));
        return ImportLoop::Destino::Escribe;
    }

    // A record that refuses the voucher: the voucher is undone, then the refusal recorded and shown once.
    int rechazaVoucher(const base::Error& error)
    {
        transaccion_.deshace();
        GrabaError(rechazada_, kRutina, error.number(), error.description());
        rechazada_.clear();
        corrida_.trataError(error, ui::vbOKOnly | ui::vbCritical);
        listaRechazo(error.description());
        return ui::vbAbort;
    }

    // What refused the voucher, in the error list as the other imports list their refusals. Not counted:
    // its own box has told the operator, and the end's box that counts the refusals would tell it again.
    void listaRechazo(std::string texto)
    {
        texto.erase(texto.find_last_not_of("\r\n ") + 1);
        ContadoresImportacion& contadores = corrida_.contadores;
        ++contadores.errores;  // the row's ordinal
        corrida_.listaError(texto);
        --contadores.errores;
    }

    // After the last record: the booklet's advance inside the voucher's transaction, then the commit. An
    // empty voucher writes nothing and leaves its number free. False when the voucher was undone.
    bool cierra()
    {
        if (lineas_ == 0) {
            transaccion_.deshace();
            return true;
        }
        std::string numeracion;
        const std::string siguiente = " " + std::to_string(gUtilidades().ValorEntero(numero_) + 1);
        if (!GrabaNumeroComprobante(std::string(kTipo), sistema_, sucursal_, siguiente, letra_, true, numeracion, true)) {
            transaccion_.deshace();
            const std::string mensaje =
                fmt::format("El número {} de SI no pudo registrarse en su talonario: el saldo inicial no se graba", id_);
            gDB_Dll().registraError(mensaje, kRutina, 0);
            programPrompter().msgBox(mensaje, ui::vbOKOnly | ui::vbCritical, "");
            listaRechazo(mensaje);
            return false;
        }
        if (transaccion_.ejecuta(numeracion, fmt::format("Número {} de SI: ", id_)) && transaccion_.confirma()) return true;
        listaRechazo(transaccion_.fallo());
        return false;
    }

    movimientos::CorridaImportacion corrida_;
    Importar& ventana_;
    Reconstruccion transaccion_;
    std::string sistema_, sucursal_, numero_, letra_, id_;
    std::int32_t lineas_ = 0;
    std::string contexto_;   // what the current line names in a failure
    std::string rechazada_;  // the line of a refused record, for its error row
};

}  // namespace

void Importar::ImportaSaldosStock() { SaldoInicial(*this).ejecuta(); }
