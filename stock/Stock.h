#pragma once
// The stock module's procedures with which the stock poster discharges the components of the articles it
// posts: the number of a new stock voucher, the spread of a quantity over an article's lots, and an
// article's components. They read the ERP database through the program-wide data-access object and never
// write to it; each hands its failures to the error treatment under its own name.

#include "platform/base/Text.h"

#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A text field of fixed width, as a record field of the legacy runtime holds it: a value is stored
// left-aligned and padded with blanks, or cut at the width. A field never assigned holds characters of
// code 0, which NormalizaTexto removes, so such a field reads as empty.
template <std::size_t Width>
class TextoFijo {
public:
    TextoFijo() : text_(Width, '\0') {}
    template <class Text>
        requires std::convertible_to<const Text&, std::string_view>
    TextoFijo(const Text& value) : text_(base::fixedLength(value, Width)) {}
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// A lot with the quantity taken from it, or a component with its unit and quantity per unit of the article.
struct ItemCantidad {
    TextoFijo<25> CodigoItem;  // the lot number, or the component's article code
    TextoFijo<4> UnidadItem;   // the component's unit; blank for lots
    double CantidadItem = 0;
};

// The components of the article the stock poster is discharging, filled by IdArticuloTieneInsumos.
inline std::vector<ItemCantidad> gInsumos;

// The identifier (branch, eight-digit number, letter) of a new stock voucher of type TC: the number the
// numbering booklets propose, or, when a stock movement already carries that identifier, the highest
// stored number of the same branch and letter plus one. `Suc` and `Letra` receive what the booklets set.
// Empty when no number can be given: no booklet (the numbering has reported it), the highest stored number
// already 99999999, or an error the operator did not retry.
std::string AsignarNumeroComprobante(const std::string& TC, std::string& Suc, std::string& Letra);

// Spreads `Cantidad` of the article over the lots holding stock of it in the warehouse, lowest lot number
// first: every lot taken whole but the last, which gives what is still missing, and an element with a blank
// code for what the lots cannot cover. `IdDeposito` is the warehouse as the stock poster holds it: an SQL
// literal (the quoted code, or NULL, which matches no lot) or "ELDELGRID" (any case), which answers False at
// once and leaves `Lotes` untouched. True when at least one lot holds stock; quantities are summed and
// compared with four decimals.
bool ArticuloTieneLotes(std::string IdArticulo, const std::string& IdDeposito, std::vector<ItemCantidad>& Lotes,
                        double Cantidad);

// Loads the article's components in ascending component code into `Insumos`, followed by one element never
// assigned (readers stop at its empty code); with `SoloVerifica`, or when there are none, `Insumos` holds
// only that element. True when the article has at least one component. `Leidos`, when given, turns false
// when they could not be read whole (the operator has been told): false then does not mean there are none.
bool IdArticuloTieneInsumos(std::string IdArticulo, std::vector<ItemCantidad>& Insumos, bool SoloVerifica,
                            bool* Leidos = nullptr);
