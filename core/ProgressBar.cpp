#include "core/ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

namespace {
// The value last drawn, for every box of the program: -1 draws it again with a new text.
double ultimoValor = 0;
}  // namespace

ProgressBar::Layout ProgressBar::layout(long width, long height, long labelWidth, long labelHeight) const
{
    Layout result;
    result.labelWidth = labelWidth;
    result.labelHeight = labelHeight;
    result.labelLeft = std::lround(width / 2.0 - labelWidth / 2.0);
    result.labelTop = std::lround(height / 2.0 - labelHeight / 2.0);
    result.fillWidth = std::lround(width * fraction_);
    return result;
}

void ProgressBar::draw(double fraction, std::string label)
{
    fraction_ = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    label_ = std::move(label);
    if (alRefrescar) alRefrescar();
}

std::string EtiquetaProgreso(std::string_view texto, double fraccion, bool exacto)
{
    const double parte = std::isfinite(fraccion) ? std::clamp(fraccion, 0.0, 1.0) : 0.0;
    long porcentaje = std::lround(parte * 100);
    if (!exacto) {
        if (parte > 0 && porcentaje == 0) porcentaje = 1;
        if (parte < 1 && porcentaje == 100) porcentaje = 99;
    }
    return fmt::format("{} {}%", texto, porcentaje);
}

void DibujaProgreso(ProgressBar& picStatus, double valor, double maximo, bool exacto, std::string_view texto)
{
    if (valor != -1) ultimoValor = valor;
    const double fraccion = maximo != 0 ? ultimoValor / maximo : 0.0;
    picStatus.foreColor = ProgressBar::kColorBarra;
    picStatus.backColor = ui::kWhite;
    picStatus.draw(fraccion, EtiquetaProgreso(texto, fraccion, exacto));
}

void MuestraProgreso(double /*valor*/, std::string_view texto, ProgressBar* picStatus)
{
    if (picStatus) DibujaProgreso(*picStatus, -1, 100, false, texto);
}
