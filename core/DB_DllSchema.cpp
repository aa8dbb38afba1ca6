// Table and file names, and the schema questions: is there such a table, such a column; add a column.

#include "core/DB_Dll.h"

#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <algorithm>

std::string DB_Dll::StripOwner(std::string& rsTblName)
{
    if (const auto dot = rsTblName.find('.'); dot != std::string::npos) rsTblName = rsTblName.substr(dot + 1);
    return rsTblName;
}

std::string DB_Dll::stSTF(std::string& rsName, bool rnPart)
{
    const auto dots = std::count(rsName.begin(), rsName.end(), '.');
    if (dots >= 2) return StripOwner(rsName);
    const auto dot = rsName.find('.');
    if (dot == std::string::npos) return rsName;
    return rnPart ? rsName.substr(dot + 1) : rsName.substr(0, dot);
}

std::string DB_Dll::AddBrackets(std::string_view rObjName)
{
    if (rObjName.find(' ') != std::string_view::npos && !rObjName.starts_with('[')) return "[" + std::string(rObjName) + "]";
    return std::string(rObjName);
}

std::string DB_Dll::StripBrackets(std::string_view rsObjName)
{
    if (rsObjName.starts_with('[') && rsObjName.size() >= 2) return std::string(rsObjName.substr(1, rsObjName.size() - 2));
    return std::string(rsObjName);
}

std::string DB_Dll::StripConnect(std::string_view rsTblName)
{
    const auto arrow = rsTblName.find("->");
    if (arrow == std::string_view::npos) return std::string(rsTblName);
    return std::string(rsTblName.substr(0, arrow == 0 ? 0 : arrow - 1));
}

std::string DB_Dll::StripFileName(std::string_view rsFileName)
{
    const auto slash = rsFileName.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(rsFileName.substr(0, slash));
}

void DB_Dll::AddField(std::string_view Tabla, std::string_view Campo, std::string_view Tipo, bool PermiteNulos,
                      std::optional<std::string> ValorDefault)
{
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, "errAddField"); });
    trap.step([&] {
        const std::string nulls = PermiteNulos ? " Null " : " Not Null ";
        const std::string defaultPart = ValorDefault ? " CONSTRAINT DF_" + base::trim(Tabla) + "_" + base::trim(Campo) +
                                                           " DEFAULT (" + *ValorDefault + ")"
                                                     : std::string();
        std::string statement = "ALTER TABLE dbo." + std::string(Tabla) + " ADD " + std::string(Campo) + " " +
                                std::string(Tipo) + nulls + defaultPart;
        EjecutaConsultaSQL(statement);
    });
}

bool DB_Dll::ExisteTablaDB(std::string_view Tabla)
{
    bool exists = false;
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, "VerificaCampos"); });
    trap.step([&] {
        db::Recordset tables = gCnn.openSchema(db::SchemaKind::Tables);
        for (; !tables.eof() && !exists; tables.moveNext())
            exists = base::equalsIgnoringCase(base::trim(tables.field("TABLE_NAME").value().toText()), base::trim(Tabla));
    });
    return exists;
}

bool DB_Dll::ExisteCampoDB(std::string_view Tabla, std::string_view Campo)
{
    if (base::inStr(gDB_Dll().gProveedor, "ORACLE") > 0) return true;
    bool exists = false;
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, "VerificaCampos"); });
    trap.step([&] {
        db::Recordset columns =
            gCnn.openSchema(db::SchemaKind::Columns, {gDBName, base::Value(), std::string(Tabla), base::Value()});
        for (; !columns.eof() && !exists; columns.moveNext())
            exists = base::equalsIgnoringCase(base::trim(columns.field("COLUMN_NAME").value().toText()), base::trim(Campo));
    });
    return exists;
}

bool DB_Dll::VerCampoDB(std::string_view Tabla, std::string_view Campo, bool Agregar, std::string_view Tipo,
                        bool PermiteNulos, std::optional<std::string> ValorDefault)
{
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, std::move(ValorDefault));
    return true;
}
