#pragma once
// The ERP library's text and number services, as the program's code calls them. One program-wide
// instance (gUtilidades); the data-access object and the lookup windows keep private ones, which behave
// the same because the services hold no state.

#include "platform/base/Currency.h"
#include "platform/base/Error.h"
#include "platform/base/Value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Utilidades {
public:
    // Right-aligned in `width` characters: trailing blanks dropped, leading ones kept, blanks added on the
    // left. A code already that wide or wider comes back whole; codes are never cut.
    std::string RellenaCodigo(std::string_view code, int width = 4) const;
    // "" for Null and Empty; otherwise the value's text form.
    std::string NuloACadena(const base::Value& value) const;
    // The leading number of the text with "," or "." as decimal separator ("12,5", "1234.567", "004999");
    // 0 when the text does not start with one.
    base::Currency ValorNumerico(std::string_view text) const;
    long ValorEntero(std::string_view text) const;
    double ValorDoble(std::string_view text) const;
    // Words separated by blanks.
    long CuentaPalabras(std::string_view text) const;
    // The text without any of the given characters (each may be a multi-byte character such as "ÿ").
    std::string QuitaCaracteres(std::string_view text, std::string_view c1, std::string_view c2 = {},
                                std::string_view c3 = {}) const;
    // Every occurrence of `find`, without regard to case, replaced.
    std::string ReemplazaTexto(std::string_view text, std::string_view find, std::string_view replacement) const;
    // Trimmed, without apostrophes and control characters: safe between two apostrophes in SQL.
    std::string LimpiaTexto(std::string_view text) const;
    // At most `maximum` characters.
    std::string RecortaTexto(std::string_view text, int maximum) const;
    // The folder with a separator at its end ("\" for a Windows path, "/" otherwise).
    std::string NormalizaCarpeta(std::string_view folder) const;
    // The table name replaced where it stands as a whole name in the statement.
    std::string ReemplazaTabla(std::string_view sql, std::string_view name, std::string_view newName) const;
    // True when an element equals the value (texts without regard to case).
    bool EstaEnLista(const base::Value& value, const std::vector<base::Value>& list) const;
    std::string ValorATexto(const base::Value& value) const;
    // The common error box: the error's number and description, the procedure in the title. The answer
    // follows the program-wide convention: 4 runs the failed step again, 5 goes on, anything else leaves.
    // Without buttons the box offers Abort, Retry and Ignore.
    int MuestraError(const base::Error& error, std::optional<int> buttons = {}, std::string_view procedure = {}) const;
    // The reversible form in which the INI file keeps user names and passwords.
    std::string Encripta(std::string_view text) const;
    std::string Desencripta(std::string_view text) const;
};

// The program-wide instance.
Utilidades& gUtilidades();
