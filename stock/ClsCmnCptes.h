#pragma once
// The voucher engine: one object gathering the operations the voucher screens and the purchase-order
// import need. It holds almost no state: three settings read when it is made and the accounting-entry
// number it used last. Each operation works on its arguments, the grids it is given and the database;
// the operations are defined one file per concern, here in stock/ and in the voucher and dialog folders.

#include <cstdint>

class ClsCmnCptes {
public:
    // Reads the settings once. A failure to read them raises: no engine is made, and the next use tries
    // again.
    ClsCmnCptes();

    double PIVA = 0;                      // the general VAT percentage
    double PIVARec = 0;                   // the surcharge VAT percentage
    bool AsientosXStock = false;          // stock movements carry their accounting entry
    std::int32_t UltimoNroAsiento = 0;    // the entry number the stock entry used last; 0: none yet
};
