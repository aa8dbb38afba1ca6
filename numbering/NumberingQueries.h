#pragma once
// What the numbering services share: the one form of a voucher-type code in SQL, reading the ERP database
// so that a failure reaches the procedure's own error treatment, and the value forms of booklet columns.

#include "platform/base/DateTime.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Value.h"
#include "platform/db/Recordset.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace numbering {

// Numbers of the errors the numbering raises itself, shown by the error treatment.
inline constexpr long kNumeracionNoConfigurada = 50001;
inline constexpr long kTalonariosAgotados = 50002;
inline constexpr long kLetraNoValida = 50003;
inline constexpr long kNoEsNumero = 50004;

// A trap whose failures go to the data-access object's error treatment under the procedure's name.
base::ErrorTrap trampa(std::string rutina);

// The code trimmed and right-aligned in 4, as every table stores voucher types.
std::string codigo4(std::string_view TC);

// True when the trimmed code is one of `codes`, without regard to case.
bool esTipo(std::string_view TC, std::initializer_list<std::string_view> codes);

// Opens the statement on the ERP connection as the data-access object does (per-user synonyms, the
// "@ADMIN_" marker removed, Oracle's dialect), forward-only and read-only unless `updatable`. A failure is
// raised, so the caller's own error treatment decides.
void abreConsulta(std::string statement, db::Recordset& rs, bool updatable = false);

// A column's value as text; Null as "".
std::string texto(const base::Value& value);
// A column's value as a number; Null as 0, a text by its leading number.
std::int64_t numero(const base::Value& value);
// A booklet switch: the text of the value through ValorLogico, Null reading as "".
bool logico(const base::Value& value);

// A booklet switch set: not Null and true through ValorLogico.
bool activado(const base::Value& value);
// The value read as a date, its time of day dropped; a text that is no date raises.
base::DateTime fecha(const base::Value& value);

// A whole number given as a number or as a text holding only one (" 2" is 2). Anything else raises, naming
// `what`: such a value never reaches a statement.
std::int64_t enteroEstricto(const base::Value& value, std::string_view what);

// One of the voucher letters A, B, C, E, R, X, M (any case), exactly one character.
bool esLetraDeComprobante(std::string_view letra);

// The letter trimmed and checked before it names a booklet column; raises naming the type otherwise.
std::string letraDeColumna(std::string_view TC, std::string_view letra);

}  // namespace numbering
