#pragma once
// The installation's look on a window: its icon and the style of its toolbars. The voucher dialogs run it
// from their load handlers; their Qt views hand their widget in through core/qt/WindowSetUpQt.h.

#include <filesystem>
#include <string>
#include <string_view>

// A window as ConfiguraFormulario sees it.
class FormularioConfigurable {
public:
    virtual ~FormularioConfigurable() = default;
    // The window's class name ("FRMMDI" for the suite's frame window).
    virtual std::string nombreClase() const = 0;
    virtual bool tieneIcono() const = 0;
    // The program's icon resource of that name; false (and the icon unchanged) when the program has none.
    virtual bool asignaIconoRecurso(std::string_view nombre) = 0;
    // The icon in that file; false (and the icon unchanged) when it cannot be loaded.
    virtual bool asignaIconoArchivo(const std::filesystem::path& archivo) = 0;
    // StyleBar of the window's toolbar of that name; false when the window has no such toolbar.
    virtual bool asignaEstiloBarra(std::string_view nombreBarra, double estilo) = 0;
    // Lets pending window events run.
    virtual void dejaCorrerEventos() = 0;
};

// Icon from the INI file's "Iconos"/"IconoDelSistema" (default "ICONQUORVEX"), else "quorvex.ico" in the
// current folder, else none; then, unless the window is the frame "FRMMDI", registers it and gives its
// toolbars "UtilNet1", "TBarRep1" and "Util0011" the style gFlatToolbars. Nothing is reported: a step that
// fails is passed over.
void ConfiguraFormulario(FormularioConfigurable& formulario);
