#include "platform/ui/qt/QtEventPump.h"

#include <QCoreApplication>

namespace ui {

void QtEventPump::doEvents() {
    const auto now = std::chrono::steady_clock::now();
    if (interval_.count() > 0 && now - last_ < interval_) return;
    if (!QCoreApplication::instance()) return;
    last_ = now;
    QCoreApplication::processEvents();
}

}  // namespace ui
