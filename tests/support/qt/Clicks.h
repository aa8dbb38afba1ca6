#pragma once
// A left click as the operator's mouse gives it: pressed and released at one point of a widget, then the
// events it caused run.

#include <QApplication>
#include <QMouseEvent>
#include <QPointF>
#include <QWidget>

namespace uitest {

inline void click(QWidget* widget, QPointF at) {
    QMouseEvent down(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(widget, &up);
    QApplication::processEvents();
}

}  // namespace uitest
