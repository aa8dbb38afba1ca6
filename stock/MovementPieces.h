#pragma once
// How one article line of a voucher splits into stock movements: a piece per lot, serial number or size
// the line lists, each with the lot and serial number it moves and the quantity it posts.
//
// An entry line posts what it received: the pieces of a lot line carry one unit each and the rest on the
// last, so that they add up to the line; a serial number is one unit. An exit takes each lot's quantity
// from the parallel list of column 22. The second pass of a transfer puts back, lot by lot, what the first
// took out.

#include "platform/base/Currency.h"

#include <string>
#include <string_view>
#include <vector>

class ClsCmnCptes;

// The cells of an article line that decide its pieces.
struct LineaDePiezas {
    base::Currency cantidad;  // column 7, the line's quantity
    bool pideSerie = false;   // column 19: a series line
    bool perecedero = false;  // column 46: its lot is the whole of column 21
    bool pideTalle = false;   // column 61: a sizes line
    std::string lotes;        // column 21, a pipe list; an item may join lot and serial with character 255
    std::string series;       // column 22, a pipe list: serial numbers, or each lot's quantity
};

struct PiezaMovimiento {
    std::string lote;           // padded to 25; empty: no lot
    std::string serie;          // padded to 25; empty: no serial number
    base::Currency cantidad;    // what the movement posts, before the sign
    base::Currency cantidadUD;  // its part of the line's quantity in the base unit, before the sign
};

// The pieces of the line for a movement sign (+1 entry, -1 exit, 0 a voucher type without direction).
// A transfer's entry mirrors its exit. Pieces of a listed lot whose quantity is 0 move nothing and are left
// out, so a line may come back without pieces.
std::vector<PiezaMovimiento> PiezasDeLinea(ClsCmnCptes& motor, const LineaDePiezas& linea, int signo,
                                           bool esTransferencia, std::string_view loteFijo);

// Gives each piece its part of the line's quantity in the base unit, in proportion to what it posts (four
// decimals). When the pieces add up to the line, the last takes what remains, so they add up to `cantidadBase` too.
void ReparteCantidadUD(std::vector<PiezaMovimiento>& piezas, base::Currency cantidadLinea, base::Currency cantidadBase);
