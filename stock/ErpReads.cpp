#include "stock/ErpReads.h"

#include "core/FormattingHelpers.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"

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
