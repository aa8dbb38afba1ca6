#pragma once
// The voucher engine: one object gathering the operations the voucher screens and the purchase-order
// import need. It holds almost no state: three settings read when it is made and the accounting-entry
// number it used last. Each operation works on its arguments, the grids it is given and the database;
// the operations are defined one file per concern, here in stock/ and in the voucher and dialog folders.

#include <cstdint>
#include <string_view>

namespace ui {
class FlexGrid;
class TextMeasurer;
struct TextBox;
}  // namespace ui

class ClsCmnCptes {
public:
    // Reads the settings once. A setting that cannot be read raises: no engine is made, and the next use
    // tries again.
    ClsCmnCptes();

    // --- grid layouts and edit-box set-up
    // Gives the edit box the data field, maximum length and lookup source of the column it edits.
    void TextPropiedades(ui::TextBox& Texto, long Columna);
    // Clears and lays out the grids given (null: skipped): tasks, article lines, other concepts and
    // control totals, by the voucher type's system and the configuration; the edit boxes given are hidden
    // or emptied. `Obj` measures the columns. A type V_TA_CPTE does not hold raises before any grid is
    // touched.
    void InicializaGrids(ui::FlexGrid* MSFlexGrid1, ui::FlexGrid* MSFlexGrid2, ui::FlexGrid* MSFlexGrid3,
                         ui::TextBox* TxtEdit, ui::TextBox* txtEdit2, ui::TextBox* txtEdit3,
                         const ui::TextMeasurer& Obj, std::string_view TC = {}, ui::FlexGrid* MSFlexGrid4 = nullptr);

    double PIVA = 0;                      // the general VAT percentage
    double PIVARec = 0;                   // the surcharge VAT percentage
    bool AsientosXStock = false;          // stock movements carry their accounting entry
    std::int32_t UltimoNroAsiento = 0;    // the entry number the stock entry used last; 0: none yet
};
