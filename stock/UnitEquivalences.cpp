#include "stock/UnitEquivalences.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/base/Value.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ErpReads.h"

#include <array>
#include <cmath>
#include <fmt/format.h>

namespace {

// Article-line grid columns the conversion of a row reads and writes.
constexpr long kColArticulo = 0;
constexpr long kColUnidad = 5;
constexpr long kColCantidad = 7;
constexpr long kColM3 = 62;
constexpr long kColBL = 63;
constexpr long kColKG = 64;

constexpr long kNoCurrentRecord = 3021;

std::string padded(const std::string& code, int width) { return gUtilidades().RellenaCodigo(base::trim(code), width); }

// Codes travel padded or not, in either case: "  UN", "UN" and "un" are one unit.
bool sameUnit(const std::string& a, const std::string& b) { return base::equalsIgnoringCase(base::trim(a), base::trim(b)); }

// Looks for the equivalence row (article, from, to); found, its coefficient goes to `coeficiente`.
bool readsEquivalence(const std::string& articulo, const std::string& from, const std::string& to, double& coeficiente)
{
    DB_Dll& erp = gDB_Dll();
    const std::string statement = "SELECT * FROM S_TA_EQUIV WHERE IdArticulo = " + erp.SQLValue(padded(articulo, 25)) +
                                  " AND IDUNIDAD = " + erp.SQLValue(padded(from, 4)) +
                                  " AND IDUNIDAD_EQUIV = " + erp.SQLValue(padded(to, 4));
    db::Recordset row;
    gDB_Dll().abreSinTratamiento(statement, row);
    if (row.eof()) return false;
    coeficiente = numeroOCero(row.field("Coeficiente").value());
    return true;
}

enum class Direction { IntoEquivalent, FromEquivalent };

double convert(const std::string& IdArticulo, std::string& UdBase, double Cantidad, const std::string& UdEquiv,
               Direction direction)
{
    if (Cantidad == 0) return 0;
    if (sameUnit(UdBase, UdEquiv)) return Cantidad;
    std::string operador;
    double coeficiente = 0;
    bool sinUnidad = false;
    if (!IdArticuloTieneEquivalencias(IdArticulo, UdEquiv, operador, UdBase, coeficiente, sinUnidad)) {
        // An empty base unit has just become the article's own, which may be the unit asked for.
        return !sinUnidad && sameUnit(UdBase, UdEquiv) ? Cantidad : 0;
    }
    if (operador != "/" && operador != "*") return 0;
    // The direct row multiplies into the equivalent unit, the reverse row divides; coming back, the other way.
    const bool multiplies = (operador == "/") == (direction == Direction::IntoEquivalent);
    if (!multiplies && coeficiente == 0) {
        throw base::Error(base::errors::kDivisionByZero,
                          fmt::format("El coeficiente de equivalencia del artículo {} entre las unidades {} y {} es 0",
                                      base::trim(IdArticulo), base::trim(UdBase), base::trim(UdEquiv)),
                          "S_TA_EQUIV");
    }
    const double result = multiplies ? coeficiente * Cantidad : Cantidad / coeficiente;
    if (!std::isfinite(result)) {
        throw base::Error(base::errors::kOverflow,
                          fmt::format("Overflow: {} del artículo {} en la unidad {}", Cantidad,
                                      base::trim(IdArticulo), base::trim(UdEquiv)),
                          "S_TA_EQUIV");
    }
    return result;
}

}  // namespace

std::string ObtieneUnidadArticulo(const std::string& IdArticulo)
{
    const std::string statement =
        "SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = " + gDB_Dll().SQLValue(padded(IdArticulo, 25));
    db::Recordset row;
    gDB_Dll().abreSinTratamiento(statement, row);
    if (row.eof()) {
        throw base::Error(kNoCurrentRecord,
                          "El artículo '" + base::trim(IdArticulo) + "' no existe en la tabla de artículos",
                          "V_MA_ARTICULOS");
    }
    return base::trim(gUtilidades().NuloACadena(row.field("IdUnidad").value()));
}

bool IdArticuloTieneEquivalencias(const std::string& IdArticulo, const std::string& UdEquiv, std::string& Operador,
                                  std::string& UdBase, double& Coeficiente, bool& SinUnidad)
{
    Coeficiente = 0;
    SinUnidad = false;
    bool found = false;
    std::string unidad = UdBase;
    base::ErrorTrap trap(
        [](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, "IdArticuloTieneEquivalencias"); });
    trap.step([&] {
        if (unidad.empty()) unidad = ObtieneUnidadArticulo(IdArticulo);
    });
    if (trap.left()) return found;
    SinUnidad = base::trim(unidad).empty();
    if (SinUnidad) return found;
    UdBase = unidad;
    trap.step([&] {
        if (readsEquivalence(IdArticulo, UdBase, UdEquiv, Coeficiente)) {
            found = true;
            Operador = "/";
        }
    });
    trap.step([&] {
        if (!found && readsEquivalence(IdArticulo, UdEquiv, UdBase, Coeficiente)) {
            found = true;
            Operador = "*";
        }
    });
    return found;
}

double ConvierteCantidadAEquiv(const std::string& IdArticulo, std::string& UdBase, double Cantidad,
                               const std::string& UdEquiv)
{
    return convert(IdArticulo, UdBase, Cantidad, UdEquiv, Direction::IntoEquivalent);
}

double ConvierteCantidadDesdeEquiv(const std::string& IdArticulo, std::string& UdBase, double Cantidad,
                                   const std::string& UdEquiv)
{
    return convert(IdArticulo, UdBase, Cantidad, UdEquiv, Direction::FromEquivalent);
}

void CalculaEquivalenciasFila(ui::FlexGrid& Grilla)
{
    const std::array<std::pair<const std::string*, long>, 3> conversions{
        {{&gUnidadBL, kColBL}, {&gUnidadM3, kColM3}, {&gUnidadKG, kColKG}}};
    for (const auto& [configured, column] : conversions) {
        const long row = Grilla.row();
        // Without a configured unit there is nothing to convert into.
        if (base::trim(*configured).empty()) {
            Grilla.setTextMatrix(row, column, "0");
            continue;
        }
        const std::string articulo = Grilla.textMatrix(row, kColArticulo);
        std::string unidad = base::trim(Grilla.textMatrix(row, kColUnidad));
        const double cantidad = gUtilidades().ValorNumerico(Grilla.textMatrix(row, kColCantidad)).toDouble();
        Grilla.setTextMatrix(row, column, base::Value(ConvierteCantidadAEquiv(articulo, unidad, cantidad, *configured)).toText());
    }
}
