// The net taxable amount of every supplier voucher of SALDPROV goes into the supplier's line of its balance
// entry (the balancing line on the adjustment account keeps none), with the sign the balances gave its total:
// a credit note's net is negative. Each record is one UPDATE; a record whose voucher has no line to take it
// is listed and logged, as is one the database refuses, and one box at the end counts them. A voucher
// without a number has no line to match and is passed over; so is every instalment of a voucher after its
// first, whose line carries no VAT figures.

#include "core/DB_Dll.h"
#include "importer/Importar.h"
#include "importer/movements/ImportRun.h"
#include "importer/movements/LegacyRecord.h"
#include "importer/movements/VoucherKey.h"
#include "platform/base/Text.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

namespace movimientos {
namespace {

constexpr std::string_view kTabla = "SALDPROV";
constexpr std::string_view kRutina = "ActualizaNetoProveedores";

class NetoProveedores {
public:
    explicit NetoProveedores(Importar& ventana) : ventana_(ventana), corrida_(ventana, std::string(kRutina)) {}

    void ejecuta()
    {
        corrida_.preparaListaErrores();
        db::Recordset origen;
        if (!corrida_.abre("Select * from SALDPROV ", origen)) return;
        corrida_.contadores.total = static_cast<std::int32_t>(origen.recordCount());

        ImportLoop::PasosPorRegistro pasos = corrida_.pasos({});
        pasos.progreso = [](const ContadoresImportacion& c) { return c.lineaRestante(); };
        pasos.trataError = [this](const base::Error& error, int) { return corrida_.trataError(error, ui::vbOKOnly | ui::vbCritical); };
        pasos.arma = [this, &origen](ListaSentencias& lote, std::int32_t registro, std::string&) {
            return arma(CamposLegado(origen, kTabla, registro, kRutina), registro, lote);
        };
        pasos.ejecuta = [this](const ListaSentencias& lote, std::string& textoError) { return actualiza(lote, textoError); };
        pasos.textoFallo = [this](const std::string& textoError) {
            std::string texto = fmt::format("{}: {}", comprobante_, textoError);
            gDB_Dll().registraError(texto, kRutina, 0);
            return texto;
        };

        ImportLoop loop(ventana_, std::string(kTabla), corrida_.contadores);
        const ImportLoop::Fin fin = loop.porRegistro(origen, pasos);
        gDB_Dll().CierraRecordset(origen);
        corrida_.termina(fin, kTabla);
    }

private:
    ImportLoop::Destino arma(const CamposLegado& campos, std::int32_t registro, ListaSentencias& lote)
    {
        DB_Dll& erp = gDB_Dll();
        const std::string cuenta = base::trim(campos.texto("cuen_fte"));
        const ClaveComprobante clave = claveComprobante(campos.texto("tipo_fte"), campos.texto("Nume_fte"));
        if (clave.numeroCero || cuotas_.registra(clave, cuenta) > 1) return ImportLoop::Destino::Omite;
        const std::string tipo = base::toUpperCase(base::trim(campos.texto("tipo_fte")));
        const base::Currency leido = campos.numeroOCero("NETO_FTE");
        const base::Currency neto = tipo == "NC" || tipo == "NCC" ? -leido : leido;
        comprobante_ = fmt::format("Tabla {}, registro {}: cuenta {}, comprobante {} {}-{}-{}", kTabla, registro, cuenta,
                                   base::trim(clave.tc), clave.sucursal, clave.numero, clave.letra);
        const auto sql = [&erp](const std::string& texto) { return erp.SQLValue(base::Value(texto)); };
        lote.back() = "UPDATE MV_ASIENTOS SET LIVA_ImpNetoGrav = " + erp.SQLValue(base::Value(neto), "@") +
                      " WHERE CUENTA = " + sql(cuenta) + " AND TC = " + sql(clave.tc) + " AND SUCURSAL = " +
                      sql(clave.sucursal) + " AND NUMERO = " + sql(clave.numero) + " AND LETRA = " + sql(clave.letra) +
                      // A later instalment's line: a VAT total of 0 beside a voucher total that is not.
                      " AND (LIVA_TOTAL <> 0 OR CABIMPORTE = 0 OR LIVA_TOTAL IS NULL OR CABIMPORTE IS NULL)";
        return ImportLoop::Destino::Escribe;
    }

    // The record's one statement on its own. A voucher whose line is not there has not been written: the
    // supplier balances have not been imported, or not this one.
    ImportLoop::Escritura actualiza(const ListaSentencias& lote, std::string& textoError)
    {
        DB_Dll& erp = gDB_Dll();
        ventana_.eventos().doEvents();
        std::string sentencia = lote.front();
        long afectadas = 0;
        erp.EjecutaConsultaSQL(sentencia, &afectadas);
        ventana_.eventos().doEvents();
        if (!erp.gCnn.errors().empty()) {
            textoError = erp.gCnn.errors().item(0).description;
            erp.gCnn.errors().clear();
            return ImportLoop::Escritura::Fallido;
        }
        if (afectadas > 0) return ImportLoop::Escritura::Grabado;
        textoError = "ninguna línea de los saldos de proveedores es de ese comprobante y esa cuenta";
        return ImportLoop::Escritura::Fallido;
    }

    Importar& ventana_;
    CorridaImportacion corrida_;
    std::string comprobante_;  // the current record's voucher, for its messages
    CuotasComprobante cuotas_;
};

}  // namespace
}  // namespace movimientos

void Importar::ActualizaNetoProveedores() { movimientos::NetoProveedores(*this).ejecuta(); }

void Importar::CmdNETO_FTE_Click()
{
    if (running_) return;
    // A cancel left over from the task list must not end the pass before its first record.
    Cancelado = false;
    entraEnEjecucion();
    DBOrigen = std::make_unique<DB_Dll>();
    try {
        DBOrigen->gCnn.setConnectionString(CadenaOrigenDbf());
        DBOrigen->gCnn.open();
        ActualizaNetoProveedores();
        DBOrigen->gCnn.close();
    } catch (const base::Error& error) {
        gDB_Dll().TratamientoErrores(error, ui::vbOKOnly | ui::vbCritical, "CmdNETO_FTE_Click");
    }
    DBOrigen.reset();
    vuelveAReposo();
}
