#include "core/AyudaControles.h"

#include "platform/base/Utf8.h"

namespace {

constexpr int kBackspace = 8;

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) base::nextCodePoint(text, i);
    return count;
}

}  // namespace

bool AyudaControles::EsTeclaSalida(int& keyCode) const
{
    return keyCode == 13 || keyCode == 27 || keyCode == 38 || keyCode == 40;
}

void AyudaControles::FiltraTecla(const ui::TextBox& box, int& keyAscii) const
{
    if (keyAscii == kBackspace || keyAscii == 0) return;
    if (box.maxLength > 0 && characterCount(box.text) >= static_cast<std::size_t>(box.maxLength)) {
        keyAscii = 0;
        return;
    }
    if (!base::equalsIgnoringCase(box.dataField, "Cantidad")) return;
    if (keyAscii >= '0' && keyAscii <= '9') return;
    if (keyAscii == ',' || keyAscii == '.') {
        keyAscii = box.text.find('.') == std::string::npos ? '.' : 0;
        return;
    }
    if (keyAscii == '-' && box.selStart == 0 && box.text.find('-') == std::string::npos) return;
    keyAscii = 0;
}

int AyudaControles::IndiceDeCampo(std::string_view fieldName, const std::vector<const ui::TextBox*>& boxes) const
{
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i] && base::equalsIgnoringCase(boxes[i]->dataField, fieldName)) return static_cast<int>(i);
    return -1;
}

AyudaControles& gAyudaControles()
{
    static AyudaControles instance;
    return instance;
}
