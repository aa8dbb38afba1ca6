#include "stock/MovementPieces.h"

#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "stock/ClsCmnCptes.h"

namespace {

const std::string& joiner()
{
    static const std::string character = base::characterOfCode(255);
    return character;
}

// A lot or serial number as movements hold it: trimmed and padded to 25, or empty when there is none.
std::string code25(std::string_view text)
{
    const std::string trimmed = base::trim(text);
    return trimmed.empty() ? std::string() : gUtilidades().RellenaCodigo(trimmed, 25);
}

struct LoteYSerie {
    std::string lote;
    std::string serie;
    bool unidos = false;  // the item joined both with character 255
};

// An item "lot ÿ serial" in its two parts; without the joiner the whole item is the lot.
LoteYSerie split(const std::string& item)
{
    const std::size_t at = item.find(joiner());
    if (at == std::string::npos) return {item, {}, false};
    return {item.substr(0, at), item.substr(at + joiner().size()), true};
}

// The number of pieces a listed count gives: a line lists one piece, or none, or several.
long piecesOf(long count) { return count > 1 ? count : 1; }

// An item of column 21, trimmed, with the text column 22 lists at its place.
struct ItemListado {
    std::string item;
    std::string cantidad;
};

// The items of column 21 one by one; a list of none gives one empty item.
std::vector<ItemListado> listedItems(ClsCmnCptes& motor, const LineaDePiezas& linea)
{
    const long count = piecesOf(motor.Cuenta_Series_Lotes(linea.lotes, std::string()));
    std::vector<ItemListado> items;
    for (long j = 1; j <= count; ++j)
        items.push_back({base::trim(motor.ExtraeSerieLote(linea.lotes, j)), motor.ExtraeSerieLote(linea.series, j)});
    return items;
}

// Pieces taken lot by lot from column 21, each with its quantity from column 22: an exit, and the entry
// that puts a transfer's exit back.
std::vector<PiezaMovimiento> listedLots(ClsCmnCptes& motor, const LineaDePiezas& linea)
{
    const Utilidades& u = gUtilidades();
    std::vector<PiezaMovimiento> piezas;
    for (const auto& [item, quantity] : listedItems(motor, linea)) {
        const base::Currency listed = u.ValorNumerico(quantity);
        PiezaMovimiento pieza;
        if (!item.empty()) {
            if (listed == base::Currency()) continue;  // nothing of this lot moves
            if (linea.pideTalle) {
                // A size is kept with a closing mark, one character, which the lot does not carry.
                pieza.lote = code25(base::left(item, base::length(item) - 1));
            } else {
                const LoteYSerie parts = split(item);
                pieza.lote = code25(parts.lote);
                pieza.serie = code25(parts.serie);
            }
        }
        // A piece that names nothing and lists no quantity moves the whole line.
        const bool names = !pieza.lote.empty() || !pieza.serie.empty();
        pieza.cantidad = names || listed > base::Currency() ? listed : linea.cantidad;
        piezas.push_back(std::move(pieza));
    }
    return piezas;
}

// An entry of sizes: each size with its quantity from column 22.
std::vector<PiezaMovimiento> enteredSizes(ClsCmnCptes& motor, const LineaDePiezas& linea, std::string_view loteFijo)
{
    const Utilidades& u = gUtilidades();
    std::vector<PiezaMovimiento> piezas;
    for (const auto& [item, quantity] : listedItems(motor, linea)) {
        PiezaMovimiento pieza{code25(item), code25(quantity), linea.cantidad, {}};
        if (linea.perecedero) {
            pieza.lote = code25(linea.lotes);
        } else if (!item.empty()) {
            pieza.lote = code25(split(item).lote);
            pieza.serie.clear();
            pieza.cantidad = u.ValorNumerico(quantity);
            if (pieza.cantidad == base::Currency()) continue;
        } else if (!base::trim(loteFijo).empty()) {
            pieza.lote = code25(loteFijo);
        }
        piezas.push_back(std::move(pieza));
    }
    return piezas;
}

// An entry of lots or serial numbers. A serial number is one unit; the pieces of a lot line are one unit
// each with the rest on the last, as many as the line's quantity asks, so the line posts what it received.
std::vector<PiezaMovimiento> enteredLots(ClsCmnCptes& motor, const LineaDePiezas& linea, std::string_view loteFijo)
{
    std::string lotes = linea.lotes, series = linea.series;
    const base::Currency one = base::Currency::fromInteger(1);
    long count = 1;
    if (linea.pideSerie) {
        count = piecesOf(motor.Cuenta_Series_Lotes(series, lotes, true));
    } else if (motor.Cuenta_Series_Lotes(series, lotes) > 1) {
        // One piece per unit: the j-th continues while j is below the quantity.
        const std::int64_t scaled = linea.cantidad.scaled();
        const std::int64_t units = scaled / base::Currency::kScale + (scaled % base::Currency::kScale > 0 ? 1 : 0);
        count = units > 1 ? static_cast<long>(units) : 1;
    }
    std::vector<PiezaMovimiento> piezas;
    for (long j = 1; j <= count; ++j) {
        const std::string serialItem = base::trim(motor.ExtraeSerieLote(series, j));
        PiezaMovimiento pieza{code25(motor.ExtraeSerieLote(lotes, j)), code25(serialItem), {}, {}};
        if (linea.perecedero) {
            pieza.lote = code25(lotes);
        } else {
            if (pieza.lote.empty() && !base::trim(loteFijo).empty()) pieza.lote = code25(loteFijo);
            if (linea.pideSerie && !serialItem.empty()) {
                const LoteYSerie parts = split(serialItem);
                if (parts.unidos) {
                    pieza.lote = code25(parts.lote);
                    pieza.serie = code25(parts.serie);
                }
            }
        }
        if (!linea.pideSerie) {
            pieza.cantidad = j < count ? one : linea.cantidad - base::Currency::fromInteger(count - 1);
        } else {
            const bool oneSerial = count > 1 || (!serialItem.empty() && !linea.perecedero);
            pieza.cantidad = oneSerial ? one : linea.cantidad;
        }
        piezas.push_back(std::move(pieza));
    }
    return piezas;
}

// total × part ÷ whole at four decimals, half to even.
base::Currency proportion(base::Currency total, base::Currency part, base::Currency whole)
{
    const __int128 numerator = static_cast<__int128>(total.scaled()) * part.scaled();
    const __int128 divisor = whole.scaled();
    __int128 quotient = numerator / divisor;
    const __int128 remainder = numerator % divisor;
    const __int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
    const __int128 magnitude = divisor < 0 ? -divisor : divisor;
    if (twice > magnitude || (twice == magnitude && quotient % 2 != 0))
        quotient += (numerator < 0) == (divisor < 0) ? 1 : -1;
    return base::Currency::fromScaled(static_cast<std::int64_t>(quotient));
}

}  // namespace

std::vector<PiezaMovimiento> PiezasDeLinea(ClsCmnCptes& motor, const LineaDePiezas& linea, int signo,
                                           bool esTransferencia, std::string_view loteFijo)
{
    if (signo == 0) return {PiezaMovimiento{{}, {}, linea.cantidad, {}}};
    if (signo < 0 || esTransferencia) return listedLots(motor, linea);
    if (linea.pideTalle) return enteredSizes(motor, linea, loteFijo);
    return enteredLots(motor, linea, loteFijo);
}

void ReparteCantidadUD(std::vector<PiezaMovimiento>& piezas, base::Currency cantidadLinea, base::Currency cantidadBase)
{
    if (piezas.empty()) return;
    if (cantidadLinea == base::Currency()) {
        // No part of nothing: the line's base quantity stays whole, on its last piece.
        for (PiezaMovimiento& pieza : piezas) pieza.cantidadUD = base::Currency();
        piezas.back().cantidadUD = cantidadBase;
        return;
    }
    base::Currency total;
    for (const PiezaMovimiento& pieza : piezas) total = total + pieza.cantidad;
    const bool wholeLine = total == cantidadLinea;
    base::Currency given;
    for (std::size_t i = 0; i < piezas.size(); ++i) {
        if (wholeLine && i + 1 == piezas.size()) {
            piezas[i].cantidadUD = cantidadBase - given;
        } else {
            piezas[i].cantidadUD = proportion(cantidadBase, piezas[i].cantidad, cantidadLinea);
            given = given + piezas[i].cantidadUD;
        }
    }
}
