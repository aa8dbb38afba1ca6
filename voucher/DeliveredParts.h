#pragma once
// What a load deducts from each article line as already delivered or applied. The figure belongs to the
// article, not to the line: it is read once per load and taken off the article's lines in line order, each
// line giving at most its own quantity, and what exceeds them all stays on the article's last line. Lines
// and the figures may be in different units (a note in boxes, an invoice in units), so the figures and the
// spreading are in base units, and each line's part is handed back in the line's own unit.

#include "platform/db/Recordset.h"

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

namespace voucher {

class EntregasPorArticulo {
public:
    // The article's delivered or applied base units, given its base units on the voucher.
    using Figura = std::function<double(double baseEnComprobante)>;

    // Counts each article's lines and base units, walking `lines` once from its first row; it is left on
    // its first row.
    void cuentaLineas(db::Recordset& lines);

    // The part of the current line deducted, in the line's unit. `figura` is asked on the article's first
    // line only.
    double parteDeLinea(db::Recordset& line, const Figura& figura);

private:
    struct Articulo {
        double base = 0;              // its lines' base units
        long lineasPorVer = 0;        // its lines not loaded yet
        std::optional<double> resto;  // base units still to take off, once the figure is read
    };
    std::unordered_map<std::string, Articulo> articulos_;
};

}  // namespace voucher
