#pragma once
// What the purchase-order import tests share: the window on a logged-in embedded ERP database with VAT 21,
// legacy orders and lines written into its data folder, the entry "ORDENES DE COMPRA PENDIENTE" run through
// "Iniciar/Importar", and the vouchers and lines it wrote, column by column.

#include "core/Configuracion.h"
#include "importer/Importar.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "tests/importer/ImportWindowFixture.h"
#include "tests/support/LegacyTables.h"

#include <fmt/format.h>
#include <map>
#include <sqlite3.h>

// A legacy order of FORCOMPR: an ordinary one of supplier 123, with these fields changed.
inline testing_support::LegacyRow order(std::string_view nume, std::string_view nums,
                                        const testing_support::LegacyRow& changes = {})
{
    using namespace testing_support;
    return with({{"CODP_FOC", text("123")},
                 {"NUME_FOC", number(nume)},
                 {"NUMS_FOC", number(nums)},
                 {"FECH_FOC", date("2026-02-16")},
                 {"FENT_FOC", date("2026-02-26")},
                 {"FREC_FOC", date("2026-02-28")},
                 {"NOMB_FOC", text("Aceros Patagonia S.A.")},
                 {"GLOS_FOC", text("Entregar")},
                 {"GLOR_FOC", text("Urgente")},
                 {"TTOT_FOC", number("1000")},
                 {"PLAZ_FOC", number("30")},
                 {"ESTA_FOC", text("P")}},
                changes);
}

// A legacy order line of FDEORCOM: one unit of article 1001 on order (nume, nums) of supplier 123.
inline testing_support::LegacyRow orderLine(std::string_view nume, std::string_view nums,
                                            const testing_support::LegacyRow& changes = {})
{
    using namespace testing_support;
    return with({{"CODP_FOD", text("123")},
                 {"NUME_FOD", number(nume)},
                 {"NUMS_FOD", number(nums)},
                 {"CODI_FOD", text("1001")},
                 {"PIEZ_FOD", number("0")},
                 {"UNID_FOD", number("1")},
                 {"TPRE_FOD", number("12.4")},
                 {"PRET_FOD", number("12.4")},
                 {"ESTA_FOD", text("P")}},
                changes);
}

// A row's values by upper-case column name.
using ColumnValues = std::map<std::string, std::string>;

class PurchaseOrders : public ImportWindowFixture {
protected:
    static constexpr std::size_t kProveedores = 2, kOrdenes = 20;

    void SetUp() override
    {
        ImportWindowFixture::SetUp();
        window.AlicuotaIva = base::Currency::fromInteger(21);
        gUsuarioLogeado = "tester";
        gUNegocio = "   1";
    }

    void TearDown() override
    {
        gUsuarioLogeado.clear();
        gUNegocio.clear();
        ImportWindowFixture::TearDown();
    }

    // An article code as the ERP keeps it: right-aligned in 25 characters.
    static std::string article(std::string_view code) { return std::string(25 - code.size(), ' ') + std::string(code); }

    // A text as it stands between apostrophes in SQL.
    static std::string quoted(std::string_view text) { return base::replace(text, "'", "''"); }

    void write(const std::vector<testing_support::LegacyRow>& orders, const std::vector<testing_support::LegacyRow>& lines,
               std::vector<int> deletedOrders = {})
    {
        testing_support::LegacyTables()
            .table("FORCOMPR", orders, std::move(deletedOrders))
            .table("FDEORCOM", lines)
            .write(legacy.path());
    }

    void importOrders() { run({kOrdenes}); }

    static void execute(std::string statement)
    {
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_TRUE(gDB_Dll().gCnn.errors().empty()) << statement;
    }

    // A value as the expectations write it: Null as "NULL", dates as "yyyy-mm-dd hh:mm:ss", bits as 0 and 1,
    // texts without trailing blanks (a char column holds them on SQL Server, not here).
    static std::string shown(const base::Value& value)
    {
        if (value.isNull()) return "NULL";
        if (value.kind() == base::Value::Kind::DateTime) return value.asDateTime().toIso();
        if (value.kind() == base::Value::Kind::Boolean) return value.asBoolean() ? "1" : "0";
        return base::rightTrim(value.toText());
    }

    // Each row of a query, by upper-case column name.
    static std::vector<ColumnValues> records(std::string statement)
    {
        db::Recordset rs;
        gDB_Dll().AbrirRecordset(statement, rs);
        std::vector<ColumnValues> out;
        for (; !rs.eof(); rs.moveNext()) {
            ColumnValues row;
            for (std::size_t i = 0; i < rs.fieldCount(); ++i)
                row[base::toUpperCase(rs.field(i).name())] = shown(rs.field(i).value());
            out.push_back(row);
        }
        return out;
    }

    // The purchase-order vouchers, by id.
    std::map<std::string, ColumnValues> headers()
    {
        std::map<std::string, ColumnValues> out;
        for (ColumnValues& row : records("SELECT * FROM C_MV_CPTE WHERE TC = '  OC' ORDER BY ID"))
            out[row["IDCOMPROBANTE"]] = row;
        return out;
    }

    // The lines of every purchase order, in the order they were written.
    std::vector<ColumnValues> lines()
    {
        return records("SELECT * FROM C_MV_CPTEINSUMOS WHERE TC = '  OC' ORDER BY ID");
    }

    // Each expected column's value; a difference names the row and the column.
    static void expectColumns(const ColumnValues& actual, const ColumnValues& expected, std::string_view what)
    {
        ASSERT_FALSE(actual.empty()) << what << ": no row";
        for (const auto& [column, value] : expected) {
            const auto found = actual.find(base::toUpperCase(column));
            ASSERT_NE(found, actual.end()) << what << ": no column " << column;
            EXPECT_EQ(found->second, value) << what << ": " << column;
        }
    }

    // From now on the database refuses a row of `table` whose `column` holds exactly `value`, as a trigger of
    // the ERP might: error 50000, "orden rechazada".
    void refuse(std::string_view table, std::string_view column, std::string_view value)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2((folder.path() / "EMPRESA.sqlite").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        const std::string trigger =
            fmt::format("CREATE TRIGGER RECHAZA_{0} BEFORE INSERT ON {0} WHEN RTRIM(NEW.{1}) = '{2}' COLLATE BINARY BEGIN "
                        "SELECT RAISE(ABORT, 'orden rechazada'); END",
                        table, column, value);
        const int created = sqlite3_exec(db, trigger.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ASSERT_EQ(created, SQLITE_OK);
    }

    // The error list's filled rows: ordinal and text.
    std::vector<std::pair<std::string, std::string>> errorList() const
    {
        std::vector<std::pair<std::string, std::string>> out;
        const ui::FlexGrid& grid = window.MSFlexGrid1;
        for (long row = 0; row < grid.rows(); ++row)
            if (!grid.textMatrix(row, 0).empty()) out.emplace_back(grid.textMatrix(row, 0), grid.textMatrix(row, 1));
        return out;
    }

    // The counters' first line of the last progress text.
    std::string lastCounters() const
    {
        const std::string& text = window.LblDetalle.caption;
        return text.substr(0, text.find("\r\nInicio"));
    }
};
