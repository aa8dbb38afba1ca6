// Ready-made queries of the data-access object: does a value exist in a column, what is another column
// of its row, what is the largest or smallest value of a column.

#include "core/DB_Dll.h"

#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "platform/base/Conversions.h"
#include "platform/base/DateParsing.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/ui/Prompter.h"

namespace {

bool isNumberType(int tipo) { return tipo == 3 || tipo == 5 || tipo == 4; }

std::string valueText(const base::Value& value) { return value.isNull() || value.isEmpty() ? std::string() : value.toText(); }

// The leading number of the value's text, written back with "." as decimal point.
std::string numberText(const base::Value& value)
{
    return base::trim(base::numberWithSignSpace(base::leadingNumber(valueText(value))));
}

}  // namespace

int DB_Dll::avisoTablas(const base::Error& error)
{
    const int answer = programPrompter().msgBox(error.description(), ui::vbAbortRetryIgnore | ui::vbCritical,
                                                "Aviso al Operador");
    registraError(error.description(), "", answer);
    return answer;
}

std::string DB_Dll::condicionClave(std::string_view head, std::string_view Campo, const base::Value& ValorBuscado,
                                   int Tipodato, std::string_view Condicion, bool trimmedText) const
{
    const std::string campo(Campo);
    if (!Condicion.empty())
        return std::string(head) + (base::inStr(Condicion, " WHERE ") > 0 ? " " : " WHERE ") + std::string(Condicion);
    switch (Tipodato) {
    case 8:
        if (trimmedText)
            return std::string(head) + " WHERE LTRIM(RTRIM(" + campo + ")) =" + SQLValue(base::trim(valueText(ValorBuscado)));
        return std::string(head) + " WHERE " + campo + " =" + SQLValue(valueText(ValorBuscado));
    case 7: return std::string(head) + " WHERE " + campo + " = " + gCnn.dateLiteral(base::toDate(ValorBuscado)) + " ";
    default:
        if (isNumberType(Tipodato)) return std::string(head) + " WHERE " + campo + " = " + numberText(ValorBuscado);
        return std::string(head) + " WHERE " + campo + " = " + valueText(ValorBuscado);
    }
}

bool DB_Dll::ExisteEnTablaST(std::string_view Tabla, const base::Value& ValorBuscado, std::string_view Campo,
                             db::Recordset* LRCS, int Tipodato, std::string_view Condicion, bool SoloLectura)
{
    bool found = false;
    std::string statement;
    base::ErrorTrap trap([this](const base::Error& error) { return avisoTablas(error); });
    trap.step([&] { statement = condicionClave("SELECT * FROM " + std::string(Tabla), Campo, ValorBuscado, Tipodato, Condicion, false); });
    // It always asks the ERP database, whichever instance is called.
    db::Connection& connection = gDB_Dll().gCnn;
    if (!LRCS) {
        db::Recordset own;
        trap.step([&] { own.open(statement, connection, db::CursorType::ForwardOnly, db::LockType::ReadOnly); });
        trap.step([&] { found = !own.eof(); });
        return found;
    }
    trap.step([&] {
        if (LRCS->state() != db::kStateClosed) LRCS->close();
    });
    trap.step([&] {
        if (SoloLectura) LRCS->open(statement, connection, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
        else LRCS->open(statement, connection);
    });
    trap.step([&] { found = !LRCS->eof(); });
    return found;
}

bool DB_Dll::ExisteEnTabla(std::string_view Tabla, const base::Value& ValorBuscado, std::string_view Campo,
                           db::Recordset* LRCS, int Tipodato, std::string_view Condicion)
{
    bool found = false;
    std::string statement;
    base::ErrorTrap trap([this](const base::Error& error) { return avisoTablas(error); });
    trap.step([&] {
        const std::string head = std::string(Tipodato == 8 ? "SELECT TOP 1  * FROM " : "SELECT TOP 1 * FROM ") + std::string(Tabla);
        statement = SS_TSinonimos(condicionClave(head, Campo, ValorBuscado, Tipodato, Condicion, true));
    });
    db::Recordset own;
    db::Recordset& recordset = LRCS ? *LRCS : own;
    trap.step([&] {
        if (recordset.state() != db::kStateClosed) recordset.close();
    });
    trap.step([&] {
        if (LRCS) recordset.open(ORACLE_Dicc(statement), gCnn);
        else recordset.open(ORACLE_Dicc(statement), gCnn, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    });
    trap.step([&] { found = !recordset.eof(); });
    return found;
}

std::string DB_Dll::DatosTabla(std::string_view Tabla, const base::Value& ValorBuscado, std::string_view CampoDevuelto,
                               std::string_view Campo, int Tipodato, std::string_view Condicion, bool UsaTrim)
{
    std::string result;
    std::string statement;
    db::Recordset recordset;
    base::ErrorTrap trap([this](const base::Error& error) { return avisoTablas(error); });
    trap.step([&] {
        const std::string head = "SELECT TOP 1 * FROM " + std::string(Tabla);
        const std::string campo(Campo);
        const std::string tail = base::trim(Condicion).empty() ? std::string() : " AND " + std::string(Condicion);
        const std::string value = base::trim(valueText(ValorBuscado));
        if (Tipodato == 8 && UsaTrim) statement = head + " WHERE LTRIM(RTRIM(" + campo + ")) =" + SQLValue(value) + " " + tail;
        else if (Tipodato == 8) statement = head + " WHERE " + campo + " =" + SQLValue(value) + " " + tail;
        else if (Tipodato == 7) statement = head + " WHERE " + campo + " = " + gCnn.dateLiteral(base::toDate(ValorBuscado)) + " " + tail;
        else if (isNumberType(Tipodato)) statement = head + " WHERE " + campo + " = " + numberText(ValorBuscado) + tail;
        else statement = head + " WHERE " + campo + " = " + valueText(ValorBuscado) + tail;
    });
    trap.step([&] { AbrirRecordset(statement, recordset, &gCnn, 0, 1, -1, true); });
    trap.step([&] {
        if (!recordset.eof()) result = gUtilidades().NuloACadena(recordset.field(CampoDevuelto).value());
    });
    trap.step([&] { CierraRecordset(recordset); });
    return result;
}

base::Value DB_Dll::leeExtremo(const std::string& statement, std::string_view alias)
{
    db::Recordset recordset;
    recordset.open(statement, gCnn, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (recordset.eof()) return {};
    return base::leadingNumber(gUtilidades().NuloACadena(recordset.field(alias).value()));
}

base::Value DB_Dll::BuscaMaximo(std::string_view QueTabla, std::string_view QueCampo, const base::Value&,
                                std::optional<std::string> Condicion)
{
    std::string statement = "SELECT MAX(" + std::string(QueCampo) + ") AS MAYOR FROM " + std::string(QueTabla);
    if (Condicion) statement += " WHERE " + base::trim(*Condicion);
    return leeExtremo(statement, "MAYOR");
}

base::Value DB_Dll::BuscaMinimo(std::string_view QueTabla, std::string_view QueCampo, const base::Value&,
                                std::optional<std::string> Condicion)
{
    std::string statement = "SELECT MIN(" + std::string(QueCampo) + ") AS MENOR FROM " + std::string(QueTabla);
    if (Condicion) statement += " WHERE " + base::trim(*Condicion);
    return leeExtremo(statement, "MENOR");
}

base::Value DB_Dll::BuscaUltimoCodigo(std::string_view QueTabla, std::string_view QueCampo, int, std::string_view Condicion)
{
    // Unlike BuscaMaximo, a blank condition adds no WHERE, and a given one goes in untrimmed.
    std::string statement = "SELECT MAX(" + std::string(QueCampo) + ") AS MAYOR FROM " + std::string(QueTabla);
    if (!base::trim(Condicion).empty()) statement += " WHERE " + std::string(Condicion);
    return leeExtremo(statement, "MAYOR");
}
