// The main window during a run driven by the Qt event pump, as the program runs it: the widgets follow the
// presenter when the pump lets events run, the last caption stays shown, and a click on "Cancelar" reaches
// the run through the pump.

#include "importer/Importar.h"
#include "importer/qt/ImportarView.h"
#include "platform/ui/qt/QtEventPump.h"
#include "tests/core/ProgramFixture.h"
#include "tests/support/LegacyTables.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <memory>
#include <fmt/format.h>
#include <set>
#include <string>

namespace {

using testing_support::text;

constexpr std::size_t kClientes = 1;
constexpr int kRegistros = 30;

class ImportarWindowWithPump : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        std::vector<testing_support::LegacyRow> customers;
        for (int i = 1; i <= kRegistros; ++i) customers.push_back({{"CODI_FCL", text(fmt::format("{:06}", i))}});
        testing_support::LegacyTables().table("fciudade", {}).table("FCLIENTE", customers).write(legacy.path());
        window.TxtPathDatos.text = legacy.path().string();
        window.chkTabla[kClientes].value = 1;
        view = std::make_unique<ImportarView>(window);
        view->show();
        QApplication::processEvents();
        // Every caption the presenter sets, whether or not the widgets were set with it.
        window.alCambiar = [this, shown = window.alCambiar] {
            captions.insert(window.LblDetalle.caption);
            shown();
        };
    }
    void TearDown() override
    {
        view.reset();
        ProgramFixture::TearDown();
    }

    template <typename W>
    W* designName(const char* name)
    {
        W* widget = view->findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    long customersWritten() { return std::stol(rows("SELECT COUNT(*) FROM MA_CUENTASADIC").at(0).at(0)); }

    testing_support::TempFolder legacy;
    ui::QtEventPump pump;
    Importar window{pump};
    std::unique_ptr<ImportarView> view;
    std::set<std::string> captions;
};

TEST_F(ImportarWindowWithPump, EveryRecordChangesTheCaptionAndTheLastOneStaysShown)
{
    auto* detalle = designName<QLabel>("LblDetalle");
    auto* importar = designName<QPushButton>("cmdImportar");
    ASSERT_TRUE(detalle && importar);
    importar->click();

    EXPECT_EQ(customersWritten(), kRegistros);
    EXPECT_GE(captions.size(), static_cast<std::size_t>(kRegistros));  // a progress text per record, and the end's
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO CLIENTES");
    EXPECT_EQ(detalle->text(), QStringLiteral("FINALIZADO CLIENTES"));
    // Nothing left to show once events run again.
    QApplication::processEvents();
    EXPECT_EQ(detalle->text(), QStringLiteral("FINALIZADO CLIENTES"));
    EXPECT_TRUE(importar->isEnabled());
}

TEST_F(ImportarWindowWithPump, CancelarClickedDuringTheRunStopsItThroughThePump)
{
    auto* detalle = designName<QLabel>("LblDetalle");
    auto* importar = designName<QPushButton>("cmdImportar");
    auto* cancelar = designName<QPushButton>("CmdCancelar");
    ASSERT_TRUE(detalle && importar && cancelar);
    // Delivered when the run first lets events run, as the operator's click would be.
    bool enabledWhenClicked = false;
    QTimer::singleShot(0, cancelar, [&] {
        enabledWhenClicked = cancelar->isEnabled();
        cancelar->click();
    });
    importar->click();

    EXPECT_TRUE(enabledWhenClicked);
    EXPECT_TRUE(window.Cancelado);
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_EQ(detalle->text(), QStringLiteral("CANCELADO"));
    EXPECT_LT(customersWritten(), kRegistros);
    EXPECT_TRUE(importar->isEnabled());
    EXPECT_FALSE(cancelar->isEnabled());
}

}  // namespace
