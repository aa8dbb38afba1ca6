// The lots an article's stock lies in and the components of an article, as the component discharge reads
// them.

#include "stock/Stock.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/Currency.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Utf8.h"
#include "platform/db/Recordset.h"

namespace {

base::ErrorHandler tratamientoBajo(std::string rutina)
{
    return [rutina = std::move(rutina)](const base::Error& error) {
        return gDB_Dll().TratamientoErrores(error, {}, rutina);
    };
}

// The warehouse as the statement compares it. The stock poster hands it over as an SQL literal: the quoted
// code, or NULL (which matches no lot). The code inside the quotes is padded afresh and quoted again, so a
// literal that is not one (a bare code, an apostrophe too many) can never change the statement.
std::string literalDeposito(const std::string& IdDeposito)
{
    const std::string text = base::trim(IdDeposito);
    if (base::equalsIgnoringCase(text, "NULL")) return "NULL";
    std::string code = text;
    if (code.size() >= 2 && code.front() == '\'' && code.back() == '\'')
        code = base::replace(code.substr(1, code.size() - 2), "''", "'");
    return gDB_Dll().SQLValue(gUtilidades().RellenaCodigo(base::trim(code), 4));
}

struct LoteConStock {
    std::string NroLote;
    base::Currency Cantidad;
};

}  // namespace

bool ArticuloTieneLotes(std::string IdArticulo, const std::string& IdDeposito, std::vector<ItemCantidad>& Lotes,
                        double Cantidad)
{
    if (base::equalsIgnoringCase(base::trim(IdDeposito), "ELDELGRID")) return false;

    DB_Dll& erp = gDB_Dll();
    Utilidades& util = gUtilidades();
    bool tieneLotes = false;
    std::string statement;
    base::Currency pedido;
    db::Recordset rs;
    std::vector<LoteConStock> lotes;
    base::ErrorTrap trap(tratamientoBajo("ArticuloTieneLotes"));
    trap.step([&] {
        // Four decimals, as stock is kept: lots of 0.7 and 0.1 cover 0.8 exactly.
        pedido = base::Currency::fromDouble(Cantidad);
        statement = "SELECT * FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = " +
                    erp.SQLValue(util.RellenaCodigo(IdArticulo, 25)) + " AND CANTIDAD > 0 AND IDDEPOSITO = " +
                    literalDeposito(IdDeposito) + " AND NOT NROLOTE IS NULL ORDER BY NROLOTE";
    });
    trap.step([&] { gDB_Dll().abreSinTratamiento(statement, rs); });
    trap.step([&] {
        lotes.clear();
        for (; !rs.eof(); rs.moveNext())
            lotes.push_back({util.NuloACadena(rs["NroLote"].value()),
                             util.ValorNumerico(util.NuloACadena(rs["Cantidad"].value()))});
    });
    trap.step([&] {
        Lotes.clear();
        tieneLotes = !lotes.empty();
        base::Currency tomado;
        for (const LoteConStock& lote : lotes) {
            if (tomado + lote.Cantidad >= pedido) {
                Lotes.push_back({lote.NroLote, "", (pedido - tomado).toDouble()});
                tomado = pedido;
                break;
            }
            Lotes.push_back({lote.NroLote, "", lote.Cantidad.toDouble()});
            tomado = tomado + lote.Cantidad;
        }
        if (pedido > tomado) Lotes.push_back({"", "", (pedido - tomado).toDouble()});
    });
    trap.step([&] { erp.CierraRecordset(rs); });
    return tieneLotes;
}

bool IdArticuloTieneInsumos(std::string IdArticulo, std::vector<ItemCantidad>& Insumos, bool SoloVerifica, bool* Leidos)
{
    DB_Dll& erp = gDB_Dll();
    Utilidades& util = gUtilidades();
    bool tieneInsumos = false;
    const std::string statement = "SELECT * FROM V_MA_INSUMOS WHERE IDARTICULO = " +
                                  erp.SQLValue(util.RellenaCodigo(base::trim(IdArticulo), 25)) +
                                  " ORDER BY IDARTICULOINSUMO";
    db::Recordset rs;
    std::vector<ItemCantidad> leidos;
    bool completos = true;
    base::ErrorTrap trap([&completos, trata = tratamientoBajo("IdArticuloTieneInsumos")](const base::Error& error) {
        const int respuesta = trata(error);
        if (respuesta != base::answers::kRetry) completos = false;
        return respuesta;
    });
    trap.step([&] { gDB_Dll().abreSinTratamiento(statement, rs); });
    trap.step([&] {
        leidos.clear();
        for (; !rs.eof(); rs.moveNext())
            leidos.push_back({util.NuloACadena(rs["IdArticuloInsumo"].value()),
                              util.NuloACadena(rs["IdUnidadInsumo"].value()),
                              util.ValorDoble(util.NuloACadena(rs["Cantidad"].value()))});
    });
    trap.step([&] {
        Insumos.assign(1, ItemCantidad{});
        tieneInsumos = !leidos.empty();
        if (SoloVerifica) return;
        for (const ItemCantidad& insumo : leidos) {
            Insumos.back() = insumo;
            Insumos.emplace_back();
        }
    });
    trap.step([&] { erp.CierraRecordset(rs); });
    if (Leidos) *Leidos = completos;
    return tieneInsumos;
}
