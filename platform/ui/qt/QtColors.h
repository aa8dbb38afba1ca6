#pragma once
// The window code's colours (red in the low byte) as Qt colours.

#include "platform/ui/Color.h"

#include <QColor>

namespace ui {

inline QColor toQColor(Color c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

}  // namespace ui
