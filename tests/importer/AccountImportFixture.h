#pragma once
// What the account import tests share: the window on a logged-in embedded ERP database, a legacy folder of
// its own where the data-folder box points, a run of chosen task entries through "Iniciar/Importar", and the
// rows the imports wrote, column by column.

#include "importer/Importar.h"
#include "platform/base/Text.h"
#include "tests/importer/ImportWindowFixture.h"
#include "tests/support/LegacyTables.h"

#include <fmt/format.h>
#include <map>

// A legacy customer of FCLIENTE: an ordinary one, with these fields changed.
inline testing_support::LegacyRow customer(std::string_view code, const testing_support::LegacyRow& changes = {})
{
    using namespace testing_support;
    return with({{"CODI_FCL", text(code)},
                 {"ESTA_FCL", text("A")},
                 {"NFAN_FCL", text("Ferretería El Tornillo")},
                 {"DIRE_FCL", text("San Martín 1250")},
                 {"CODP_FCL", text("23")},
                 {"CODC_FCL", text("9000")},
                 {"CASI_FCL", text("9000")},
                 {"CTRI_FCL", text("01")},
                 {"FONO_FCL", text("0297 446-2210")},
                 {"RUTT_FCL", text("30712345678")},
                 {"RAMO_FCL", text("01")},
                 {"VEN1_FCL", text("1")},
                 {"TVT1_FCL", text("1")}},
                changes);
}

// A legacy supplier of FPROVEED: an ordinary one, with these fields changed.
inline testing_support::LegacyRow supplier(std::string_view code, const testing_support::LegacyRow& changes = {})
{
    using namespace testing_support;
    return with({{"CODI_FPR", text(code)},
                 {"ESTA_FPR", text("A")},
                 {"NOMB_FPR", text("Aceros Patagonia S.A.")},
                 {"DIRE_FPR", text("Parque Industrial Lote 4")},
                 {"CODP_FPR", text("23")},
                 {"CODC_FPR", text("9000")},
                 {"CASI_FPR", text("9000")},
                 {"LEAD_FPR", text("1")},
                 {"FONO_FPR", text("0297 447-0000")},
                 {"RUTT_FPR", text("30712345678")},
                 {"CPAG_FPR", number("30")},
                 {"RETG_FPR", text("1")},
                 {"CONT_FPR", text("Transferencia")},
                 {"SOBR_FPR", text("N")},
                 {"IMPU_FPR", text("N")}},
                changes);
}

inline const std::string kLongCity = "Capitán Sarmiento - Estación Ferrocarril General Bartolomé Mitre";

// fciudade: two cities of province 23, one with an apostrophe, one whose name is longer than 50 characters,
// and a second row for the first key (the first row is the one that counts).
inline testing_support::LegacyTables& withCities(testing_support::LegacyTables& tables)
{
    using namespace testing_support;
    auto city = [](const char* province, const char* code, const std::string& name) {
        return LegacyRow{{"CODP_FCI", text(province)}, {"CODI_FCI", text(code)}, {"NOMB_FCI", text(name)}};
    };
    return tables.table("fciudade", {city("23", "9000", "Comodoro Rivadavia"), city("23", "9001", "Villa O'Higgins"),
                                     city("02", "2760", kLongCity), city("23", "9000", "Segunda fila")});
}

// A row's values by column name.
using ColumnValues = std::map<std::string, std::string>;

// A legacy record of a table of cases, the account it gives and the columns that account's row holds.
struct AccountCase {
    const char* what;
    testing_support::LegacyRow legacy;
    std::string account;
    ColumnValues expected;
};

class AccountImport : public ImportWindowFixture {
protected:
    // The task entries of the account imports.
    static constexpr std::size_t kLimites = 0, kClientes = 1, kProveedores = 2, kEmpleados = 3;

    static std::string shown(const base::Value& value)
    {
        if (value.isNull()) return "NULL";
        if (value.kind() == base::Value::Kind::DateTime) return value.asDateTime().toIso();
        if (value.kind() == base::Value::Kind::Boolean) return value.asBoolean() ? "1" : "0";
        return value.toText();
    }

    // The row of `table` with this CODIGO, by upper-case column name; empty when there is none.
    ColumnValues row(std::string_view table, std::string_view code)
    {
        db::Recordset rs;
        rs.open(fmt::format("SELECT * FROM {} WHERE CODIGO = '{}'", table, base::replace(code, "'", "''")), gDB_Dll().gCnn);
        ColumnValues out;
        if (rs.eof()) return out;
        for (std::size_t i = 0; i < rs.fieldCount(); ++i)
            out[base::toUpperCase(rs.field(i).name())] = shown(rs.field(i).value());
        return out;
    }

    // Every CODIGO of `table`, in order.
    std::vector<std::string> codes(std::string_view table)
    {
        db::Recordset rs;
        rs.open(fmt::format("SELECT CODIGO FROM {} ORDER BY CODIGO", table), gDB_Dll().gCnn);
        std::vector<std::string> out;
        for (; !rs.eof(); rs.moveNext()) out.push_back(rs.field(0).value().toText());
        return out;
    }

    // What the end box of a task says of `count` records of `table` turned away for sharing an account.
    std::string sharedAccounts(int count, std::string_view table) const
    {
        return fmt::format("{} {} de {} no se importaron: dan una cuenta que otro registro de esta tarea ya importó. El "
                           "detalle de cada uno está en el registro de errores {}",
                           count, count == 1 ? "registro" : "registros", table, (folder.path() / "QVERR.LOG").string());
    }

    // What the end box of a task says of `count` records of `table` refused for `why`.
    std::string refusals(int count, std::string_view table, std::string_view why) const
    {
        return fmt::format("{} {} de {} no se {}: {}. El detalle está en la lista de errores y en el registro de errores {}",
                           count, count == 1 ? "registro" : "registros", table, count == 1 ? "importó" : "importaron", why,
                           (folder.path() / "QVERR.LOG").string());
    }

    // The one box at the end of a task, saying `text`.
    void expectEndBox(const std::string& text)
    {
        prompter.expectMessage(text, ui::vbOKOnly | ui::vbExclamation, "Migrador", ui::vbOK);
    }
    void expectSharedAccounts(int count, std::string_view table) { expectEndBox(sharedAccounts(count, table)); }

    static void execute(std::string statement)
    {
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_TRUE(gDB_Dll().gCnn.errors().empty()) << statement;
    }

    // Each expected column's value; a difference names the account and the column.
    void expectColumns(std::string_view table, const std::string& code, const ColumnValues& expected)
    {
        const ColumnValues actual = row(table, code);
        ASSERT_FALSE(actual.empty()) << "no " << table << " row " << code;
        for (const auto& [column, value] : expected) {
            const auto found = actual.find(base::toUpperCase(column));
            ASSERT_NE(found, actual.end()) << table << " has no column " << column;
            EXPECT_EQ(found->second, value) << code << " " << column;
        }
    }

};
