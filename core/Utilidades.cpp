#include "core/Utilidades.h"

#include "core/ProgramServices.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Prompter.h"

#include <cctype>
#include <charconv>
#include <fmt/format.h>

namespace {

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) base::nextCodePoint(text, i);
    return count;
}

// The leading number of a text: optional blanks and sign, digits, one "," or "." and more digits.
std::string leadingNumber(std::string_view text)
{
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos) return {};
    std::string number;
    if (text[i] == '-' || text[i] == '+') number += text[i++];
    bool digits = false, separator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            number += c;
            digits = true;
        } else if ((c == ',' || c == '.') && !separator) {
            number += '.';
            separator = true;
        } else {
            break;
        }
    }
    if (!digits) return {};
    if (number.back() == '.') number.pop_back();
    return number;
}

bool isWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '$'; }

}  // namespace

std::string Utilidades::RellenaCodigo(std::string_view code, int width) const
{
    const auto last = code.find_last_not_of(' ');
    const std::string_view kept = last == std::string_view::npos ? std::string_view() : code.substr(0, last + 1);
    const auto length = static_cast<int>(characterCount(kept));
    return length >= width ? std::string(kept) : std::string(static_cast<std::size_t>(width - length), ' ') + std::string(kept);
}

std::string Utilidades::NuloACadena(const base::Value& value) const
{
    return value.isNull() || value.isEmpty() ? std::string() : value.toText();
}

base::Currency Utilidades::ValorNumerico(std::string_view text) const
{
    const std::string number = leadingNumber(text);
    if (number.empty()) return {};
    return base::Currency::parse(number).value_or(base::Currency());
}

long Utilidades::ValorEntero(std::string_view text) const
{
    return static_cast<long>(base::Value(ValorNumerico(text)).toInteger());
}

double Utilidades::ValorDoble(std::string_view text) const
{
    const std::string number = leadingNumber(text);
    return number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
}

long Utilidades::CuentaPalabras(std::string_view text) const
{
    long words = 0;
    bool inWord = false;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (!blank && !inWord) ++words;
        inWord = !blank;
    }
    return words;
}

std::string Utilidades::QuitaCaracteres(std::string_view text, std::string_view c1, std::string_view c2,
                                        std::string_view c3) const
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        base::nextCodePoint(text, i);
        const std::string_view character = text.substr(start, i - start);
        if (character != c1 && character != c2 && character != c3) out += character;
    }
    return out;
}

std::string Utilidades::ReemplazaTexto(std::string_view text, std::string_view find, std::string_view replacement) const
{
    return base::replace(text, find, replacement);
}

std::string Utilidades::LimpiaTexto(std::string_view text) const
{
    std::string out;
    for (char c : text)
        if (c != '\'' && !(static_cast<unsigned char>(c) < 0x20) && c != 0x7F) out += c;
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string Utilidades::RecortaTexto(std::string_view text, int maximum) const
{
    return base::left(text, maximum);
}

std::string Utilidades::NormalizaCarpeta(std::string_view folder) const
{
    std::string out(folder);
    const char separator = out.find('\\') != std::string::npos || (out.size() >= 2 && out[1] == ':') ? '\\' : '/';
    if (out.empty() || (out.back() != '\\' && out.back() != '/')) out += separator;
    return out;
}

std::string Utilidades::ReemplazaTabla(std::string_view sql, std::string_view name, std::string_view newName) const
{
    if (name.empty()) return std::string(sql);
    std::string out;
    std::size_t position = 0;
    for (std::size_t found; (found = base::findIgnoringCase(sql, name, position)) != std::string_view::npos;) {
        const std::size_t end = found + name.size();
        const bool whole = (found == 0 || !isWordCharacter(sql[found - 1])) && (end >= sql.size() || !isWordCharacter(sql[end]));
        out.append(sql.substr(position, found - position));
        out.append(whole ? newName : sql.substr(found, name.size()));
        position = end;
    }
    out.append(sql.substr(position));
    return out;
}

bool Utilidades::EstaEnLista(const base::Value& value, const std::vector<base::Value>& list) const
{
    const std::string wanted = ValorATexto(value);
    for (const base::Value& element : list) {
        if (element.isNull() != value.isNull()) continue;
        if (element.isNumeric() && value.isNumeric() ? element.toDouble() == value.toDouble()
                                                     : base::equalsIgnoringCase(ValorATexto(element), wanted))
            return true;
    }
    return false;
}

std::string Utilidades::ValorATexto(const base::Value& value) const { return NuloACadena(value); }

int Utilidades::MuestraError(const base::Error& error, std::optional<int> buttons, std::string_view procedure) const
{
    const std::string text = fmt::format("Ha ocurrido el Siguiente Error ({}) {}", error.number(), error.description());
    const std::string title = procedure.empty() ? std::string() : fmt::format("{} - {}", error.source(), procedure);
    return programPrompter().msgBox(text, buttons.value_or(ui::vbAbortRetryIgnore | ui::vbCritical), title);
}

// Not a secret: it keeps a casual reader of the INI file from seeing the password. Each byte is shifted by
// its position and written as two hex digits, so any text (UTF-8 included) comes back exactly.
std::string Utilidades::Encripta(std::string_view text) const
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        out += fmt::format("{:02X}", static_cast<unsigned char>(static_cast<unsigned char>(text[i]) + 7 + i * 13));
    return out;
}

// A text that is not in that form (typed into the INI file by hand) is taken as it stands.
std::string Utilidades::Desencripta(std::string_view text) const
{
    if (text.size() % 2 != 0) return std::string(text);
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (error != std::errc() || end != text.data() + i + 2) return std::string(text);
        out += static_cast<char>(static_cast<unsigned char>(value - 7 - (i / 2) * 13));
    }
    return out;
}

Utilidades& gUtilidades()
{
    static Utilidades instance;
    return instance;
}
