#pragma once
// Small shared conversions: texts to truth values, the stamp mask of error rows, numbers with the configured
// decimals, times to minutes and back, and searches in text lists.

#include "core/StatementBuilders.h"

#include <string>
#include <string_view>
#include <vector>

// The keys the voucher engine searches with PosicionEnLista.
inline ListaCampos gLista;

// False for "FALSE", "FALSO", "0", "NO" and "N" (any case, untrimmed); True for anything else.
bool ValorLogico(std::string_view texto);
// The mask callers format "now" with in error rows and audit columns.
std::string FormatoFechaHora();
// The number (read with ValorNumerico) rounded half to even and written with `decimales` decimals: -3 gives
// the text unchanged, -1 the configured number, 0 the regional currency digits, -2 none.
std::string FormatoNumerico(std::string_view numero, int decimales);
// The decimals FormatoNumerico writes for `decimales` (other than -3).
int DecimalesDeFormato(int decimales);
// Minutes of a time given as "h:mm" (or a date-time), or of separate hour and minute texts.
long HoraAMinutos(std::string_view hora, std::string_view horas, std::string_view minutos, bool textoPlano);
// "hh:mm" with the configured separator (at least two digits each), or hours with decimals when the
// separator is ".". `horas` and `resto` receive the parts except in the decimal form.
std::string MinutosAHora(long minutos, long& horas, long& resto);
// The index in gLista of the key equal to the text, or -1.
long PosicionEnLista(std::string_view texto);
// The value's text without characters 0, 255 and line feeds, trimmed.
std::string NormalizaTexto(const base::Value& valor);
// The index of the first element from `desde` equal to the text (without regard to case), or -1.
long BuscaEnArreglo(const std::vector<std::string>& arreglo, std::string_view texto, long desde);
