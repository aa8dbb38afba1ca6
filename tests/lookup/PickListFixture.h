#pragma once
// A list pick-list on a fresh embedded ERP database (program folder, scripted prompter and fixed clock of
// ProgramFixture), with characters 120 twips wide so column widths are exact numbers.

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "lookup/Lib_FrmCons3.h"
#include "tests/core/ProgramFixture.h"

#include <optional>
#include <string>
#include <vector>

class PickList : public ProgramFixture {
protected:
    void run(std::string statement) {
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_TRUE(gDB_Dll().gCnn.errors().empty()) << statement;
    }

    static std::string literal(const std::string& text) { return gDB_Dll().SQLValue(base::Value(text)); }
    static std::string number(std::optional<double> value) {
        return value ? gDB_Dll().SQLValue(base::Value(*value), "@") : std::string("NULL");
    }

    void account(const std::string& code, const std::string& description, const std::string& optional = {}) {
        run("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, CODIGOOPCIONAL) VALUES (" + literal(code) + ", " +
            literal(description) + ", " + (optional.empty() ? std::string("NULL") : literal(optional)) + ")");
    }

    // An article with its reorder point and, when given, one stock balance (Stock is Null without one).
    void article(const std::string& id, const std::string& description, std::optional<double> reorderPoint,
                 std::optional<double> stock, bool suspended = false) {
        const std::string code = literal(gUtilidades().RellenaCodigo(id, 25));
        run("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, PUNTOPEDIDO, SUSPENDIDO) VALUES (" + code + ", " +
            literal(description) + ", " + number(reorderPoint) + ", " + (suspended ? "1" : "0") + ")");
        if (stock) run("INSERT INTO AC_SaldosLayout (IDDEPOSITO, IDARTICULO, SALDO) VALUES ('   1', " + code + ", " + number(stock) + ")");
    }

    void setting(const std::string& key, const std::string& value) {
        run("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (" + literal(key) + ", " + literal(value) + ")");
    }

    void load(Lib_FrmCons3& form, const std::string& statement) {
        form.SQL = statement;
        form.setTextMeasurer(&measurer);
        form.Form_Load();
    }

    static std::vector<std::string> headers(const Lib_FrmCons3& form) {
        std::vector<std::string> out;
        for (long i = 1; i <= form.ListView1.columnCount(); ++i) out.push_back(form.ListView1.column(i).text);
        return out;
    }
    static std::vector<long> widths(const Lib_FrmCons3& form) {
        std::vector<long> out;
        for (long i = 1; i <= form.ListView1.columnCount(); ++i) out.push_back(form.ListView1.column(i).width);
        return out;
    }
    // The rows' own texts, in the list's order.
    static std::vector<std::string> texts(const Lib_FrmCons3& form) {
        std::vector<std::string> out;
        for (long i = 1; i <= form.ListView1.itemCount(); ++i) out.push_back(form.ListView1.item(i).text());
        return out;
    }
    static std::vector<std::string> checkedTexts(const Lib_FrmCons3& form) {
        std::vector<std::string> out;
        for (long i = 1; i <= form.ListView1.itemCount(); ++i)
            if (form.ListView1.item(i).checked()) out.push_back(form.ListView1.item(i).text());
        return out;
    }
    static std::string selectedText(const Lib_FrmCons3& form) {
        return form.ListView1.selectedItem() ? form.ListView1.selectedItem()->text() : std::string("<none>");
    }
    static void select(Lib_FrmCons3& form, long row) { form.ListView1.setSelectedItem(&form.ListView1.item(row)); }

    ui::FixedWidthTextMeasurer measurer{120, 240};
};
