#include "stock/StockBalances.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "stock/ClsCmnCptes.h"
#include "stock/ErpReads.h"
#include "stock/UnitEquivalences.h"

namespace {

constexpr long kNoCurrentRecord = 3021;

std::string padded(const std::string& code, int width) { return gUtilidades().RellenaCodigo(base::trim(code), width); }

std::string literal(const std::string& code, int width) { return gDB_Dll().SQLValue(padded(code, width)); }

// "Ignorar", or no argument at all, stands for an argument not given.
bool ignored(const std::string* argument) { return !argument || base::equalsIgnoringCase(*argument, "Ignorar"); }

bool given(const std::string* argument) { return !ignored(argument) && !base::trim(*argument).empty(); }

// The balance by article, unit and warehouse; without a warehouse, of all warehouses.
std::string balanceByUnitStatement(const std::string& IdDeposito, const std::string& IdArticulo,
                                   const std::string& IdUnidad)
{
    const bool oneWarehouse = !base::trim(IdDeposito).empty();
    const std::string articulo = literal(IdArticulo, 25);
    if (gUsaStkStockUdKg) {
        // Kept in units per warehouse whatever the unit asked.
        if (oneWarehouse) {
            return "SELECT CantidadUd AS STOCK FROM STK_STOCK_UDKG WHERE IDARTICULO = " + articulo +
                   " AND IDDEPOSITO = " + literal(IdDeposito, 4);
        }
        return "SELECT SUM(CantidadUd) AS STOCK FROM STK_STOCK_UDKG WHERE IDARTICULO = " + articulo;
    }
    if (oneWarehouse) {
        return "SELECT STOCK AS STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = " + articulo +
               " AND EQUIVALENCIA = " + literal(IdUnidad, 4) + " AND IDDEPOSITO = " + literal(IdDeposito, 4);
    }
    return "SELECT SUM(STOCK) AS STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = " + articulo +
           " AND EQUIVALENCIA = " + literal(IdUnidad, 4);
}

struct Tracking {
    bool bySerial = false;
    bool byLot = false;
};

Tracking trackingOf(const std::string& IdArticulo)
{
    db::Recordset row;
    gDB_Dll().abreSinTratamiento("SELECT USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = " + literal(IdArticulo, 25), row);
    if (row.eof()) {
        throw base::Error(kNoCurrentRecord,
                          "El artículo '" + base::trim(IdArticulo) + "' no existe en la tabla de artículos",
                          "V_MA_ARTICULOS");
    }
    return {interruptorActivo(row.field("USASERIE").value()), interruptorActivo(row.field("USALOTE").value())};
}

}  // namespace

void ControlStock(const std::string& IdDeposito, const std::string& IdArticulo, const std::string& IdUnidad,
                  double& Saldo)
{
    if (base::trim(IdArticulo).empty()) return;
    Saldo = 0;
    const std::string statement = balanceByUnitStatement(IdDeposito, IdArticulo, IdUnidad);
    db::Recordset row;
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, "ControlStock"); });
    trap.step([&] { gDB_Dll().abreSinTratamiento(statement, row); });
    trap.step([&] {
        if (!row.eof()) Saldo = numeroOCero(row.field("Stock").value());
    });
}

double ClsCmnCptes::ObtieneStock(const std::string& IdArticulo, std::string* IdDeposito, std::string* NroLote,
                                 std::string* NroSerie, std::string* IdPosicion, std::string* IdUnidad)
{
    DB_Dll& erp = gDB_Dll();
    double saldo = 0;
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, "ObtieneStock"); });

    if (ignored(NroLote) && ignored(NroSerie)) {
        // By unit: the default warehouse (all, when none is configured) and the article's own unit.
        std::string deposito = IdDeposito ? *IdDeposito : std::string();
        std::string unidad = IdUnidad ? *IdUnidad : std::string();
        trap.step([&] {
            if (!ignored(IdDeposito)) return;
            deposito = padded(LeeConfiguracion("DepositoDefault"), 4);
            if (IdDeposito) *IdDeposito = deposito;
        });
        trap.step([&] {
            if (!ignored(IdUnidad)) return;
            unidad = padded(erp.DatosTabla("v_ma_articulos", base::Value(IdArticulo), "IdUnidad", "IdArticulo"), 4);
            if (IdUnidad) *IdUnidad = unidad;
        });
        trap.step([&] { ControlStock(deposito, IdArticulo, unidad, saldo); });
        return saldo;
    }

    Tracking tracking;
    trap.step([&] { tracking = trackingOf(IdArticulo); });
    std::string statement = "SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = " +
                            literal(IdArticulo, 25);
    if (given(IdDeposito)) statement += " AND IdDeposito = " + literal(*IdDeposito, 4);
    if (given(NroLote)) statement += " AND NroLote = " + literal(*NroLote, 25);
    if (given(NroSerie)) statement += " AND NroSerie = " + literal(*NroSerie, 25);
    if (given(IdPosicion)) statement += " AND IdPosicion = " + literal(*IdPosicion, 15);
    // A serial-only article's rows with a lot, or a lot-only article's rows with a serial, are not its stock.
    if (tracking.bySerial && !tracking.byLot) statement += " AND NroLote is NULL ";
    if (tracking.byLot && !tracking.bySerial) statement += " AND NroSerie is NULL ";

    db::Recordset row;
    trap.step([&] { gDB_Dll().abreSinTratamiento(statement, row); });
    trap.step([&] {
        if (!row.eof()) saldo = numeroOCero(row.field("SaldoStock").value());
    });
    return saldo;
}

void ClsCmnCptes::ObtieneStockxEquiv(const std::string& IdDeposito, const std::string& IdArticulo, std::string& UdBase,
                                     const std::string& udEquivBuscada, double& StockUdBase, double& StockEquiv)
{
    StockUdBase = 0;
    ControlStock(IdDeposito, IdArticulo, UdBase, StockUdBase);
    StockEquiv = base::trim(udEquivBuscada).empty()
                     ? 0
                     : ConvierteCantidadAEquiv(IdArticulo, UdBase, StockUdBase, udEquivBuscada);
}
