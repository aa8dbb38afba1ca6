#include "core/WindowSetUp.h"

#include "core/ArchivoIni.h"
#include "core/Entorno.h"
#include "core/StartUp.h"
#include "platform/base/Error.h"
#include "platform/base/Utf8.h"

namespace {

// A window's look is never worth a message: a step that fails is passed over.
template <class Step>
void sinAvisos(Step&& step)
{
    try {
        step();
    } catch (const base::Error&) {
    }
}

}  // namespace

void ConfiguraFormulario(FormularioConfigurable& formulario)
{
    bool esMarco = false;
    sinAvisos([&] {
        formulario.asignaIconoRecurso(gArchivoIni().LeeClave(kArchivoIni, "Iconos", "IconoDelSistema", "ICONQUORVEX"));
    });
    sinAvisos([&] {
        if (!formulario.tieneIcono()) formulario.asignaIconoArchivo("quorvex.ico");
    });
    sinAvisos([&] { esMarco = base::equalsIgnoringCase(formulario.nombreClase(), "FRMMDI"); });
    if (esMarco) return;
    sinAvisos([&] { gEntorno().RegistraFormulario(formulario); });
    for (const char* barra : {"UtilNet1", "TBarRep1", "Util0011"})
        sinAvisos([&] { formulario.asignaEstiloBarra(barra, gFlatToolbars); });
    sinAvisos([&] { formulario.dejaCorrerEventos(); });
}
