#include "platform/ui/qt/QtTextMeasurer.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace ui {

namespace {

QStringList linesOf(std::string_view text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split(lineEnd);
}

}  // namespace

long QtTextMeasurer::textWidth(std::string_view text) const {
    QFontMetrics metrics(font_);
    long widest = 0;
    for (const QString& line : linesOf(text)) widest = std::max<long>(widest, metrics.horizontalAdvance(line));
    return widest * kTwipsPerPixel;
}

long QtTextMeasurer::textHeight(std::string_view text) const {
    QFontMetrics metrics(font_);
    return static_cast<long>(linesOf(text).size()) * metrics.height() * kTwipsPerPixel;
}

}  // namespace ui
