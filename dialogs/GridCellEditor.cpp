#include "dialogs/GridCellEditor.h"

#include "core/AyudaControles.h"
#include "core/DB_Dll.h"
#include "platform/base/Error.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kEnter = 13;
constexpr int kEsc = 27;
constexpr int kUp = 38;
constexpr int kDown = 40;
constexpr int kBackspace = 8;

// Where the caret goes when it is put "at 1000": the end of a shorter text.
long caretAt(const std::string& text, long position) {
    return std::min(position, base::length(text));
}

// The text's first `characters` characters, in bytes.
std::size_t bytesOf(const std::string& text, long characters) {
    return base::left(text, characters).size();
}

}  // namespace

void GridCellEditor::Text_Propiedades(ui::TextBox& Texto, long Col) const {
    Texto.dataField.clear();
    Texto.maxLength = 25;
    Texto.tag.clear();
    if (policy_.esColumnaCantidad(Col)) {
        Texto.dataField = "Cantidad";
        Texto.maxLength = 0;
    }
}

void GridCellEditor::MsflexGridEdt(int KeyAscii, std::string_view typed) {
    if (!policy_.abreCaja(grid_.col())) return;
    Text_Propiedades(box_, grid_.col());
    if (KeyAscii >= 0 && KeyAscii <= 32) {
        box_.text = grid_.text();
        box_.selStart = caretAt(box_.text, 1000);
    } else {
        box_.text = typed.empty() ? std::string(1, static_cast<char>(KeyAscii)) : std::string(typed);
        box_.selStart = 1;
    }
    box_.move(grid_.left + grid_.cellLeft(), grid_.top + grid_.cellTop(), grid_.cellWidth(), grid_.cellHeight());
    box_.visible = true;
    compruebaDesplazamiento();
    policy_.enfoca(Target::Box);
}

void GridCellEditor::TxtEdit_KeyPress(int KeyAscii, std::string_view typed) {
    const int original = KeyAscii;
    gAyudaControles().FiltraTecla(box_, KeyAscii);
    if (KeyAscii == 0) return;
    const long caret = caretAt(box_.text, std::max(0L, box_.selStart));
    if (KeyAscii == kBackspace) {
        if (caret == 0) return;
        const std::size_t from = bytesOf(box_.text, caret - 1);
        box_.text.erase(from, bytesOf(box_.text, caret) - from);
        box_.selStart = caret - 1;
        return;
    }
    // The filter may have turned the character into another one; otherwise what was typed goes in whole.
    const std::string character = (KeyAscii != original || typed.empty())
                                      ? std::string(1, static_cast<char>(KeyAscii))
                                      : std::string(typed);
    box_.text.insert(bytesOf(box_.text, caret), character);
    box_.selStart = caret + base::length(character);
}

void GridCellEditor::TxtEdit_KeyDown(int KeyCode) {
    if (!gAyudaControles().EsTeclaSalida(KeyCode)) return;
    if (policy_.campoValida(box_)) return;
    EditKeyCode(KeyCode);
}

void GridCellEditor::EditKeyCode(int KeyCode) {
    base::ErrorTrap trap([this](const base::Error& error) {
        if (policy_.ignoraError(error.number())) return base::answers::kIgnore;
        return gDB_Dll().TratamientoErrores(error, {}, std::string("EditKeyCode"));
    });
    switch (KeyCode) {
    case kEnter: {
        trap.step([&] {
            pliega();
            policy_.enfoca(Target::Grid);
        });
        long ultima = 0;
        trap.step([&] {
            if (base::equalsIgnoringCase(base::trim(grid_.name), "msflexgrid1")) ultima = policy_.ultimaColumna(grid_);
        });
        trap.step([&] {
            if (grid_.col() == ultima) {
                const bool ultimaFila = grid_.row() >= grid_.rows() - 1;
                if (!ultimaFila) grid_.setRow(grid_.row() + 1);
                policy_.enterEnUltimaColumna(grid_, ultimaFila);
            } else {
                policy_.enterEnOtraColumna(grid_);
            }
        });
        break;
    }
    case kEsc:
        trap.step([&] {
            box_.visible = false;
            policy_.enfoca(Target::Grid);
        });
        break;
    case kUp:
        trap.step([&] {
            pliega();
            policy_.enfoca(Target::Grid);
        });
        trap.step([&] {
            if (grid_.row() > grid_.fixedRows()) grid_.setRow(grid_.row() - 1);
        });
        break;
    case kDown:
        trap.step([&] {
            pliega();
            policy_.enfoca(Target::Grid);
        });
        trap.step([&] {
            if (grid_.row() < grid_.rows() - 1) {
                grid_.setRow(grid_.row() + 1);
                grid_.setCol(0);
            }
        });
        break;
    default:
        break;
    }
    trap.step([&] { compruebaDesplazamiento(); });
}

void GridCellEditor::pliega() {
    if (!box_.visible) return;
    grid_.setText(box_.text);
    box_.visible = false;
}

bool GridCellEditor::pliegaValidado() {
    if (!box_.visible) return true;
    if (policy_.campoValida(box_)) {
        policy_.enfoca(Target::Box);
        return false;
    }
    pliega();
    return true;
}

bool GridCellEditor::clickCelda(long row, long col) {
    if (!pliegaValidado()) return false;
    grid_.setRow(row);
    grid_.setCol(col);
    policy_.enfoca(Target::Grid);
    return true;
}

void GridCellEditor::Toolbar1_ButtonClick(int index) {
    if (!pliegaValidado()) return;
    const long col = grid_.col();
    if (index == 1 || index == 2) {
        if (!policy_.botonesEn(col)) return;
        const std::string texto = index == 1 ? base::trim(grid_.text()) : std::string(policy_.textoBlanqueado());
        for (long r = grid_.row() + 1; r < grid_.rows(); ++r) grid_.setTextMatrix(r, col, texto);
        return;
    }
    policy_.otroBoton(index);
}

void GridCellEditor::compruebaDesplazamiento() {
    if (grid_.height < grid_.cellTop() + grid_.cellHeight()) grid_.setTopRow(grid_.topRow() + 1);
}
