#pragma once
// The lookup windows as tests show them, without a screen: each window is loaded as its dialog loads it
// (unless the test only wants to see what the window was handed), then the test's script acts on it as the
// operator would. A window the script leaves open is cancelled, as the operator's Esc would. What each
// window was handed is kept for the test to read. Installed for the life of the object.

#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "platform/base/Text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct ShownList {
    std::string SQL, CampoDevuelto, CampoBusqueda, FiltroInicial, ValoresDefault, MuestraStock;
    bool CheckBoxes = false, OrdenarPorLwv = false, UsaCantidades = false, CfgUsaConsultaLIKE = false;
    std::vector<std::string> CmpsDevueltos;
    base::Value StkNivel1, StkNivel2, StkNivel3, StkNivel4;
};

struct ShownTree {
    std::string SQL, CampoDevuelto;
    bool CheckBoxes = false;
};

class ScriptedLookupWindows : public LookupWindows {
public:
    ScriptedLookupWindows() : previous_(lookupWindows()) { setLookupWindows(this); }
    ~ScriptedLookupWindows() override { setLookupWindows(previous_); }
    ScriptedLookupWindows(const ScriptedLookupWindows&) = delete;
    ScriptedLookupWindows& operator=(const ScriptedLookupWindows&) = delete;

    // False: the window is not loaded, so its statement is never run (for statements that are only read).
    bool loads = true;
    std::function<void(Lib_FrmCons3&)> onList;
    std::function<void(Lib_FrmCons3Tree&)> onTree;

    std::vector<ShownList> lists;
    std::vector<ShownTree> trees;
    std::size_t shown() const { return lists.size() + trees.size(); }

    void showModal(Lib_FrmCons3& form) override {
        lists.push_back({form.SQL, form.CampoDevuelto, form.CampoBusqueda, form.FiltroInicial, form.ValoresDefault,
                         form.MuestraStock, form.CheckBoxes, form.OrdenarPorLwv, form.UsaCantidades,
                         form.CfgUsaConsultaLIKE, form.CmpsDevueltos, form.StkNivel1, form.StkNivel2, form.StkNivel3,
                         form.StkNivel4});
        if (loads) form.Form_Load();
        if (onList) onList(form);
        if (!form.hidden()) form.CmdCancelar_Click();
    }

    void showModal(Lib_FrmCons3Tree& form) override {
        trees.push_back({form.SQL, form.CampoDevuelto, form.CheckBoxes});
        if (loads) form.Form_Load();
        if (onTree) onTree(form);
        if (!form.hidden()) form.CmdCancelar_Click();
    }

private:
    LookupWindows* previous_;
};

// The operator selects the row whose cell in `column` reads `value` and presses "&Aceptar".
inline void pickRow(Lib_FrmCons3& form, std::string_view column, std::string_view value) {
    const long k = form.IndiceColumna(column);
    ASSERT_GT(k, 0) << column;
    for (long i = 1; i <= form.ListView1.itemCount(); ++i) {
        ui::ListItem& row = form.ListView1.item(i);
        if (base::trim(k == 1 ? row.text() : row.subItem(k - 1)) == value) {
            form.ListView1.setSelectedItem(&row);
            form.CmdAceptar_Click();
            return;
        }
    }
    ADD_FAILURE() << "no row reads " << value << " in " << column;
}
