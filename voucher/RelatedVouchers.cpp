// Later vouchers that name a voucher as their origin.

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "numbering/NumberingQueries.h"
#include "platform/base/Text.h"
#include "stock/ClsCmnCptes.h"

#include <fmt/format.h>

namespace {

// The condition on the origin's type and number, every value as a literal.
std::string origen(const std::string& TC, const std::string& SucNroLetra)
{
    const DB_Dll& erp = gDB_Dll();
    return "SELECT * FROM V_MV_CPTE WHERE TCORIGEN = " + erp.SQLValue(base::Value(numbering::codigo4(TC))) +
           " AND COMPROBANTEORIGEN = " + erp.SQLValue(base::Value(base::trim(SucNroLetra)));
}

}  // namespace

bool ClsCmnCptes::EstaRelacionadoAOtroComprobante(const std::string& TC, const std::string& SucNroLetra,
                                                  const std::string& Complemento, bool TenerEnCuentaAnulados)
{
    const std::int64_t complemento =
        base::trim(Complemento).empty() ? 0 : numbering::enteroEstricto(base::Value(Complemento), "Complemento");
    std::string sentencia = origen(TC, SucNroLetra) + fmt::format(" AND COMPLEMENTOORIGEN = {} ", complemento);
    if (!TenerEnCuentaAnulados) sentencia += " AND ANULADA = 0";
    db::Recordset relacionados;
    gDB_Dll().abreSinTratamiento(sentencia, relacionados);
    return !relacionados.eof();
}

base::Currency ClsCmnCptes::ObtieneImporteCptesAsociados(const std::string& TC, const std::string& SucNroLetra)
{
    db::Recordset asociados;
    gDB_Dll().abreSinTratamiento(origen(TC, SucNroLetra) + " AND ANULADA = 0", asociados);
    base::Currency total;
    for (; !asociados.eof(); asociados.moveNext())
        total = total + gUtilidades().ValorNumerico(gUtilidades().NuloACadena(asociados.field("Importe").value()));
    return total;
}
