// How many lines a voucher holds, against what its printed form allows.

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "numbering/NumberingQueries.h"
#include "platform/base/Conversions.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"
#include "voucher/LineCount.h"

namespace {

base::ErrorTrap trampa(const char* rutina)
{
    return base::ErrorTrap([rutina](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, rutina); });
}

// A count as the 32-bit number callers hold; a larger one overflows.
std::int32_t cuenta(std::int64_t lineas)
{
    return base::toInteger32(base::Value(static_cast<long long>(lineas)));
}

// The first row's limit for the type and letter; 0 when there is none.
std::int32_t limiteDeLineas(const std::string& TC, const std::string& Letra)
{
    DB_Dll& erp = gDB_Dll();
    const std::string sentencia = "SELECT CANTLINEAS FROM TA_CONFIG_IMP_CPTE WHERE TC=" +
                                  erp.SQLValue(base::Value(numbering::codigo4(TC))) +
                                  " AND LETRA=" + erp.SQLValue(base::Value(base::trim(Letra))) + " ORDER BY ID";
    db::Recordset limite;
    erp.abreSinTratamiento(sentencia, limite);
    if (limite.eof()) return 0;
    return base::toInteger32(
        base::Value(gUtilidades().ValorNumerico(gUtilidades().NuloACadena(limite.field("CantLineas").value()))));
}

// A currency amount rounded to a whole number, halves to the even neighbour, without leaving fixed point.
std::int64_t redondeaEntero(base::Currency amount)
{
    const std::int64_t scale = base::Currency::kScale;
    std::int64_t whole = amount.scaled() / scale;
    const std::int64_t rest = amount.scaled() % scale;
    const std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
    const int sign = rest < 0 ? -1 : 1;
    if (twice > scale || (twice == scale && whole % 2 != 0)) whole += sign;
    return whole;
}

}  // namespace

bool ClsCmnCptes::ValidaCantidadLineasCpte(const std::string& TC, const std::string& Letra,
                                           const ui::FlexGrid* MSFlexGrid1, const ui::FlexGrid* MSFlexGrid2,
                                           const ui::FlexGrid* MSFlexGrid3, std::int32_t* CantLineas,
                                           std::int32_t* CantLineasUsadas, std::int32_t Agragarle,
                                           std::int32_t LineasAnteriores)
{
    std::int32_t limite = CantLineas ? *CantLineas : 0;
    std::int32_t usadas = CantLineasUsadas ? *CantLineasUsadas : 0;
    bool cabe = true;
    base::ErrorTrap trap = trampa("ValidaCantidadLineasCpte");
    trap.step([&] {
        if (LineasAnteriores != -1) limite = limiteDeLineas(TC, Letra);
        if (CantLineas) *CantLineas = limite;
    });
    trap.step([&] {
        if (limite == 0) return;
        usadas = cuenta(voucher::lineasDe(MSFlexGrid1) + voucher::lineasDe(MSFlexGrid2) + voucher::lineasDe(MSFlexGrid3));
        if (CantLineasUsadas) *CantLineasUsadas = usadas;
        cabe = static_cast<std::int64_t>(usadas) + Agragarle <= limite;
    });
    return !trap.left() && cabe;
}

std::int32_t ClsCmnCptes::CuentaItems(const ui::FlexGrid* MSFlexGrid1, const ui::FlexGrid* MSFlexGrid2,
                                      const ui::FlexGrid* MSFlexGrid3, std::int32_t* CantTareas,
                                      std::int32_t* CantArticulos, std::int32_t* CantOtrosConceptos,
                                      std::int32_t* TotUnidades)
{
    std::int32_t tareas = 0, articulos = 0, otros = 0, unidades = 0;
    auto entrega = [&] {
        if (CantTareas) *CantTareas = tareas;
        if (CantArticulos) *CantArticulos = articulos;
        if (CantOtrosConceptos) *CantOtrosConceptos = otros;
        if (TotUnidades) *TotUnidades = unidades;
    };
    entrega();
    base::ErrorTrap trap = trampa("CuentaItems&");
    trap.step([&] { tareas = cuenta(voucher::lineasDe(MSFlexGrid1)); });
    entrega();
    trap.step([&] {
        articulos = cuenta(voucher::lineasDe(MSFlexGrid2));
        if (!MSFlexGrid2) return;
        // Summed exactly and rounded once: rounding each addition turns 1.5 + 1.5 into 4.
        base::Currency total;
        for (long row = 1; row < MSFlexGrid2->rows(); ++row)
            if (voucher::esLineaDeArticulo(*MSFlexGrid2, static_cast<std::int32_t>(row)))
                total = total + gUtilidades().ValorNumerico(base::trim(MSFlexGrid2->textMatrix(row, 7)));
        unidades = cuenta(redondeaEntero(total));
    });
    entrega();
    trap.step([&] { otros = cuenta(voucher::lineasDe(MSFlexGrid3)); });
    entrega();
    std::int32_t lineas = 0;
    trap.step([&] { lineas = cuenta(static_cast<std::int64_t>(tareas) + articulos + otros); });
    return trap.left() ? 0 : lineas;
}
