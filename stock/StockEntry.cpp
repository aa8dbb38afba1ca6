// The accounting entry of a stock movement: one line on the motive's account for the value of the moved
// articles, and one line per article cost account on the other side. Nothing is written here: the caller
// runs the statements in the same batch as the stock movement.

#include "stock/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "numbering/EntryChecks.h"
#include "numbering/NumberingBooklets.h"
#include "platform/base/DateParsing.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Prompter.h"
#include "stock/StockEntrySteps.h"

#include <initializer_list>

namespace {

constexpr long kColumnaCosto = 38;
constexpr long kColumnaPrecioSinIVA = 17;

bool esUnoDe(std::string_view TC, std::initializer_list<std::string_view> tipos)
{
    const std::string tipo = base::trim(TC);
    for (std::string_view t : tipos)
        if (base::equalsIgnoringCase(tipo, t)) return true;
    return false;
}

// Sales and purchase vouchers carry their stock value in their own entries.
bool excluido(const std::string& TC, int TipoMov)
{
    if (TipoMov != 99 && esUnoDe(TC, {"FC", "TK", "FKFC", "FP", "NC", "NCP", "ND"})) return true;
    return esUnoDe(TC, {"FCC", "FPC", "NCC", "NCCP", "NDC"});
}

// What the kind of movement decides: the configured motive (none when empty), the column holding the value
// per unit, and the side of the motive's line for an ordinary grid and for the differences grid.
struct Movimiento {
    std::string_view claveMotivo;
    long columnaValor = kColumnaCosto;
    bool debito = false;
    bool debitoDiferencias = false;
    bool porSigno = false;  // the voucher type's stock sign decides the side
};

Movimiento movimientoDe(int TipoMov, const std::string& TC)
{
    switch (TipoMov) {
    case 1: return {"MotivoStockRemito", kColumnaCosto, true, false};
    case 2: return {"MotivoStockComodato", kColumnaCosto, true, false};
    case 3: return {"MotivoStockTransferencias", kColumnaCosto, true, false};
    case 4: return {"MotivoStockTransferencias", kColumnaCosto, false, true};
    case 5: return {"MotivoStockRecepcionOC", kColumnaPrecioSinIVA, false, true};
    case 99: return {};
    default: break;
    }
    if (esUnoDe(TC, {"RMC"})) return {"MotivoStockRecepcionOC", kColumnaPrecioSinIVA, false, true};
    if (esUnoDe(TC, {"IR", "AJP", "SI"})) return {"", kColumnaCosto, false, false};
    if (esUnoDe(TC, {"VS", "AJN"})) return {"", kColumnaCosto, true, true};
    return {"", kColumnaCosto, false, false, true};
}

base::DateTime fechaDelAsiento(const std::string& Fecha)
{
    const auto fecha = base::parseDate(Fecha);
    if (!fecha || !fecha->hasDate())
        throw base::Error(base::errors::kTypeMismatch,
                          "La fecha del asiento de stock no es una fecha válida: '" + Fecha + "'",
                          "GeneraAsientoStock");
    return *fecha;
}

// The motive's account and description; empty when the motive is unknown or has no account.
struct CuentaMotivo {
    std::string cuenta;
    std::string descripcion;
};

CuentaMotivo cuentaDelMotivo(const std::string& eMotivoStock, bool costoMercaderia)
{
    DB_Dll& erp = gDB_Dll();
    Utilidades& util = gUtilidades();
    const std::string codigo = erp.SQLValue(util.RellenaCodigo(base::trim(eMotivoStock), 4));
    std::string statement =
        costoMercaderia
            ? "SELECT V_TA_MotivoVta.IdMotivoVta, V_TA_MotivoVta.Descripcion, V_TA_Input_Ventas.COSTO_MERCADERIA "
              "FROM V_TA_Input_Ventas INNER JOIN V_TA_MotivoVta ON V_TA_Input_Ventas.IdMotivoVta = "
              "V_TA_MotivoVta.IdMotivoVta WHERE V_TA_MotivoVta.IdMotivoVta = " + codigo
            : "SELECT CUENTACONTABLE, Descripcion FROM V_TA_MOTIVOSTOCK WHERE IDMOTIVOSTOCK = " + codigo;
    db::Recordset rs;
    erp.AbrirRecordset(statement, rs);
    CuentaMotivo motivo;
    if (!rs.eof()) {
        const char* columnaCuenta = costoMercaderia ? "COSTO_MERCADERIA" : "CUENTACONTABLE";
        motivo.cuenta = base::trim(util.NuloACadena(rs[columnaCuenta].value()));
        motivo.descripcion = util.NuloACadena(rs["Descripcion"].value());
    }
    erp.CierraRecordset(rs);
    return motivo;
}

void avisa(const std::string& mensaje)
{
    const int answer = programPrompter().msgBox(mensaje, ui::vbOKOnly | ui::vbExclamation, "Atención");
    gDB_Dll().registraError(mensaje, "GeneraAsientoStock", answer);
}

// The entry number of the voucher's lines already written, or 0.
std::int32_t nroAsientoDelComprobante(const CabeceraAsiento& c)
{
    DB_Dll& erp = gDB_Dll();
    std::string statement = "SELECT MAX([NUMERO ASIENTO]) AS NRO_ASIENTO FROM MV_ASIENTOS WHERE TC = " +
                            erp.SQLValue(gUtilidades().RellenaCodigo(c.TC, 4)) + " AND SUCURSAL = " +
                            erp.SQLValue(c.Suc) + " AND NUMERO = " + erp.SQLValue(c.Nro) +
                            " AND LETRA = " + erp.SQLValue(c.Letra);
    db::Recordset rs;
    erp.AbrirRecordset(statement, rs);
    std::int32_t numero = 0;
    if (!rs.eof() && !rs["NRO_ASIENTO"].value().isNull())
        numero = static_cast<std::int32_t>(rs["NRO_ASIENTO"].value().toInteger());
    erp.CierraRecordset(rs);
    return numero;
}

}  // namespace

std::string ClsCmnCptes::GeneraAsientoStock(ui::FlexGrid& Grid, std::string& eMotivoStock, std::string& TC,
                                            std::string& Suc, std::string& Nro, std::string& Letra,
                                            const std::string& Fecha, bool& EsDebito, int TipoMov, long SoloRegistro,
                                            int* Secuencia)
{
    if (!AsientosXStock) return {};
    Utilidades& util = gUtilidades();
    eMotivoStock = util.ReemplazaTexto(eMotivoStock, "'", "");
    if (excluido(TC, TipoMov)) return {};
    // A grid without lines moves nothing.
    if (SoloRegistro == 0 && Grid.rows() <= 1) return {};

    CabeceraAsiento cabecera;
    cabecera.Fecha = fechaDelAsiento(Fecha);
    cabecera.SoloRegistro = SoloRegistro;

    // Motive, value column and side.
    const Movimiento movimiento = movimientoDe(TipoMov, TC);
    const bool grillaDiferencias = base::equalsIgnoringCase(Grid.name, "MSFlexGridDif");
    if (!grillaDiferencias && !movimiento.claveMotivo.empty()) eMotivoStock = LeeConfiguracion(movimiento.claveMotivo);
    if (movimiento.porSigno) EsDebito = ObtieneSignoComprobante(TC) != 1;
    else EsDebito = grillaDiferencias ? movimiento.debitoDiferencias : movimiento.debito;

    // Cost of goods of a sale: an entry of its own type "CMV", under a number of its own.
    cabecera.CostoMercaderia = TipoMov == 99;
    if (cabecera.CostoMercaderia) {
        if (esUnoDe(TC, {"FC", "TK", "FKFC", "FP", "ND"})) EsDebito = true;
        else if (esUnoDe(TC, {"NC", "NCP"})) EsDebito = false;
        else return {};
        cabecera.TcOrigen = base::trim(TC);
        cabecera.CpteOrigen = Suc + Nro + Letra;
        std::string tipo = "CMV", suc = Suc, nro = Nro, letra = Letra;
        bool modificaNumeracion = false;
        // Without a booklet the numbering has told the operator; no entry goes without a number.
        if (!Obtener_Nro_Comprobante(tipo, suc, nro, letra, modificaNumeracion, true, "", "")) return {};
        TC = tipo;
        Suc = suc;
        Nro = nro;
        Letra = letra;
    }
    cabecera.TC = base::trim(TC);
    cabecera.Suc = Suc;
    cabecera.Nro = Nro;
    cabecera.Letra = Letra;
    cabecera.Motivo = eMotivoStock;

    const CuentaMotivo motivo = cuentaDelMotivo(eMotivoStock, cabecera.CostoMercaderia);
    if (motivo.cuenta.empty()) return {};
    cabecera.CuentaMotivo = motivo.cuenta;
    cabecera.Detalle = motivo.descripcion;

    cabecera.TipoReg = ObtieneTipoRegCont(TC);
    if (SoloRegistro == 0) {
        std::string asiento;
        if (ExisteAsientoComprobante(TC, Suc, Nro, Letra, asiento)) {
            avisa("El comprobante ya ha Sido Cargado. Asiento " + asiento);
            return {};
        }
    }
    if (cabecera.TipoReg.empty()) {
        avisa("No se ha informado El Tipo de Registro que generará el Asiento, corrija esto desde configuración y "
              "vuelva a intentarlo");
        return {};
    }

    // The entry number is read for every voucher: whatever was written since, by this object or by anyone
    // else, is stepped over. A row added to a voucher joins the entry its lines already have.
    if (SoloRegistro != 0) cabecera.NroAsiento = nroAsientoDelComprobante(cabecera);
    if (cabecera.NroAsiento == 0)
        cabecera.NroAsiento = ObtieneNroAsiento(cabecera.Fecha.month(), static_cast<int>(gPeriodo), cabecera.TipoReg);
    if (cabecera.NroAsiento == 0) return {};
    UltimoNroAsiento = cabecera.NroAsiento;

    const std::vector<ImporteArticulo> articulos =
        CargaImportesArticulos(Grid, SoloRegistro, movimiento.columnaValor);
    const std::vector<ImporteCuenta> cuentas = CargaCuentasArticulos(articulos);
    for (const ImporteCuenta& cuenta : cuentas) cabecera.Total = cabecera.Total + cuenta.Importe;

    // The motive's line first, then one line per account on the other side. An account whose amount is
    // negative goes to the motive's side with its absolute value; a negative total puts the motive's line on
    // the other side with its absolute value. Either way the entry balances.
    std::vector<std::string> sentencias;
    const auto emite = [&](const LineaAsiento& linea) {
        if (std::string sentencia = EmiteLineaAsiento(cabecera, linea); !sentencia.empty())
            sentencias.push_back(std::move(sentencia));
    };
    int secuencia = Secuencia ? *Secuencia : 1;
    const bool negativo = cabecera.Total < base::Currency{};
    emite({cabecera.CuentaMotivo, secuencia, EsDebito != negativo, negativo ? -cabecera.Total : cabecera.Total});
    for (const ImporteCuenta& cuenta : cuentas) {
        ++secuencia;
        const bool haciaMotivo = cuenta.Importe < base::Currency{};
        emite({cuenta.Cuenta, secuencia, EsDebito == haciaMotivo, haciaMotivo ? -cuenta.Importe : cuenta.Importe});
    }
    if (Secuencia) *Secuencia = secuencia + 1;

    std::string resultado;
    for (const std::string& sentencia : sentencias) resultado += "\r\n" + sentencia;
    return resultado;
}
