// What is still to deliver of an article on a voucher, in base units: the voucher's quantity of it less
// what the voucher's own stock movements already moved.

#include "stock/ClsCmnCptes.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "numbering/NumberingQueries.h"
#include "platform/base/Text.h"
#include "stock/ErpReads.h"

namespace {

// The first row's Cantidad of the view under the condition; no row, or Null, is 0.
double cantidadDe(std::string_view view, const std::string& condition)
{
    db::Recordset rs;
    // Only the first row is read: the view's later rows are not worked out.
    rs.cursorLocation = db::CursorLocation::Server;
    gDB_Dll().abreSinTratamiento("SELECT * FROM " + std::string(view) + condition, rs);
    return rs.eof() ? 0.0 : numeroOCero(rs.field("Cantidad").value());
}

}  // namespace

double ClsCmnCptes::CantRepartoPend(const std::string& TC, const std::string& SucNroLetra, const std::string& IdArticulo)
{
    const DB_Dll& erp = gDB_Dll();
    // Types are stored right-aligned in 4: a code passed as "RM" must still find its voucher.
    const std::string condition = " WHERE (TC = " + erp.SQLValue(numbering::codigo4(TC)) +
                                  ") AND IDCOMPROBANTE = " + erp.SQLValue(base::trim(SucNroLetra)) +
                                  " AND IDARTICULO = " +
                                  erp.SQLValue(gUtilidades().RellenaCodigo(base::trim(IdArticulo), 25));
    double ordered = cantidadDe("VT_V_MV_CPTEINSUMOS_CONS2", condition);
    const double delivered = cantidadDe("VT_V_MV_Stock_Cons", condition);
    if (ordered < delivered) ordered = delivered;
    return ordered - delivered;
}
