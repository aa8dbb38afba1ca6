#include "platform/ui/qt/QtPrompter.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include <vector>

namespace ui {

namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Texts carry CR LF line ends; a plain-text label wants LF.
QString withLineFeeds(std::string_view s) {
    QString text = toQString(s);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::StandardButton standardButton(int answer) {
    switch (answer) {
        case vbOK: return QMessageBox::Ok;
        case vbCancel: return QMessageBox::Cancel;
        case vbAbort: return QMessageBox::Abort;
        case vbRetry: return QMessageBox::Retry;
        case vbIgnore: return QMessageBox::Ignore;
        case vbYes: return QMessageBox::Yes;
        default: return QMessageBox::No;
    }
}

QMessageBox::Icon icon(int style) {
    switch (style & kIconMask) {
        case vbCritical: return QMessageBox::Critical;
        case vbQuestion: return QMessageBox::Question;
        case vbExclamation: return QMessageBox::Warning;
        case vbInformation: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

// A box closed without a button (Esc): Cancel where there is one, else the answer that stops (No, Abort).
int closedAnswer(const ButtonSet& set) {
    for (int answer : {vbCancel, vbNo, vbAbort}) {
        if (set.contains(answer)) return answer;
    }
    return vbOK;
}

}  // namespace

int QtPrompter::showMessage(std::string_view prompt, int style, std::string_view title) {
    QMessageBox box(icon(style), toQString(title), withLineFeeds(prompt), QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText);
    const ButtonSet set = buttonsOf(style);
    std::vector<QAbstractButton*> buttons;
    for (int i = 0; i < set.count; ++i) buttons.push_back(box.addButton(standardButton(set.answers[i])));
    int preferred = (style & kDefaultButtonMask) >> 8;
    auto* defaultButton = qobject_cast<QPushButton*>(buttons[static_cast<std::size_t>(std::min(preferred, set.count - 1))]);
    box.setDefaultButton(defaultButton);
    box.exec();
    for (int i = 0; i < set.count; ++i) {
        if (box.clickedButton() == buttons[static_cast<std::size_t>(i)]) return set.answers[i];
    }
    return closedAnswer(set);
}

std::string QtPrompter::showInput(std::string_view prompt, std::string_view title, std::string_view defaultText) {
    QInputDialog dialog(parent_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(toQString(title));
    dialog.setLabelText(withLineFeeds(prompt));
    dialog.setTextValue(toQString(defaultText));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue().toStdString();
}

}  // namespace ui
