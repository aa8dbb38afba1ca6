#pragma once
// What the tests of both entry dialogs do to them as the operator: read the grid, move on it, type into a
// cell, and expect the refusal box.

#include "dialogs/EntryGridForm.h"
#include "tests/dialogs/DialogsFixture.h"

#include <string>
#include <vector>

class EntryDialogsFixture : public DialogsFixture {
protected:
    using Grid = std::vector<std::vector<std::string>>;
    // The grid's data rows, cell by cell.
    static Grid cells(const EntryGridForm& form) {
        Grid result;
        const ui::FlexGrid& g = form.MSFlexGrid1;
        for (long r = 1; r < g.rows(); ++r) {
            std::vector<std::string> row;
            for (long c = 0; c < g.cols(); ++c) row.push_back(g.textMatrix(r, c));
            result.push_back(row);
        }
        return result;
    }

    // The operator types `text` on the current cell: the first character opens the box, the rest go into it.
    static void type(EntryGridForm& form, const std::string& text) {
        if (text.empty()) return;
        form.MSFlexGrid1_KeyPress(static_cast<unsigned char>(text[0]));
        for (std::size_t i = 1; i < text.size(); ++i) form.TxtEdit_KeyPress(static_cast<unsigned char>(text[i]));
    }

    static void go(EntryGridForm& form, long row, long col) {
        form.MSFlexGrid1.setRow(row);
        form.MSFlexGrid1.setCol(col);
    }

    void expectRefusal(const std::string& message) {
        prompter.expectMessage(message, ui::vbCritical, "Aviso al Operador", ui::vbOK);
    }
};
