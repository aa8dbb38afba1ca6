#include "dialogs/EntryGridForm.h"

#include "core/ProgramServices.h"
#include "platform/base/Text.h"
#include "platform/base/Value.h"
#include "platform/ui/Prompter.h"

#include <cmath>
#include <utility>

namespace {

constexpr const char* kAviso = "Aviso al Operador";
constexpr const char* kAvisoPregunta = "Aviso al Operador!!!";

}  // namespace

EntryGridForm::EntryGridForm(std::string caption, std::string aceptar)
    : Caption(std::move(caption)), CmdAceptar{std::move(aceptar)}, editor_(MSFlexGrid1, TxtEdit, *this) {
    TxtEdit.name = "TxtEdit";
    TxtEdit.visible = false;
    MSFlexGrid1.left = 120;
    MSFlexGrid1.top = 600;
    MSFlexGrid1.width = 7320;
    MSFlexGrid1.height = 3000;
}

void EntryGridForm::avisaCantidadNegativa() {
    programPrompter().msgBox(kCantidadNegativa, ui::vbCritical, kAviso);
}

long EntryGridForm::anchoDe(const std::string& text) const {
    return measurer_ ? measurer_->textWidth(text) : 120 * base::length(text);
}

void EntryGridForm::changed() {
    if (observer_) observer_->formChanged();
}

void EntryGridForm::setFocus(Focus focus) {
    focus_ = focus;
    if (observer_) observer_->focusMoved();
}

void EntryGridForm::Hide() {
    hidden_ = true;
    if (observer_) observer_->formHidden();
}

void EntryGridForm::aceptado() {
    accepted_ = true;
    Hide();
}

long long EntryGridForm::aCuatroDecimales(double value) {
    return std::llround(value * 10000.0);
}

bool EntryGridForm::ajustaPedida(double suma, double& pedida, bool mostrarForm, std::string_view menorSinVer) {
    ui::Prompter& prompter = programPrompter();
    std::string pregunta;
    if (aCuatroDecimales(suma) > aCuatroDecimales(pedida)) {
        pregunta = "La suma de las cantidades Informadas, supera a la solicitada en el Formulario de Carga de Datos";
    } else if (!mostrarForm) {
        prompter.msgBox(menorSinVer, ui::vbInformation, kAvisoPregunta);
        return false;
    } else {
        pregunta = "La suma de las cantidades Informadas, Es Menor a la solicitada en el Formulario de Carga de Datos";
    }
    if (prompter.msgBox(pregunta + "\r\n¿Desea Ajustar la Cantidad Solicitada en el Formulario?",
                        ui::vbYesNo | ui::vbQuestion, kAvisoPregunta) == ui::vbYes) {
        pedida = suma;
        return true;
    }
    prompter.msgBox("Debe Ajustar la suma de las cantidades a :" + base::doubleToText(pedida), ui::vbCritical, kAviso);
    return false;
}

void EntryGridForm::CmdCancelar_Click() {
    accepted_ = false;
    Hide();
}

void EntryGridForm::MSFlexGrid1_GotFocus() {
    if (editor_.pliegaValidado()) setFocus(Focus::Grid);
}

void EntryGridForm::enfoca(GridCellEditor::Target target) {
    switch (target) {
    case GridCellEditor::Target::Grid: setFocus(Focus::Grid); break;
    case GridCellEditor::Target::Box: setFocus(Focus::Box); break;
    case GridCellEditor::Target::Accept: setFocus(Focus::Aceptar); break;
    }
    changed();
}
