// Timber lines: the measures an article asks for, the cells that mean nothing for it, and the merge of a
// line into an earlier row of the same article, unit, measures and unit price.

#include "voucher/VoucherLoad.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "platform/base/Currency.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/FlexGrid.h"

namespace voucher {

namespace {

constexpr ui::Color kBlanco = 0xFFFFFF;

void pintaBlanco(ui::FlexGrid& grid, long row, long col)
{
    grid.setRow(row);
    grid.setCol(col);
    grid.setCellForeColor(kBlanco);
}

bool mismoTexto(const ui::FlexGrid& grid, long a, long b, long col)
{
    return base::equalsIgnoringCase(base::trim(grid.textMatrix(a, col)), base::trim(grid.textMatrix(b, col)));
}

}  // namespace

bool CargaComprobante::madera(ui::FlexGrid& grid, long row, db::Recordset& line, long& destino)
{
    bool pideMedidas = false;
    step([&] {
        const DB_Dll& erp = gDB_Dll();
        db::Recordset article;
        gDB_Dll().abreSinTratamiento("SELECT TOP 1 PIDEMEDIDAS FROM V_MA_ARTICULOS WHERE LTRIM(RTRIM(IDARTICULO)) = " +
                                         erp.SQLValue(textoDe(line, "IdArticulo")),
                                     article);
        std::string asks = article.eof() ? std::string() : textoDe(article, "PIDEMEDIDAS");
        if (asks.empty()) asks = "FALSO";
        pideMedidas = ValorLogico(asks);
    });
    celda(grid, row, 83, [&] { return std::string(pideMedidas ? "1" : "0"); });
    if (pideMedidas) {
        celda(grid, row, 3, [&] { return textoDe(line, "ESPESOR"); });
        celda(grid, row, 4, [&] { return textoDe(line, "Ancho"); });
        celda(grid, row, 67, [&] { return textoDe(line, "IdUnidad"); });
        step([&] {
            if (grid.textMatrix(row, 5) == gMadTiras)
                grid.setTextMatrix(row, 8, textoDe(line, "Equiv_UDBase"));
            else
                pintaBlanco(grid, row, 8);
        });
    } else {
        for (const long col : {3L, 4L, 8L}) step([&] { pintaBlanco(grid, row, col); });
    }
    celda(grid, row, 12, [&] { return textoDe(line, "Ud_Pr"); });
    celda(grid, row, 13, [&] { return textoDe(line, "Importe_Ud"); });

    bool merged = false;
    step([&] { merged = fusionaLinea(grid, destino); });
    return merged;
}

bool CargaComprobante::fusionaLinea(ui::FlexGrid& grid, long& destino)
{
    const long last = grid.rows() - 1;
    for (long i = 1; i <= grid.rows() - 2; ++i) {
        if (!mismoTexto(grid, i, last, 0) || !mismoTexto(grid, i, last, 5)) continue;
        if (!mismoTexto(grid, i, last, 3) || !mismoTexto(grid, i, last, 4)) continue;
        if (!mismoTexto(grid, i, last, 13)) continue;

        const base::Currency w = valorCelda(grid, i, 7);
        const base::Currency v = valorCelda(grid, last, 7);
        const base::Currency sum = w + v;
        // Quantities that cancel out have no weighted average: the line keeps a row of its own.
        if (sum == base::Currency()) return false;
        const double divisor = sum.toDouble();

        const base::Currency equivalences = valorCelda(grid, i, 8) * w + valorCelda(grid, last, 8) * v;
        const std::string equivalence = FormatoNumerico(base::doubleToText(equivalences.toDouble() / divisor), -1);
        grid.setTextMatrix(i, 8, equivalence);
        grid.setTextMatrix(i, 84, equivalence);
        grid.setTextMatrix(i, 10, base::doubleToText((valorCelda(grid, last, 10) + valorCelda(grid, i, 10)).toDouble()));
        const base::Currency amounts = valorCelda(grid, i, 14) * w + valorCelda(grid, last, 14) * v;
        const base::Currency price = base::Currency::fromDouble(amounts.toDouble() / divisor);
        grid.setTextMatrix(i, 7, base::doubleToText(sum.toDouble()));
        const std::string priceText = FormatoNumerico(price.toText(), -1);
        grid.setTextMatrix(i, 14, priceText);
        grid.setTextMatrix(i, 17, priceText);
        grid.setRows(last);
        destino = i;
        return true;
    }
    return false;
}

}  // namespace voucher
