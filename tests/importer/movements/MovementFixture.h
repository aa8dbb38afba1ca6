#pragma once
// What the movement import tests share: the import window on a logged-in embedded ERP database (user
// "tester", business unit "   1"), the rows an import wrote read back column by column, a trigger that
// makes the database refuse chosen rows, and the progress text.

#include "core/Configuracion.h"
#include "importer/Importar.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "tests/importer/ImportWindowFixture.h"

#include <fmt/format.h>
#include <map>
#include <sqlite3.h>

// A row's values by upper-case column name.
using ColumnValues = std::map<std::string, std::string>;

class MovementFixture : public ImportWindowFixture {
protected:
    void SetUp() override
    {
        ImportWindowFixture::SetUp();
        gUsuarioLogeado = "tester";
        gUNegocio = "   1";
    }

    void TearDown() override
    {
        gUsuarioLogeado.clear();
        gUNegocio.clear();
        ImportWindowFixture::TearDown();
    }

    // A text as it stands between apostrophes in SQL.
    static std::string quoted(std::string_view text) { return base::replace(text, "'", "''"); }

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

    // A line of an entry another task wrote: number `number` in the series of the month, period and register
    // type (as stored, four characters).
    static void storeEntry(int month, int period, std::string_view registerType, long number)
    {
        execute(fmt::format("INSERT INTO MV_ASIENTOS (MES_OPERATIVO, PERIODO, TIPO_REG, [NUMERO ASIENTO]) VALUES ({}, {}, "
                            "'{}', {})",
                            month, period, registerType, number));
    }

    // From now on the entry-number look-up of that series answers 0, which is no entry number: the highest
    // number stored there is -1, as a damaged line may hold.
    static void entryNumberAnswersZero(int month, int period, std::string_view registerType)
    {
        storeEntry(month, period, registerType, -1);
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

    // The counters' first line of the last progress text.
    std::string lastCounters() const
    {
        const std::string& text = window.LblDetalle.caption;
        return text.substr(0, text.find("\r\nInicio"));
    }
};
