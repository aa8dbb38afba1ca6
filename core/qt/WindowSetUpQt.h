#pragma once
// ConfiguraFormulario for a Qt window. The window's class name is its object name (the window's name in
// the program, "FRMMDI" for the suite's frame), else its C++ class; the program's icon resources are Qt
// resources named ":/" + the icon name; toolbars are found by object name and receive their style as the
// property "StyleBar".

class QWidget;

void ConfiguraFormulario(QWidget& ventana);
