// The main window built whole on the offscreen platform: what the operator sees, what accessibility tools
// find, and that the operator's actions reach the presenter and the presenter's changes reach the widgets.

#include "importer/Importar.h"
#include "core/qt/ProgressBarWidget.h"
#include "importer/qt/ImportarView.h"
#include "platform/ui/qt/FlexGridView.h"
#include "tests/core/ProgramFixture.h"
#include "tests/support/LegacyTables.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The name a screen reader or a UI automation tool reads for the widget.
QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

class ImportarWindow : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        view = std::make_unique<ImportarView>(window);
        view->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        view.reset();
        ProgramFixture::TearDown();
    }

    // The one widget of its kind that accessibility tools know by `name`.
    template <typename W>
    W* named(const QString& name)
    {
        std::vector<W*> found;
        for (W* widget : view->findChildren<W*>())
            if (accessibleName(widget) == name) found.push_back(widget);
        EXPECT_EQ(found.size(), 1u) << name.toStdString();
        return found.empty() ? nullptr : found.front();
    }
    template <typename W>
    W* designName(const char* name)
    {
        W* widget = view->findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLabel* labelWithText(const QString& text)
    {
        std::vector<QLabel*> found;
        for (QLabel* label : view->findChildren<QLabel*>())
            if (label->text() == text) found.push_back(label);
        EXPECT_EQ(found.size(), 1u) << text.toStdString();
        return found.empty() ? nullptr : found.front();
    }
    // Where the widget stands in the window.
    QRect onScreen(QWidget* widget) const { return {widget->mapTo(view.get(), QPoint(0, 0)), widget->size()}; }

    ui::ScriptedEventPump pump;
    Importar window{pump};
    std::unique_ptr<ImportarView> view;
};

TEST_F(ImportarWindow, TheTaskListStandsInItsOnScreenOrderWithTheSourcesBesideTheEntries)
{
    auto* frame = designName<QGroupBox>("Frame1");
    ASSERT_NE(frame, nullptr);
    std::vector<QCheckBox*> entries;
    for (QCheckBox* entry : frame->findChildren<QCheckBox*>()) entries.push_back(entry);
    ASSERT_EQ(entries.size(), 21u);
    std::sort(entries.begin(), entries.end(),
              [this](QCheckBox* a, QCheckBox* b) { return onScreen(a).top() < onScreen(b).top(); });

    const std::vector<std::size_t> order{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 19};
    const std::set<std::size_t> neverRun{4, 5, 6, 7, 8, 9, 14};
    const QList<QLabel*> labels = frame->findChildren<QLabel*>();
    for (std::size_t row = 0; row < order.size(); ++row) {
        const std::size_t i = order[row];
        QCheckBox* entry = entries[row];
        SCOPED_TRACE(testing::Message() << "row " << row << ", entry " << i);
        EXPECT_EQ(entry->objectName(), QStringLiteral("chkTabla(%1)").arg(i));
        EXPECT_EQ(entry->text(), qs(window.chkTabla[i].caption));
        EXPECT_EQ(accessibleName(entry), entry->text());
        EXPECT_EQ(entry->isEnabled(), !neverRun.contains(i));
        EXPECT_FALSE(entry->isChecked());
        EXPECT_TRUE(entry->isVisible());
        if (row > 0) {
            EXPECT_GE(onScreen(entry).top(), onScreen(entries[row - 1]).bottom());
        }

        QStringList beside;
        const QRect box = onScreen(entry);
        for (QLabel* label : labels) {
            const QRect at = onScreen(label);
            if (at.left() >= box.right() && at.center().y() >= box.top() && at.center().y() <= box.bottom())
                beside << label->text();
        }
        if (kTareas[i].fuente.empty()) {
            EXPECT_TRUE(beside.isEmpty()) << beside.join('|').toStdString();
        } else {
            EXPECT_EQ(beside, QStringList{qs(kTareas[i].fuente)});
        }
    }
    // What the operator reads at the end of the list.
    EXPECT_EQ(entries[1]->text(), QStringLiteral("Clientes................................."));
    EXPECT_EQ(entries[18]->text(), QStringLiteral("Saldos Stock"));
    EXPECT_EQ(entries[19]->text(), QStringLiteral("ORDENES DE COMPRA PENDIENTE"));
    EXPECT_EQ(entries[19]->accessibleDescription(), QStringLiteral("FORCOMPR.DBF"));
    EXPECT_EQ(entries[20]->text(), QStringLiteral("CREAR DISPARADORES"));

    QLabel* note = labelWithText(QStringLiteral("ESTOS PROCESOS REQUIEREN VACIAR MOVIMIENTOS"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_GE(onScreen(note).top(), onScreen(entries.back()).bottom());
}

TEST_F(ImportarWindow, EveryControlStartsWithItsCaptionAndState)
{
    EXPECT_EQ(view->windowTitle(), QString::fromUtf8("Importación de Datos - TEMO - VELL"));

    struct ButtonAtStart {
        const char* caption;
        bool enabled;
    };
    const ButtonAtStart buttons[] = {
        {"Iniciar/Importar", true},
        {"Cancelar", false},
        {"Vacia Articulos y precios...", false},
        {"Vacia movimientos...", true},
        {"Actualizar estatisticas/acumuladores", true},
        {"Crear Trigger", false},
        {"Eliminar Trigger", false},
        {"Elimina duplicado lista", true},
        {"PROV.LO", true},
        {"Corregir precios OC letra C", true},
        {"Saldo inicial de cheques", true},
        {"Updatea NETO_FTE en Prov.", true},
    };
    EXPECT_EQ(view->findChildren<QPushButton*>().size(), std::size(buttons));
    for (const ButtonAtStart& b : buttons) {
        auto* button = named<QPushButton>(QString::fromUtf8(b.caption));
        ASSERT_NE(button, nullptr) << b.caption;
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button->isEnabled(), b.enabled) << b.caption;
        EXPECT_TRUE(button->isVisible()) << b.caption;
    }

    struct BoxAtStart {
        const char* label;
        const char* designName;
        const char* text;
    };
    const BoxAtStart boxes[] = {
        {"Directorio de Datos", "TxtPathDatos", "d:\\migrar"},
        {"Cuenta Ajuste Clientes:", "txtFields(0)", "71104"},
        {"Cuenta Ajuste Proveedores:", "txtFields(1)", "71104"},
        {"Cuenta Cheques en Cartera:", "txtFields(2)", "1110102"},
        {"Cuenta Ajuste Ch Cartera:", "txtFields(3)", "71104"},
    };
    for (const BoxAtStart& b : boxes) {
        SCOPED_TRACE(b.label);
        auto* box = named<QLineEdit>(QString::fromUtf8(b.label));
        QLabel* label = labelWithText(QString::fromUtf8(b.label));
        ASSERT_NE(box, nullptr);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(box->objectName(), QString::fromUtf8(b.designName));
        EXPECT_EQ(box->text(), QString::fromUtf8(b.text));
        EXPECT_TRUE(box->isEnabled());
        EXPECT_EQ(label->buddy(), box);
        EXPECT_LE(onScreen(label).bottom(), onScreen(box).top());  // the label stands above its box
        // Accessibility tools are told which label names the box.
        bool labelled = false;
        for (const auto& [other, relation] :
             QAccessible::queryAccessibleInterface(box)->relations(QAccessible::Label))
            labelled = labelled || other->object() == label;
        EXPECT_TRUE(labelled);
    }

    auto* errores = designName<ui::FlexGridView>("MSFlexGrid1");
    auto* trabajo = designName<ui::FlexGridView>("MSFlexGrid2");
    auto* edit = designName<QLineEdit>("TxtEdit");
    ASSERT_TRUE(errores && trabajo && edit);
    EXPECT_TRUE(errores->isVisible());
    EXPECT_FALSE(trabajo->isVisible());
    EXPECT_FALSE(edit->isVisible());

    auto* text1 = designName<QPlainTextEdit>("Text1");
    ASSERT_NE(text1, nullptr);
    EXPECT_TRUE(text1->isVisible());
    EXPECT_EQ(text1->toPlainText(), QStringLiteral("Text1"));
    EXPECT_EQ(text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    for (const char* name : {"lblTabla", "LblDetalle"}) {
        auto* label = designName<QLabel>(name);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->isVisible()) << name;
        EXPECT_TRUE(label->text().isEmpty()) << name;
    }
    // The progress bar shows only while a script runs.
    auto* status = designName<ProgressBarWidget>("picStatus");
    ASSERT_NE(status, nullptr);
    EXPECT_FALSE(status->isVisible());
}

TEST_F(ImportarWindow, AClickOnIniciarWithNothingTickedRunsAndEndsAtOnce)
{
    auto* importar = named<QPushButton>(QStringLiteral("Iniciar/Importar"));
    auto* cancelar = named<QPushButton>(QStringLiteral("Cancelar"));
    ASSERT_TRUE(importar && cancelar);
    int changes = 0;
    bool sawRunning = false;
    window.alCambiar = [&, shown = window.alCambiar] {
        ++changes;
        shown();
        sawRunning = sawRunning || (!importar->isEnabled() && cancelar->isEnabled());
    };
    importar->click();
    EXPECT_EQ(changes, 2);  // into the run and back to rest
    EXPECT_TRUE(sawRunning);
    EXPECT_FALSE(window.ejecutando());
    EXPECT_TRUE(importar->isEnabled());
    EXPECT_FALSE(cancelar->isEnabled());
    EXPECT_TRUE(designName<QLabel>("lblTabla")->text().isEmpty());
}

TEST_F(ImportarWindow, TheTickedEntriesRunFromTheWidgetsAndCancelarStopsTheRun)
{
    testing_support::TempFolder legacy;
    using testing_support::text;
    testing_support::LegacyTables()
        .table("fciudade", {})
        .table("FCLIENTE", {{{"CODI_FCL", text("000001")}}, {{"CODI_FCL", text("000002")}}})
        .table("FPROVEED", {{{"CODI_FPR", text("1")}}})
        .write(legacy.path());
    auto* path = named<QLineEdit>(QStringLiteral("Directorio de Datos"));
    auto* importar = named<QPushButton>(QStringLiteral("Iniciar/Importar"));
    auto* cancelar = named<QPushButton>(QStringLiteral("Cancelar"));
    auto* elimD = named<QPushButton>(QStringLiteral("Elimina duplicado lista"));
    auto* clientes = named<QCheckBox>(qs(kTareas[1].caption));
    auto* proveedores = named<QCheckBox>(qs(kTareas[2].caption));
    auto* lblTabla = designName<QLabel>("lblTabla");
    ASSERT_TRUE(path && importar && cancelar && elimD && clientes && proveedores && lblTabla);

    path->selectAll();
    path->insert(QString::fromStdString(legacy.path().string()));
    EXPECT_EQ(window.TxtPathDatos.text, legacy.path().string());
    clientes->click();
    proveedores->click();
    EXPECT_EQ(window.chkTabla[1].value, 1);
    EXPECT_EQ(window.chkTabla[2].value, 1);
    EXPECT_EQ(window.chkTabla[0].value, 0);

    const QString clientesAcabado = "Tabla: " + qs(kTareas[1].caption);
    pump.at(1, [&] {
        // Window events run, as the program's pump lets them between records; the window then shows the run:
        // only "Cancelar" starts nothing new.
        QApplication::processEvents();
        EXPECT_FALSE(importar->isEnabled());
        EXPECT_FALSE(path->isEnabled());
        EXPECT_FALSE(elimD->isEnabled());
        EXPECT_TRUE(cancelar->isEnabled());
        EXPECT_EQ(view->focusWidget(), cancelar);
        EXPECT_EQ(lblTabla->text(), clientesAcabado);
        EXPECT_FALSE(view->close());  // no question while a run is under way
        EXPECT_TRUE(view->isVisible());
        cancelar->click();
    });
    importar->click();

    EXPECT_EQ(pump.calls(), 2);  // after the first customer, and after the entry
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_TRUE(window.Cancelado);
    EXPECT_EQ(lblTabla->text(), clientesAcabado);  // "Proveedores" never started
    EXPECT_TRUE(importar->isEnabled());
    EXPECT_TRUE(path->isEnabled());
    EXPECT_TRUE(elimD->isEnabled());
    EXPECT_FALSE(cancelar->isEnabled());
}

TEST_F(ImportarWindow, ModelChangesReachTheWidgetsWhenThePresenterSaysSo)
{
    auto* detalle = designName<QLabel>("LblDetalle");
    auto* lblTabla = designName<QLabel>("lblTabla");
    auto* crear = named<QPushButton>(QStringLiteral("Crear Trigger"));
    auto* limite = named<QCheckBox>(QStringLiteral("LIMITE DE CREDITOS"));
    auto* text1 = designName<QPlainTextEdit>("Text1");
    ASSERT_TRUE(detalle && lblTabla && crear && limite && text1);

    window.LblDetalle.caption = "Procesando Registro 7";
    window.lblTabla.caption = "Tabla: Saldos Stock\r\nterminado";
    window.CmdCrearTrigger.enabled = true;
    window.chkTabla[0].value = 1;
    window.Text1.text = "Text1\r\nRegistro 3: CODIGO";
    window.cambio();
    EXPECT_EQ(detalle->text(), QStringLiteral("Procesando Registro 7"));
    EXPECT_EQ(lblTabla->text(), QStringLiteral("Tabla: Saldos Stock\nterminado"));
    EXPECT_TRUE(crear->isEnabled());
    EXPECT_TRUE(limite->isChecked());
    EXPECT_EQ(text1->toPlainText(), QStringLiteral("Text1\nRegistro 3: CODIGO"));

    window.Text1.text = "otro";
    window.cambio();
    EXPECT_EQ(text1->toPlainText(), QStringLiteral("otro"));

    // The operator's edits go to the models, with the lines ended as the models end them.
    text1->setPlainText(QStringLiteral("a\nb"));
    EXPECT_EQ(window.Text1.text, "a\r\nb");
    limite->click();
    EXPECT_EQ(window.chkTabla[0].value, 0);
}

TEST_F(ImportarWindow, ABoxBeingTypedInKeepsItsCursorWhenOtherModelsChange)
{
    auto* cuenta = named<QLineEdit>(QStringLiteral("Cuenta Ajuste Clientes:"));
    ASSERT_NE(cuenta, nullptr);
    cuenta->setCursorPosition(2);
    QKeyEvent nine(QEvent::KeyPress, Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
    QApplication::sendEvent(cuenta, &nine);
    EXPECT_EQ(window.txtFields[0].text, "719104");
    ASSERT_EQ(cuenta->cursorPosition(), 3);

    window.LblDetalle.caption = "Procesando Registro 1";
    window.cambio();
    EXPECT_EQ(cuenta->text(), QStringLiteral("719104"));
    EXPECT_EQ(cuenta->cursorPosition(), 3);
}

TEST_F(ImportarWindow, ClosingIsRefusedWhenTheOperatorAnswersNo)
{
    const auto question = ui::startsWith("ACTUALIZASTE LOS ACUMULADORES...??");
    prompter.expectMessage(question, ui::vbYesNo | ui::vbQuestion, "Atencion", ui::vbNo);
    EXPECT_FALSE(view->close());
    EXPECT_TRUE(view->isVisible());

    prompter.expectMessage(question, ui::vbYesNo | ui::vbQuestion, "Atencion", ui::vbYes);
    EXPECT_TRUE(view->close());
    EXPECT_FALSE(view->isVisible());
}

}  // namespace
