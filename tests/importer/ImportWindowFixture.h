#pragma once
// The import window under test: logged in to an embedded ERP database, its data-folder box pointing at a
// legacy folder of its own, every text LblDetalle shows while a button runs recorded once, and the rows of
// the window's error list.

#include "importer/Importar.h"
#include "platform/ui/EventPump.h"
#include "tests/core/ProgramFixture.h"
#include "tests/support/TempFolder.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class ImportWindowFixture : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        window.TxtPathDatos.text = legacy.path().string();
        window.alCambiar = [this] {
            if (window.LblDetalle.caption == lastLabel_) return;
            lastLabel_ = window.LblDetalle.caption;
            labels.push_back(lastLabel_);
        };
    }

    // Presses a button of the window; `labels` then holds the texts LblDetalle showed meanwhile, each change once.
    void press(void (Importar::*handler)())
    {
        labels.clear();
        lastLabel_ = window.LblDetalle.caption;
        (window.*handler)();
    }

    // Ticks exactly these task entries and presses "Iniciar/Importar".
    void run(std::initializer_list<std::size_t> entries)
    {
        for (ui::CheckBox& entry : window.chkTabla) entry.value = 0;
        for (std::size_t i : entries) window.chkTabla[i].value = 1;
        press(&Importar::cmdImportar_Click);
    }

    std::string caption(std::size_t entry) const { return window.chkTabla[entry].caption; }

    // The error list's filled rows: ordinal and text.
    std::vector<std::pair<std::string, std::string>> errorList() const
    {
        std::vector<std::pair<std::string, std::string>> out;
        const ui::FlexGrid& grid = window.MSFlexGrid1;
        for (long row = 0; row < grid.rows(); ++row)
            if (!grid.textMatrix(row, 0).empty()) out.emplace_back(grid.textMatrix(row, 0), grid.textMatrix(row, 1));
        return out;
    }

    ui::ScriptedEventPump pump;
    Importar window{pump};
    testing_support::TempFolder legacy;
    std::vector<std::string> labels;

private:
    std::string lastLabel_;
};
