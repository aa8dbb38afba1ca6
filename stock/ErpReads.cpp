#include "stock/ErpReads.h"

#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"

void abreLecturaErp(const std::string& statement, db::Recordset& rows)
{
    DB_Dll& erp = gDB_Dll();
    const std::string text = erp.SS_TSinonimos(statement);
    const bool oracle = base::inStr(erp.gCnn.connectionString(), "ORACLE") > 1;
    rows.open(oracle ? erp.ORACLE_Dicc(text) : text, erp.gCnn, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
}

double numeroOCero(const base::Value& value)
{
    if (value.isNull() || value.isEmpty()) return 0;
    if (value.isNumeric()) return value.toDouble();
    return gUtilidades().ValorDoble(value.toText());
}

bool interruptorActivo(const base::Value& value)
{
    if (value.isNull() || value.isEmpty()) return false;
    if (value.isNumeric()) return value.toDouble() != 0;
    const std::string text = base::trim(value.toText());
    return !text.empty() && ValorLogico(text);
}
