// What a stock movement is worth, article by article and cost account by cost account.

#include "stock/StockEntrySteps.h"

#include "core/DB_Dll.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

constexpr long kColumnaArticulo = 0;
constexpr long kColumnaCantidad = 7;
// The embedded engine refuses a condition of more than 1,000 terms; slices stay well below.
constexpr std::size_t kCodigosPorLectura = 500;

// Codes and accounts compare as the database does: without regard to case or trailing blanks.
std::string clave(std::string_view code) { return base::toUpperCase(base::rightTrim(code)); }

}  // namespace

std::vector<ImporteArticulo> CargaImportesArticulos(const ui::FlexGrid& Grid, long SoloRegistro, long ColumnaValor)
{
    Utilidades& util = gUtilidades();
    std::vector<ImporteArticulo> articulos;
    std::unordered_map<std::string, std::size_t> posicion;
    const long desde = SoloRegistro == 0 ? 1 : SoloRegistro;
    const long hasta = SoloRegistro == 0 ? Grid.rows() - 1 : SoloRegistro;
    for (long row = desde; row <= hasta; ++row) {
        std::string codigo = util.RellenaCodigo(Grid.textMatrix(row, kColumnaArticulo), 25);
        const base::Currency importe = util.ValorNumerico(Grid.textMatrix(row, kColumnaCantidad)) *
                                       util.ValorNumerico(Grid.textMatrix(row, ColumnaValor));
        const auto [found, isNew] = posicion.try_emplace(clave(codigo), articulos.size());
        if (isNew) articulos.push_back({std::move(codigo), importe});
        else articulos[found->second].Importe = articulos[found->second].Importe + importe;
    }
    return articulos;
}

std::vector<ImporteCuenta> CargaCuentasArticulos(const std::vector<ImporteArticulo>& Articulos)
{
    DB_Dll& erp = gDB_Dll();
    Utilidades& util = gUtilidades();

    // The cost account of every article, read a slice of articles at a time.
    std::unordered_map<std::string, std::string> cuentaDe;
    for (std::size_t first = 0; first < Articulos.size(); first += kCodigosPorLectura) {
        const std::size_t last = std::min(Articulos.size(), first + kCodigosPorLectura);
        std::vector<std::string> codigos;
        for (std::size_t i = first; i < last; ++i) codigos.push_back(erp.SQLValue(Articulos[i].IdArticulo));
        std::string statement = "select idarticulo, cuentacontableC from v_ma_articulos where (" +
                                ArmaCondicion(" idarticulo ", "=", codigos, " OR ", "") +
                                ") and not cuentacontableC is null";
        db::Recordset rs;
        erp.AbrirRecordset(statement, rs);
        for (; !rs.eof(); rs.moveNext()) {
            const std::string cuenta = base::trim(util.NuloACadena(rs["cuentacontableC"].value()));
            // A blank account is no account: a line on it could be booked nowhere.
            if (!cuenta.empty()) cuentaDe[clave(util.NuloACadena(rs["idarticulo"].value()))] = cuenta;
        }
        erp.CierraRecordset(rs);
    }

    // Ascending account order fixes each line's sequence number.
    std::map<std::string, ImporteCuenta> porCuenta;
    for (const ImporteArticulo& articulo : Articulos) {
        const auto cuenta = cuentaDe.find(clave(articulo.IdArticulo));
        if (cuenta == cuentaDe.end()) continue;
        ImporteCuenta& suma =
            porCuenta.try_emplace(clave(cuenta->second), ImporteCuenta{cuenta->second, {}}).first->second;
        suma.Importe = suma.Importe + articulo.Importe;
    }
    std::vector<ImporteCuenta> cuentas;
    for (auto& [key, suma] : porCuenta) cuentas.push_back(std::move(suma));
    return cuentas;
}
