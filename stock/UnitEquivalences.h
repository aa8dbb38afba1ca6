#pragma once
// Units of the stock module. An article is counted in its own unit (IDUNIDAD of the articles) and converts
// into other units through the equivalence table S_TA_EQUIV: a row (article, U, E, c) reads "one U is c E".
// A pair of units is looked up as asked (the direct row) and then reversed (the reverse row).

#include <string>

namespace ui {
class FlexGrid;
}

// The article's unit, trimmed. An article the articles do not hold raises an error naming it.
std::string ObtieneUnidadArticulo(const std::string& IdArticulo);

// Whether the article has an equivalence between UdBase and UdEquiv. UdBase, when empty, is the article's
// unit and is written back; SinUnidad tells there is no unit to convert from. Found, Coeficiente holds the
// row's coefficient and Operador "/" for the direct row or "*" for the reverse one (left as it was when
// nothing is found). Failures go to the error treatment; the answer so far is kept.
bool IdArticuloTieneEquivalencias(const std::string& IdArticulo, const std::string& UdEquiv, std::string& Operador,
                                  std::string& UdBase, double& Coeficiente, bool& SinUnidad);

// Cantidad, given in UdBase, expressed in UdEquiv; the reverse: Cantidad, given in UdEquiv, expressed in
// UdBase. The same unit on both sides gives the quantity; no equivalence gives 0. A coefficient of 0 that
// would divide raises an error naming the article and the units. UdBase, when empty, receives the
// article's unit.
double ConvierteCantidadAEquiv(const std::string& IdArticulo, std::string& UdBase, double Cantidad,
                               const std::string& UdEquiv);
double ConvierteCantidadDesdeEquiv(const std::string& IdArticulo, std::string& UdBase, double Cantidad,
                                   const std::string& UdEquiv);

// The current row's quantity (column 7, in the unit of column 5 or, when that is blank, the article's) in
// the configured package, cubic-metre and kilogram units: columns 63, 62 and 64, as numbers are printed
// here. An unconfigured unit gets "0". Failures reach the caller.
void CalculaEquivalenciasFila(ui::FlexGrid& Grilla);
