#pragma once
// Writers do not assemble INSERT and UPDATE texts by hand: they fill the program-wide field list one column
// at a time, each value already an SQL literal, and have the list turned into a statement appended to a
// statement list, which the batch runner later runs in one transaction.

#include "platform/base/DateTime.h"
#include "platform/base/Value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One column of a statement: its name and its value as it will stand in the SQL.
struct ParCampoValor {
    std::string NombreCampo;
    std::string ValorCampo;
};

using ListaCampos = std::vector<ParCampoValor>;
using ListaSentencias = std::vector<std::string>;

// The program-wide field list.
inline ListaCampos gCampos;

// Appends a column to gCampos; `primero` starts the list anew. A text value "NULL" (any case, untrimmed)
// is the SQL Null; anything else is written by the data-access object's SQLValue with `tipo` ("'" texts and
// dates, "@" numbers), which keeps apostrophes by doubling them.
void AgregaCampo(std::string_view nombreCampo, const base::Value& valor, std::string_view tipo, bool primero);

// An INSERT's text built in place, for writers that make many rows of the same columns: the same text
// AgregaCampo and ArmaValores make, each column's name and literal appended straight to one buffer.
class TextoInsercion {
public:
    // A text as AgregaCampo writes it with "'": the word "NULL" (any case, untrimmed) is the SQL Null.
    void texto(std::string_view columna, std::string_view valor);
    // A value as AgregaCampo writes it with `tipo`.
    void valor(std::string_view columna, const base::Value& valor, std::string_view tipo);
    void fecha(std::string_view columna, base::DateTime valor);
    // "INSERT INTO <tabla> (names) VALUES (values)".
    std::string sentencia(std::string_view tabla) const;

private:
    void nombre(std::string_view columna);
    std::string nombres_, valores_;
};

// Appends an INSERT, or with `actualiza` an UPDATE whose condition gets " WHERE " in front when it has no
// WHERE (the caller's text changes too), followed by an empty element. Unless `mantieneLista`, the field
// list is left with one empty entry. Raises when the field list has no entries.
void ArmaSentencia(ListaCampos& campos, ListaSentencias& sentencias, std::string_view tabla, bool actualiza,
                   std::string& condicion, bool mantieneLista);

// Appends "(names) VALUES (values)" to the text; `limpia` empties the field list.
void ArmaValores(std::string& texto, ListaCampos& campos, bool limpia);

// column + operator + delimited value for each value, joined by the connector; blank values after the first
// are skipped when asked; " is null " added for `incluyeNulos`. Without values it reports the fault and
// gives a condition no row meets.
std::string ArmaCondicion(std::string_view campo, std::string_view operador, const std::vector<std::string>& valores,
                          std::string_view conector, std::string_view delimitador,
                          std::optional<bool> incluyeNulos = {}, bool saltaBlancos = false);
