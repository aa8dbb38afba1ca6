#include "stock/StockPostingPreparation.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/DateParsing.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "stock/ClsCmnCptes.h"

#include <cctype>
#include <charconv>

namespace {

bool isElDelGrid(std::string_view text) { return base::equalsIgnoringCase(base::trim(text), kElDelGrid); }

// A four-character code as its literal: the trimmed code padded, or NULL when there is none.
std::string codeLiteral(std::string_view code)
{
    const std::string trimmed = base::trim(code);
    return trimmed.empty() ? "NULL" : gDB_Dll().SQLValue(gUtilidades().RellenaCodigo(trimmed, 4));
}

// The text as a whole number ("0", "-3"), or nothing when it is none.
std::optional<std::string> wholeNumber(std::string_view text)
{
    const std::string trimmed = base::trim(text);
    std::int32_t number = 0;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, number);
    if (trimmed.empty() || error != std::errc() || end != last) return std::nullopt;
    return std::to_string(number);
}

ResultadoPreparacion datoInvalido(std::string mensaje)
{
    return {ResultadoPreparacion::Tipo::DatoInvalido, std::move(mensaje)};
}

// The highest sequence number the voucher's movements already use, 0 when it has none.
std::int32_t lastSequence(const PreparacionStock& p)
{
    std::string statement = "SELECT MAX(SECUENCIA) AS MAX_SECUENCIA FROM V_MV_STOCK WHERE TC = " + p.tc +
                            " AND IDCOMPROBANTE = " + p.idComprobante;
    db::Recordset recordset;
    gDB_Dll().AbrirRecordset(statement, recordset);
    if (recordset.eof()) return 0;
    const double highest = gUtilidades().ValorDoble(gUtilidades().NuloACadena(recordset.field(0).value()));
    gDB_Dll().CierraRecordset(recordset);
    return static_cast<std::int32_t>(highest);
}

}  // namespace

ResultadoPreparacion PreparaStock(ClsCmnCptes& motor, const ArgumentosStock& a, PreparacionStock& p)
{
    DB_Dll& erp = gDB_Dll();
    Utilidades& u = gUtilidades();

    // Arguments that make no posting are refused before anything is read or written.
    const std::optional<base::DateTime> fecha = base::parseDate(a.Fecha);
    if (!fecha) return datoInvalido("La fecha del movimiento de stock no es una fecha válida: \"" + a.Fecha + "\"");
    const std::optional<std::string> complemento = wholeNumber(a.IdComplemento);
    if (!complemento)
        return datoInvalido("El complemento del comprobante no es un número entero: \"" + a.IdComplemento + "\"");
    if (a.EsTransferencia && base::trim(a.IdDepositoDestino).empty())
        return datoInvalido("La transferencia " + base::trim(a.TC) + " " + a.SucNroLetra +
                            " no indica el depósito de destino");

    p.tcRecortado = base::trim(a.TC);
    p.tc = erp.SQLValue(u.RellenaCodigo(p.tcRecortado, 4));
    p.idComprobante = erp.SQLValue(a.SucNroLetra);
    p.idComplemento = *complemento;
    p.fecha = erp.SQLValue(base::Value(*fecha));

    p.tcOrigenDelGrid = isElDelGrid(a.TcOrigen);
    p.tcOrigen = p.tcOrigenDelGrid ? std::string(kElDelGrid) : codeLiteral(a.TcOrigen);
    p.tcOrigenCodigo = p.tcOrigenDelGrid ? std::string() : base::trim(a.TcOrigen);
    p.comprobanteOrigenDelGrid = isElDelGrid(a.ComprobanteOrigen);
    if (p.comprobanteOrigenDelGrid) p.comprobanteOrigen = kElDelGrid;
    else p.comprobanteOrigen = base::trim(a.ComprobanteOrigen).empty() ? "NULL" : erp.SQLValue(a.ComprobanteOrigen);

    // A purchase invoice or delivery note received against an order dates the order's reception, unless the
    // installation makes the reception voucher do it. The update travels with the movements.
    const std::string irObligatorio = base::trim(LeeConfiguracion("IR_Oblig"));
    const bool recepcionPorIR = !irObligatorio.empty() && !base::equalsIgnoringCase(irObligatorio, "NO");
    const bool compraRecibida =
        base::equalsIgnoringCase(p.tcRecortado, "FCC") || base::equalsIgnoringCase(p.tcRecortado, "RMC");
    const bool deUnaOrden = base::equalsIgnoringCase(p.tcOrigenCodigo, "OC") && !p.comprobanteOrigenDelGrid;
    if (compraRecibida && deUnaOrden && !recepcionPorIR)
        p.recepcion = "UPDATE c_mv_cpte SET FechaRecepcion = " + p.fecha + " WHERE TC = " + p.tcOrigen +
                      " AND IDCOMPROBANTE = " + p.comprobanteOrigen + " AND FechaRecepcion IS NULL";

    p.signoRemota = a.SignoRemota;
    if (a.SignoRemota != 0) {
        p.signo = a.SignoRemota;
    } else {
        std::string tc = a.TC;
        p.signo = motor.ObtieneSignoComprobante(tc);
        // A type the table does not hold has been shown to the operator; its movements would all be 0.
        if (p.signo == 0 && !erp.ExisteEnTabla("V_TA_CPTE", u.RellenaCodigo(p.tcRecortado, 4), "CODIGO"))
            return {ResultadoPreparacion::Tipo::TipoInexistente, {}};
    }

    p.compras = base::equalsIgnoringCase(
        base::trim(erp.DatosTabla("V_TA_CPTE", p.tcRecortado, "SISTEMA", "Codigo", 8, "", true)), "COMPRAS");
    p.produccion = base::equalsIgnoringCase(p.tcRecortado, "OP");

    const std::string depositoDefault = codeLiteral(LeeConfiguracion("DepositoDefault"));
    p.depositoDelGrid = isElDelGrid(a.IdDeposito);
    if (p.depositoDelGrid) p.deposito = kElDelGrid;
    else p.deposito = base::trim(a.IdDeposito).empty() ? depositoDefault : codeLiteral(a.IdDeposito);
    p.depositoDeLinea = p.depositoDelGrid ? depositoDefault : p.deposito;

    p.motivoDeLinea = codeLiteral(LeeConfiguracion("MotivoStockDefault"));
    p.motivoDelGrid = isElDelGrid(a.IdMotivoStock);
    if (p.motivoDelGrid) p.motivo = kElDelGrid;
    else p.motivo = base::trim(a.IdMotivoStock).empty() ? p.motivoDeLinea : codeLiteral(a.IdMotivoStock);

    p.depositoDestino = codeLiteral(a.IdDepositoDestino);
    p.esTransferencia = a.EsTransferencia;
    p.pasadas = a.EsTransferencia || p.produccion ? 2 : 1;

    // A production order adds to the movements it already has, after their highest number and one more.
    p.secuencia = 0;
    if (p.produccion) {
        p.depositoDestino = p.deposito;
        p.secuencia = lastSequence(p);
        if (p.secuencia != 0) ++p.secuencia;
    }

    p.cuenta = a.Cuenta;
    const std::string tecnico = base::trim(a.IdTecnico);
    p.idTecnico = base::equalsIgnoringCase(tecnico, "NULL") ? std::string() : erp.SQLValue(u.RellenaCodigo(tecnico, 4));
    p.loteFijo = a.LoteFijo;
    p.aduana = a.Aduana;
    p.loteOrigen = a.LoteOrigen;
    const std::string vendedor = base::trim(a.IdVendedor);
    p.idVendedor = erp.SQLValue(vendedor.empty() ? a.IdVendedor : u.RellenaCodigo(vendedor, 4));
    p.confirmaUDEquiv = base::equalsIgnoringCase(LeeConfiguracion("ConfirmaUDEquiv"), "SI");
    p.piva = motor.PIVA;
    return {};
}
