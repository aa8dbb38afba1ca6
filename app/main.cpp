// migrador: the program. Its main window, the import window, is its start-up object: start-up logs in
// (from the parameter string on the command line, or through the log-in dialog), the window asks for the
// supervisor key, and the window runs until the operator closes it.

#include "core/DB_Dll.h"
#include "core/FrmAcceso.h"
#include "core/ProgramServices.h"
#include "core/StartUp.h"
#include "core/qt/FrmAccesoView.h"
#include "core/qt/WindowSetUpQt.h"
#include "importer/Importar.h"
#include "importer/qt/ImportarView.h"
#include "platform/os/Environment.h"
#include "platform/ui/qt/QtEventPump.h"
#include "platform/ui/qt/QtPrompter.h"

#include <QApplication>
#include <string>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // After Qt has taken its own options: what is left is the parameter string.
    os::rememberCommandLine(argc, argv);

    ui::QtPrompter prompter(std::string(Importar::kCaption));
    setProgramPrompter(&prompter);
    ui::QtEventPump pump;

    FrmAccesoQt accessView;
    frmAcceso access(accessView);
    gDB_Dll().dialogoAcceso = &access;

    Importar window(pump);
    std::string parametros, cadenaOracle;
    if (!InicializaSistema(false, parametros, cadenaOracle)) return 1;
    if (!window.CargaVentana()) return 0;

    ImportarView view(window);
    ConfiguraFormulario(view);
    view.show();
    return application.exec();
}
