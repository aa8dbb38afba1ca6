// The data-access object's statements, recordsets and SQL literals.

#include "core/DB_Dll.h"

#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Regional.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/db/AdoCodes.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>

namespace {

// Without regard to case, and without counting characters: a batch of a few hundred rows is searched so.
bool contains(std::string_view text, std::string_view part)
{
    return base::findIgnoringCase(text, part) != std::string_view::npos;
}

// A number's text with "." as decimal separator whatever the regional settings say: SQL reads it so.
std::string numberForSql(const base::Value& value)
{
    std::string text = value.toText();
    if (value.kind() == base::Value::Kind::Double || value.kind() == base::Value::Kind::Currency)
        std::replace(text.begin(), text.end(), base::regional().decimalSeparator, '.');
    return text;
}

// Where the connection string names Oracle, as a byte offset (npos when it does not). Asked before every
// statement and recordset, of a string that seldom changes: the answer is kept with the string it was
// found in, and the string searched again only when it is another.
std::size_t oracleNamedAt(const db::Connection& connection)
{
    thread_local std::string searched;
    thread_local std::size_t at = std::string_view::npos;
    const std::string& text = connection.connectionString();
    if (text != searched) {
        at = base::findIgnoringCase(text, "ORACLE");
        searched = text;
    }
    return at;
}

// The recordsets' test: the name found past the string's first character.
bool oracleNamedAfterStart(const db::Connection& connection)
{
    const std::size_t at = oracleNamedAt(connection);
    return at != std::string_view::npos && at > 0;
}

bool codeIn(const base::Value& code, std::initializer_list<std::string_view> codes)
{
    if (code.isNull() || code.isEmpty()) return false;
    const std::string text = base::trim(code.toText());
    return std::find(codes.begin(), codes.end(), text) != codes.end();
}

}  // namespace

void DB_Dll::EjecutaConsultaSQL(std::string& SentenciaSQL, long* RecordsAffected)
{
    const bool hasAdminMarker = contains(SentenciaSQL, "@ADMIN_");
    // The longer word first: a batch of rows holds neither, and the search for it moves on in longer steps.
    if (contains(SentenciaSQL, "CREATE") && contains(SentenciaSQL, "DROP")) {
        if (hasAdminMarker) SentenciaSQL = base::replace(SentenciaSQL, "@Admin_", "");
        else if (!contains(SentenciaSQL, "DELETE")) SentenciaSQL = SS_TSinonimos(SentenciaSQL);
    } else if (hasAdminMarker) {
        SentenciaSQL = base::replace(SentenciaSQL, "@Admin_", "");
    }
    try {
        long affected = 0;
        // Oracle takes one statement per call: the batch is cut and rewritten into its dialect.
        if (oracleNamedAt(gCnn) != std::string_view::npos) EjecutaScriptOracle(SentenciaSQL, affected);
        else affected = gCnn.execute(SentenciaSQL, -1);
        if (RecordsAffected) *RecordsAffected = affected;
    } catch (const base::Error& error) {
        // The common kinds of failure are left to callers that read the error list; the rest are shown.
        constexpr std::array kQuiet{db::hresult::kUnspecified, db::hresult::kIntegrityViolation, db::hresult::kNoSuchTable,
                                    db::hresult::kCommandErrors};
        if (std::find(kQuiet.begin(), kQuiet.end(), error.number()) == kQuiet.end() && !contains(SentenciaSQL, "TRANS")) {
            try {
                const int answer = programPrompter().msgBox(error.description(), ui::vbCritical | ui::vbOKOnly,
                                                            "Aviso al operador!!!");
                registraError(error.description(), "- EjecutaConsultaSQL", answer);
            } catch (const base::Error&) {
            }
        }
    }
}

void DB_Dll::AbrirRecordset(std::string& SentenciaSQL, db::Recordset& LRCS, db::Connection* ConexionActiva,
                            int CursorType, int LockType, long Options, bool ConvOracle)
{
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, "AbrirRecordset"); });
    trap.step([&] { CierraRecordset(LRCS); });
    trap.step([&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); });
    db::Connection& connection = ConexionActiva ? *ConexionActiva : gCnn;
    trap.step([&] {
        // On Oracle the recordset opens on the statement in Oracle's dialect; the caller keeps its own text.
        const bool oracle = ConvOracle && oracleNamedAfterStart(gCnn);
        LRCS.open(oracle ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL, connection, static_cast<db::CursorType>(CursorType),
                  static_cast<db::LockType>(LockType), Options);
    });
}

void DB_Dll::abreSinTratamiento(std::string SentenciaSQL, db::Recordset& LRCS, int CursorType, int LockType)
{
    if (LRCS.state() != db::kStateClosed) LRCS.close();
    SentenciaSQL = SS_TSinonimos(SentenciaSQL);
    if (oracleNamedAfterStart(gCnn)) SentenciaSQL = ORACLE_Dicc(SentenciaSQL);
    LRCS.open(SentenciaSQL, gCnn, static_cast<db::CursorType>(CursorType), static_cast<db::LockType>(LockType));
}

void DB_Dll::CierraRecordset(db::Recordset& LrcsTemp)
{
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, "CierraRecordset"); });
    trap.step([&] {
        if (LrcsTemp.state() != db::kStateClosed) LrcsTemp.close();
    });
}

std::string DB_Dll::SQLValue(const base::Value& Valor, std::string_view Tipo) const
{
    std::string literal;
    agregaSQLValue(literal, Valor, Tipo);
    return literal;
}

void DB_Dll::agregaSQLValue(std::string& destino, const base::Value& Valor, std::string_view Tipo) const
{
    if (Valor.isNull()) {
        destino += Tipo == "@" ? "0" : "NULL";
        return;
    }
    if (Tipo == "@") {
        // A whole number or an amount reads back as itself: its text is written straight away.
        constexpr std::int64_t kEnteroExacto = 100'000'000'000'000;
        if (Valor.kind() == base::Value::Kind::Currency) destino += Valor.asCurrency().toText('.');
        else if (Valor.kind() == base::Value::Kind::Integer && Valor.asInteger() < kEnteroExacto && Valor.asInteger() > -kEnteroExacto)
            fmt::format_to(std::back_inserter(destino), "{}", Valor.asInteger());
        else destino += gUtilidades().ValorNumerico(numberForSql(Valor)).toText('.');
        return;
    }
    // Dates go in as the database's own date literal, never as regional text.
    if (Valor.kind() == base::Value::Kind::DateTime) {
        destino += gCnn.dateLiteral(Valor.asDateTime());
        return;
    }
    if (Tipo == "'") {
        if (Valor.kind() == base::Value::Kind::Text) agregaTextoSQL(destino, Valor.asText());
        else agregaTextoSQL(destino, Valor.toText());
        return;
    }
    destino += Valor.isNumeric() ? numberForSql(Valor) : Valor.toText();
}

void DB_Dll::agregaTextoSQL(std::string& destino, std::string_view texto)
{
    // Doubling the apostrophes keeps a name such as O'Brien whole and no text can end the literal early.
    destino.reserve(destino.size() + texto.size() + 2);
    destino += '\'';
    for (std::size_t desde = 0;;) {
        const std::size_t apostrofo = texto.find('\'', desde);
        if (apostrofo == std::string_view::npos) {
            destino.append(texto.substr(desde));
            break;
        }
        destino.append(texto.substr(desde, apostrofo + 1 - desde));
        destino += '\'';
        desde = apostrofo + 1;
    }
    destino += '\'';
}

bool DB_Dll::conexionOracle() const { return oracleNamedAt(gCnn) != std::string_view::npos; }

bool DB_Dll::adodate(const base::Value& Qtype) { return codeIn(Qtype, {"7", "133", "137", "134", "135", "64"}); }
bool DB_Dll::ADOText(const base::Value& Qtype) { return codeIn(Qtype, {"8", "201", "203", "200", "202", "130"}); }
bool DB_Dll::ADONumeric(const base::Value& Qtype)
{
    return codeIn(Qtype, {"20", "14", "5", "3", "131", "4", "2", "16", "21", "19", "18", "17"});
}
bool DB_Dll::ADOCurrency(const base::Value& Qtype) { return codeIn(Qtype, {"6"}); }
bool DB_Dll::ADOBoolean(const base::Value& Qtype) { return codeIn(Qtype, {"11"}); }
