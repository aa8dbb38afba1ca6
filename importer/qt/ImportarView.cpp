#include "importer/qt/ImportarView.h"

#include "core/qt/ProgressBarWidget.h"

#include "importer/Importar.h"
#include "lookup/qt/QtLookupWindows.h"
#include "platform/ui/qt/FlexGridView.h"
#include "platform/ui/qt/QtTextMeasurer.h"
#include "platform/ui/qt/VbKeys.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The models end lines with CR LF, as the legacy controls did; Qt widgets end them with LF.
QString shownLines(std::string_view text)
{
    QString shown = qtText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

std::string modelLines(const QString& shown)
{
    QString text = shown;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text.toStdString();
}

// Texts the models hold are never markup: a "<" in a caption is shown as it is.
QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A label standing above its box: it names the box for accessibility tools and moves the focus to it.
QLabel* labelFor(const QString& text, QWidget* box, QWidget* parent)
{
    QLabel* label = plainLabel(text, parent);
    label->setBuddy(box);
    box->setAccessibleName(text);
    return label;
}

// What a text box's widget shows, shared between the refresher and the widget's change signal.
struct ShownBox {
    std::optional<std::string> text;
    std::optional<bool> enabled, visible;
};

template <typename T>
bool differs(const std::optional<T>& shown, const T& model)
{
    return !shown || *shown != model;
}

// Hands F5 in a balancing-account box to the window, which looks the account up; other keys stay the box's.
class F5EnCuenta : public QObject {
public:
    F5EnCuenta(std::function<void(int keyCode)> alPulsar, QObject* parent) : QObject(parent), alPulsar_(std::move(alPulsar)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const int keyCode = ui::vbKeyCode(static_cast<const QKeyEvent&>(*event));
        if (keyCode != 116) return false;
        alPulsar_(keyCode);
        return true;
    }

private:
    std::function<void(int keyCode)> alPulsar_;
};

}  // namespace

ImportarView::ImportarView(Importar& window, QWidget* parent) : QMainWindow(parent), window_(window)
{
    setWindowTitle(qtText(Importar::kCaption));
    measurer_ = std::make_unique<ui::QtTextMeasurer>(font());
    window_.setTextMeasurer(measurer_.get());
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Importar"));
    setCentralWidget(central);
    auto* columns = new QHBoxLayout(central);

    // Left: the task list. Widgets are made in on-screen order, which is also their tab order.
    auto* frame = new QGroupBox(central);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* list = new QGridLayout(frame);
    list->setVerticalSpacing(2);
    int row = 0;
    for (std::size_t i : kOrdenEnPantalla) {
        QCheckBox* entry = checkBox(window_.chkTabla[i], QStringLiteral("chkTabla(%1)").arg(i), frame);
        list->addWidget(entry, row, 0);
        if (!kTareas[i].fuente.empty()) {
            QLabel* fuente = plainLabel(qtText(kTareas[i].fuente), frame);
            // Read after the entry's caption, so the legacy source is known without looking beside it.
            entry->setAccessibleDescription(fuente->text());
            list->addWidget(fuente, row, 1);
        }
        ++row;
    }
    list->addWidget(plainLabel(QStringLiteral("ESTOS PROCESOS REQUIEREN VACIAR MOVIMIENTOS"), frame), row, 0, 1, 2);
    list->setRowStretch(row + 1, 1);
    columns->addWidget(frame);

    // Right: the data folder, the balancing accounts, the buttons, the progress and the import's grids.
    auto* side = new QVBoxLayout;
    columns->addLayout(side, 1);

    QLineEdit* path = lineEdit(window_.TxtPathDatos, QStringLiteral("TxtPathDatos"), central);
    side->addWidget(labelFor(QStringLiteral("Directorio de Datos"), path, central));
    side->addWidget(path);

    static constexpr const char* kCuentas[] = {"Cuenta Ajuste Clientes:", "Cuenta Ajuste Proveedores:",
                                               "Cuenta Cheques en Cartera:", "Cuenta Ajuste Ch Cartera:"};
    auto* accounts = new QGridLayout;
    for (std::size_t i = 0; i < window_.txtFields.size(); ++i) {
        QLineEdit* box = lineEdit(window_.txtFields[i], QStringLiteral("txtFields(%1)").arg(i), central);
        box->installEventFilter(new F5EnCuenta(
            [this, i](int keyCode) {
                window_.txtFields_KeyDown(i, keyCode);
                refresh();
            },
            box));
        const int column = static_cast<int>(i);
        accounts->addWidget(labelFor(QString::fromUtf8(kCuentas[i]), box, central), 0, column);
        accounts->addWidget(box, 1, column);
    }
    side->addLayout(accounts);

    auto* run = new QHBoxLayout;
    QPushButton* importar = button(window_.cmdImportar, "cmdImportar", central);
    connect(importar, &QPushButton::clicked, this, [this] { window_.cmdImportar_Click(); });
    cancelar_ = button(window_.CmdCancelar, "CmdCancelar", central);
    connect(cancelar_, &QPushButton::clicked, this, [this] { window_.CmdCancelar_Click(); });
    run->addWidget(importar);
    run->addWidget(cancelar_);
    side->addLayout(run);
    side->addSpacing(10);

    // The maintenance buttons; those without a handler in this version are shown with their captions and
    // states only.
    struct Maintenance {
        ui::Button* model;
        const char* name;
        void (Importar::*handler)();
    };
    const Maintenance maintenance[] = {
        {&window_.CmdVaciaArticulos, "CmdVaciaArticulos", &Importar::CmdVaciaArticulos_Click},
        {&window_.CmdVaciarMovimientos, "CmdVaciarMovimientos", &Importar::CmdVaciarMovimientos_Click},
        {&window_.CmdDbAcum, "CmdDbAcum", &Importar::CmdDbAcum_Click},
        {&window_.CmdCrearTrigger, "CmdCrearTrigger", &Importar::CmdCrearTrigger_Click},
        {&window_.CmdEliminarTrigger, "CmdEliminarTrigger", &Importar::CmdEliminarTrigger_Click},
        {&window_.CmdElimD, "CmdElimD", &Importar::CmdElimD_Click},
        {&window_.Command1, "Command1", &Importar::Command1_Click},
        {&window_.Command2, "Command2", &Importar::Command2_Click},
        {&window_.Command3, "Command3", &Importar::Command3_Click},
        {&window_.CmdNETO_FTE, "CmdNETO_FTE", &Importar::CmdNETO_FTE_Click},
    };
    auto* buttons = new QGridLayout;
    int place = 0;
    for (const Maintenance& entry : maintenance) {
        QPushButton* widget = button(*entry.model, entry.name, central);
        if (entry.handler)
            connect(widget, &QPushButton::clicked, this, [this, handler = entry.handler] { (window_.*handler)(); });
        buttons->addWidget(widget, place / 2, place % 2);
        ++place;
    }
    side->addLayout(buttons);

    side->addWidget(label(window_.lblTabla, "lblTabla", central));
    side->addWidget(label(window_.LblDetalle, "LblDetalle", central));

    progress_ = new ProgressBarWidget(window_.picStatus, central);
    progress_->setObjectName(QStringLiteral("picStatus"));
    side->addWidget(progress_);

    auto* errores = new ui::FlexGridView(window_.MSFlexGrid1, central);
    errores->setObjectName(QStringLiteral("MSFlexGrid1"));
    side->addWidget(errores, 1);

    QPlainTextEdit* text1 = multiLineEdit(window_.Text1, "Text1", central);
    side->addWidget(text1);

    // The purchase-order import's working grid and edit box: part of the window, never shown.
    auto* trabajo = new ui::FlexGridView(window_.MSFlexGrid2, central);
    trabajo->setObjectName(QStringLiteral("MSFlexGrid2"));
    trabajo->hide();
    side->addWidget(trabajo);
    side->addWidget(lineEdit(window_.TxtEdit, QStringLiteral("TxtEdit"), central));

    // The lookups this window starts show their dialogs over it.
    setLookupWindows(new QtLookupWindows(this));

    resize(980, 640);
    refresh();
    window_.alCambiar = [this] { followModels(); };
}

ImportarView::~ImportarView()
{
    window_.alCambiar = nullptr;
    window_.setTextMeasurer(nullptr);
}

void ImportarView::refresh()
{
    applying_ = true;
    for (const auto& apply : refreshers_) apply();
    applying_ = false;
    progress_->refresca();
    // A run starts with the focus on "Cancelar", so the operator can stop it from the keyboard.
    const bool running = window_.ejecutando();
    if (running && !wasRunning_ && cancelar_->isEnabled()) cancelar_->setFocus();
    wasRunning_ = running;
}

void ImportarView::followModels()
{
    if (!window_.ejecutando() || !wasRunning_) {
        refresh();
        return;
    }
    if (refreshPending_) return;
    refreshPending_ = true;
    // Queued: it runs when the pump lets events run, with whatever the models hold by then.
    QMetaObject::invokeMethod(
        this,
        [this] {
            refreshPending_ = false;
            refresh();
        },
        Qt::QueuedConnection);
}

void ImportarView::closeEvent(QCloseEvent* event)
{
    if (window_.Form_Unload()) event->accept();
    else event->ignore();
}

QPushButton* ImportarView::button(ui::Button& model, const char* name, QWidget* parent)
{
    auto* widget = new QPushButton(parent);
    widget->setObjectName(QString::fromUtf8(name));
    struct Shown {
        std::optional<std::string> caption;
        std::optional<bool> enabled, visible;
    };
    refreshers_.push_back([&model, widget, shown = Shown{}]() mutable {
        if (differs(shown.caption, model.caption)) {
            widget->setText(qtText(model.caption));
            widget->setAccessibleName(widget->text());
            shown.caption = model.caption;
        }
        if (differs(shown.enabled, model.enabled)) widget->setEnabled(*(shown.enabled = model.enabled));
        if (differs(shown.visible, model.visible)) widget->setVisible(*(shown.visible = model.visible));
    });
    return widget;
}

QCheckBox* ImportarView::checkBox(ui::CheckBox& model, const QString& name, QWidget* parent)
{
    auto* widget = new QCheckBox(parent);
    widget->setObjectName(name);
    struct Shown {
        std::optional<std::string> caption;
        std::optional<bool> enabled, checked;
    };
    refreshers_.push_back([&model, widget, shown = Shown{}]() mutable {
        if (differs(shown.caption, model.caption)) {
            widget->setText(qtText(model.caption));
            widget->setAccessibleName(widget->text());
            shown.caption = model.caption;
        }
        if (differs(shown.enabled, model.enabled)) widget->setEnabled(*(shown.enabled = model.enabled));
        const bool checked = model.value != 0;
        if (differs(shown.checked, checked)) widget->setChecked(*(shown.checked = checked));
    });
    // toggled rather than clicked: accessibility tools tick a box without a click.
    connect(widget, &QCheckBox::toggled, this, [this, &model](bool checked) {
        if (!applying_) model.value = checked ? 1 : 0;
    });
    return widget;
}

QLabel* ImportarView::label(const ui::Label& model, const char* name, QWidget* parent)
{
    QLabel* widget = plainLabel({}, parent);
    widget->setObjectName(QString::fromUtf8(name));
    widget->setWordWrap(true);
    refreshers_.push_back([&model, widget, shown = std::optional<std::string>{}]() mutable {
        if (differs(shown, model.caption)) {
            widget->setText(shownLines(model.caption));
            shown = model.caption;
        }
    });
    return widget;
}

QLineEdit* ImportarView::lineEdit(ui::TextBox& model, const QString& name, QWidget* parent)
{
    auto* widget = new QLineEdit(parent);
    widget->setObjectName(name);
    auto shown = std::make_shared<ShownBox>();
    refreshers_.push_back([&model, widget, shown] {
        if (differs(shown->text, model.text)) {
            widget->setText(qtText(model.text));
            shown->text = model.text;
        }
        if (differs(shown->enabled, model.enabled)) widget->setEnabled(*(shown->enabled = model.enabled));
        if (differs(shown->visible, model.visible)) widget->setVisible(*(shown->visible = model.visible));
    });
    // textChanged rather than textEdited: accessibility tools set a box's text without typing.
    connect(widget, &QLineEdit::textChanged, this, [this, &model, shown](const QString& text) {
        if (applying_) return;
        model.text = text.toStdString();
        shown->text = model.text;
    });
    return widget;
}

QPlainTextEdit* ImportarView::multiLineEdit(ui::TextBox& model, const char* name, QWidget* parent)
{
    auto* widget = new QPlainTextEdit(parent);
    widget->setObjectName(QString::fromUtf8(name));
    widget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    widget->setMaximumHeight(110);
    auto shown = std::make_shared<ShownBox>();
    refreshers_.push_back([&model, widget, shown] {
        if (differs(shown->text, model.text)) {
            const std::string& before = shown->text ? *shown->text : std::string();
            // An import adds its error texts at the end, one record at a time: only the new part is added,
            // unless the old end is a lone CR whose LF may come with the new part.
            if (shown->text && !before.empty() && before.back() != '\r' && model.text.starts_with(before)) {
                QTextCursor end(widget->document());
                end.movePosition(QTextCursor::End);
                end.insertText(shownLines(std::string_view(model.text).substr(before.size())));
            } else {
                widget->setPlainText(shownLines(model.text));
            }
            shown->text = model.text;
        }
        if (differs(shown->enabled, model.enabled)) widget->setEnabled(*(shown->enabled = model.enabled));
        if (differs(shown->visible, model.visible)) widget->setVisible(*(shown->visible = model.visible));
    });
    connect(widget, &QPlainTextEdit::textChanged, this, [this, &model, widget, shown] {
        if (applying_) return;
        model.text = modelLines(widget->toPlainText());
        shown->text = model.text;
    });
    return widget;
}
