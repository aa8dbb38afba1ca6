#include "dialogs/qt/EntryGridDialog.h"

namespace entry_grid {

int pixels(long twips) {
    return static_cast<int>(std::max(0L, twips) / ui::QtTextMeasurer::kTwipsPerPixel);
}

int keyAscii(const QKeyEvent& key, std::string& typed) {
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kEnter;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return kEsc;
    default: break;
    }
    const QString text = key.text();
    if (text.isEmpty() || !text.at(0).isPrint()) return 0;
    typed = text.toStdString();
    return typed.size() == 1 ? static_cast<unsigned char>(typed[0]) : -1;
}

}  // namespace entry_grid
