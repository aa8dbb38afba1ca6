#include "core/qt/ProgressBarWidget.h"

#include "platform/ui/qt/QtColors.h"

#include <QFontMetrics>
#include <QPainter>

ProgressBarWidget::ProgressBarWidget(ProgressBar& model, QWidget* parent) : QWidget(parent), model_(model)
{
    setObjectName(QStringLiteral("picStatus"));
    model_.alRefrescar = [this] { refresca(); };
    setVisible(model_.visible);
}

ProgressBarWidget::~ProgressBarWidget()
{
    model_.alRefrescar = nullptr;
}

void ProgressBarWidget::refresca()
{
    if (isHidden() == model_.visible) setVisible(model_.visible);
    // At once, as the box's Refresh did: the script runner lets events run only between lines and batches.
    if (isVisible()) repaint();
}

QSize ProgressBarWidget::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 40, metrics.height() + 6};
}

void ProgressBarWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor fore = ui::toQColor(model_.foreColor);
    const QColor back = ui::toQColor(model_.backColor);
    const QString text = QString::fromStdString(model_.label());
    const QFontMetrics metrics(font());
    const ProgressBar::Layout layout =
        model_.layout(width(), height(), metrics.horizontalAdvance(text), metrics.height());
    const QRect label(static_cast<int>(layout.labelLeft), static_cast<int>(layout.labelTop),
                      static_cast<int>(layout.labelWidth), static_cast<int>(layout.labelHeight));
    const QRect bar(0, 0, static_cast<int>(layout.fillWidth), height());

    painter.fillRect(rect(), back);
    painter.setPen(fore);
    painter.drawText(label, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    if (bar.isEmpty()) return;
    // Where the bar covers the label its letters show in the back colour, as the inverting pen drew them.
    painter.fillRect(bar, fore);
    painter.setClipRect(bar);
    painter.setPen(back);
    painter.drawText(label, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}
