#pragma once
// The voucher query window on a fresh embedded ERP database (ProgramFixture), with characters 120 twips
// wide so column widths are exact numbers, and a small set of vouchers where every source of the window
// lists a different set: open, finished, void, approved, prepared and guaranteed ones.

#include "core/DB_Dll.h"
#include "dialogs/FrmConsComprobantes.h"
#include "core/Utilidades.h"
#include "tests/core/ProgramFixture.h"

#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A text as part of a test case's name: letters and digits kept, anything else "_".
inline std::string asName(std::string_view text) {
    std::string name;
    for (char c : text) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

struct Cpte {
    Cpte(std::string tc, std::string id, std::string cuenta) : TC(std::move(tc)), IDCOMPROBANTE(std::move(id)), CUENTA(std::move(cuenta)) {}
    std::string TC, IDCOMPROBANTE;
    std::string CUENTA = "1140101001";
    std::optional<std::string> NOMBRE = "Cliente Uno";
    double IMPORTE = 100;
    int IDCOMPLEMENTO = 0;
    std::optional<int> APROBADO = 1, FINALIZADO = 0, ANULADA = 0, GARANTIA = 0;
    bool preparada = false;
    std::string COMENTARIOS;
};

class VoucherQuery : public ProgramFixture {
protected:
    void run(std::string statement) {
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_TRUE(gDB_Dll().gCnn.errors().empty()) << statement;
    }
    static std::string literal(const std::string& text) { return gDB_Dll().SQLValue(base::Value(text)); }
    static std::string flag(std::optional<int> value) { return value ? std::to_string(*value) : "NULL"; }

    void voucher(const Cpte& v) {
        run("INSERT INTO MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, CUENTA, NOMBRE, IMPORTE, APROBADO, "
            "FINALIZADO, ANULADA, GARANTIA, FECHAPREPARACION, COMENTARIOS) VALUES (" +
            literal(gUtilidades().RellenaCodigo(v.TC, 4)) + ", " + literal(v.IDCOMPROBANTE) + ", " +
            std::to_string(v.IDCOMPLEMENTO) + ", '20240301 00:00:00', " + literal(v.CUENTA) + ", " +
            (v.NOMBRE ? literal(*v.NOMBRE) : "NULL") + ", " + gDB_Dll().SQLValue(base::Value(v.IMPORTE), "@") + ", " +
            flag(v.APROBADO) + ", " + flag(v.FINALIZADO) + ", " + flag(v.ANULADA) + ", " + flag(v.GARANTIA) + ", " +
            (v.preparada ? "'20240302 00:00:00'" : "NULL") + ", " + literal(v.COMENTARIOS) + ")");
    }

    void setting(const std::string& key, const std::string& value) {
        run("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (" + literal(key) + ", " + literal(value) + ")");
    }

    void supplier(const std::string& code, const std::string& name) {
        run("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES (" + literal(code) + ", " + literal(name) + ")");
    }

    void entryLine(const std::string& tc, const std::string& numero, int secuencia, const std::string& cuenta,
                   const std::string& detalle, double importe) {
        run("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, SECUENCIA, FECHA, CUENTA, DETALLE, IMPORTE) VALUES (" +
            literal(gUtilidades().RellenaCodigo(tc, 4)) + ", '0001', " + literal(numero) + ", 'A', " +
            std::to_string(secuencia) + ", '20240301 00:00:00', " + literal(cuenta) + ", " + literal(detalle) + ", " +
            gDB_Dll().SQLValue(base::Value(importe), "@") + ")");
    }

    // A stock receipt made from the purchase order `order`.
    void receipt(const std::string& number, const std::string& order) {
        run("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, TC_ORIGEN, IDCOMPROBANTE_ORIGEN) VALUES ('  IR', " +
            literal(number) + ", '  OC', " + literal(order) + ")");
    }

    // The vouchers every selection case reads.
    void vouchers() {
        voucher({"RM", "RM1", "1"});
        voucher([] { Cpte c("RM", "RM2", "1"); c.FINALIZADO = 1; return c; }());
        voucher([] { Cpte c("RM", "RM3", "2"); c.ANULADA = 1; return c; }());
        voucher({"RMC", "RMC1", "1"});
        voucher([] { Cpte c("RMC", "RMC2", "1"); c.FINALIZADO = 1; return c; }());
        voucher([] { Cpte c("OT", "OT1", "1"); c.IDCOMPLEMENTO = 3; return c; }());
        voucher([] { Cpte c("OT", "OT2", "1"); c.FINALIZADO = 1; return c; }());
        voucher([] { Cpte c("NP", "NP1", "1"); c.APROBADO = 0; c.preparada = true; return c; }());
        voucher([] { Cpte c("NP", "NP2", "1"); c.APROBADO = 0; return c; }());
        voucher([] { Cpte c("NP", "NP3", "1"); c.ANULADA = 1; return c; }());
        voucher([] { Cpte c("PR", "PR1", "1"); c.COMENTARIOS = "Urgente"; return c; }());
        voucher([] { Cpte c("PR", "PR2", "1"); c.APROBADO = 0; return c; }());
        voucher([] { Cpte c("PR", "PR3", "1"); c.FINALIZADO = 1; return c; }());
        voucher([] { Cpte c("OC", "OC1", "2110101001"); c.NOMBRE = "Prov Uno"; return c; }());
        voucher([] { Cpte c("OC", "OC2", "2110101001"); c.APROBADO = 0; return c; }());
        voucher([] { Cpte c("OC", "OC3", "2110101001"); c.FINALIZADO = 1; return c; }());
        voucher([] { Cpte c("OC", "OC4", "2110101002"); c.NOMBRE = "Prov Dos"; c.GARANTIA = 1; return c; }());
        voucher([] { Cpte c("FC", "FC1", "1"); c.IDCOMPLEMENTO = 2; return c; }());
        voucher([] { Cpte c("FC", "FC2", "2"); return c; }());
        voucher([] { Cpte c("FCC", "FCC1", "2110101001"); return c; }());
        voucher([] { Cpte c("FCC", "FCC2", "2110101002"); return c; }());
        voucher([] { Cpte c("ZZ", "ZZ1", "1"); return c; }());
        entryLine("NCPE", "00000001", 1, "2110101001", "Devolucion", 50);
        entryLine("NCPE", "00000001", 2, "1140101001", "Devolucion", 50);
        entryLine("NCPE", "00000002", 1, "2110101002", "Bonificacion", 20);
        run("INSERT INTO V_MV_CPTETERCEROS (FECHA, IDCOMPROBANTE, IDCOMPLEMENTO) VALUES ('20240301 00:00:00', 'T3B', 0)");
        run("INSERT INTO V_MV_CPTETERCEROS (FECHA, IDCOMPROBANTE, IDCOMPLEMENTO) VALUES ('20240301 00:00:00', 'T3A', 1)");
    }

    void load(FrmConsComprobantes& form, const std::string& tc, const std::string& filtro = {}) {
        form.TC = tc;
        form.Filtro = filtro;
        form.setTextMeasurer(&measurer);
        form.Form_Load();
    }

    static std::vector<std::string> headers(const FrmConsComprobantes& form) {
        std::vector<std::string> out;
        for (long i = 1; i <= form.ListView1.columnCount(); ++i) out.push_back(form.ListView1.column(i).text);
        return out;
    }
    static std::vector<long> widths(const FrmConsComprobantes& form) {
        std::vector<long> out;
        for (long i = 1; i <= form.ListView1.columnCount(); ++i) out.push_back(form.ListView1.column(i).width);
        return out;
    }
    // The value of every row under the column headed `caption`, in the list's order, without the blanks a
    // char column's value is padded with (the fixtures' voucher numbers are shorter than their char(13)).
    static std::vector<std::string> column(const FrmConsComprobantes& form, const std::string& caption) {
        long k = 0;
        for (long i = 1; i <= form.ListView1.columnCount(); ++i)
            if (form.ListView1.column(i).text == caption) k = i;
        std::vector<std::string> out;
        if (k == 0) return out;
        for (long i = 1; i <= form.ListView1.itemCount(); ++i) {
            const ui::ListItem& row = form.ListView1.item(i);
            std::string value = k == 1 ? row.text() : row.subItem(k - 1);
            value.erase(value.find_last_not_of(' ') + 1);
            out.push_back(std::move(value));
        }
        return out;
    }
    // Each caption with the value under it in row `row`.
    static std::vector<std::pair<std::string, std::string>> cells(const FrmConsComprobantes& form, long row) {
        std::vector<std::pair<std::string, std::string>> out;
        const ui::ListItem& item = form.ListView1.item(row);
        for (long i = 1; i <= form.ListView1.columnCount(); ++i)
            out.emplace_back(form.ListView1.column(i).text, i == 1 ? item.text() : item.subItem(i - 1));
        return out;
    }
    // Voucher numbers (one, or several joined by commas) as they come back from their char(13) column: padded
    // with blanks, since the fixtures' numbers are shorter.
    static std::string asStored(const std::string& numbers) {
        std::string out;
        for (std::size_t from = 0; from < numbers.size();) {
            std::size_t comma = numbers.find(',', from);
            if (comma == std::string::npos) comma = numbers.size();
            if (from > 0) out += ',';
            out += numbers.substr(from, comma - from);
            if (comma - from < 13) out.append(13 - (comma - from), ' ');
            from = comma + 1;
        }
        return out;
    }
    // The row whose "COMPROBANTE" reads `number`.
    static ui::ListItem& rowOf(FrmConsComprobantes& form, const std::string& number) {
        const std::vector<std::string> numbers = column(form, "COMPROBANTE");
        for (std::size_t i = 0; i < numbers.size(); ++i)
            if (numbers[i] == number) return form.ListView1.item(static_cast<long>(i) + 1);
        throw std::runtime_error("no row " + number);
    }

    ui::FixedWidthTextMeasurer measurer{120, 240};
};
