// A statement made from a remembered shape is the statement the full rewrite makes of the same text: the
// same SQL, the same parameters, the same refusals, whatever came before it in the session.

#include "platform/base/Utf8.h"
#include "platform/db/sqlite/StoredValues.h"
#include "platform/db/sqlite/TsqlBatch.h"
#include "platform/db/sqlite/TsqlShapes.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace db::sqlite {
namespace {

// The column rules of a few tables, as the schema would declare them.
class DeclaredRules : public ColumnRules {
public:
    DeclaredRules()
    {
        declare("PRUEBA", {{"CODIGO", "char(4)"},
                           {"NOMBRE", "varchar(10)"},
                           {"IMPORTE", "decimal(18,4)"},
                           {"CANTIDAD", "int"},
                           {"FECHA", "datetime"},
                           {"ALTA", "datetime"},
                           {"AÑO", "smallint"},
                           {"NOTA", "nvarchar(20)"},
                           {"ACTIVO", "bit"},
                           {"FACTOR", "float"},
                           {"SALDO", "money"}});
        declare("NUMERADA", {{"ID", "int IDENTITY(1,1)"}, {"TEXTO", "varchar(30)"}, {"DIA", "datetime"}});
    }

    const std::vector<ColumnRule>* columnsOf(std::string_view table) override
    {
        std::string key;
        for (std::size_t i = 0; i < table.size();) base::appendUtf8(key, base::upperCase(base::nextCodePoint(table, i)));
        const auto found = tables_.find(key);
        return found == tables_.end() ? nullptr : &found->second;
    }

private:
    void declare(const std::string& table, const std::vector<std::pair<std::string, std::string>>& columns)
    {
        std::vector<ColumnRule>& rules = tables_[table];
        for (const auto& [column, type] : columns) rules.push_back(columnRule(table, column, type));
    }

    std::map<std::string, std::vector<ColumnRule>> tables_;
};

std::string describe(const std::vector<SqlParameter>& parameters)
{
    std::string out;
    for (const SqlParameter& p : parameters)
        out += fmt::format(" [{} {} read={} {} {}]", static_cast<int>(p.type), p.value, p.read, p.whole, p.real);
    return out;
}

// Every field of the statement, so that two statements compare equal only when they are made alike.
std::string describe(const TsqlStatement& s)
{
    return fmt::format("kind={} original=[{}] sql=[{}] condition=[{}] negate={} parameters={} condition parameters={} "
                       "dateOrder={} identityInsert=[{}] error=[{}] storeError={} [{}] changesSchema={} "
                       "rulesUnknown={}",
                       static_cast<int>(s.kind), s.original, s.sql, s.condition, s.negate, describe(s.parameters),
                       describe(s.conditionParameters), static_cast<int>(s.dateOrder), s.identityInsert, s.error,
                       s.storeError, s.storeErrorText, s.changesSchema, s.rulesUnknown);
}

// The batch split with the shapes remembered so far and in full, statement by statement.
void expectAlike(const std::string& batch, DeclaredRules& replayed, StatementShapes& shapes, DeclaredRules& rewritten,
                 const std::string& context)
{
    const std::vector<TsqlStatement> fast = splitBatch(batch, &replayed, &shapes);
    const std::vector<TsqlStatement> full = splitBatch(batch, &rewritten);
    ASSERT_EQ(fast.size(), full.size()) << context << "\n" << batch;
    for (std::size_t i = 0; i < fast.size(); ++i)
        EXPECT_EQ(describe(fast[i]), describe(full[i])) << context << ", statement " << i << " of\n" << batch;
    EXPECT_EQ(static_cast<int>(replayed.dateOrder), static_cast<int>(rewritten.dateOrder)) << context;
    EXPECT_EQ(replayed.identityInsert, rewritten.identityInsert) << context;
}

// Batches in the order a session sends them: shapes are remembered by the first ones and replayed by the
// later ones, with literals that change, recur in other columns, or read otherwise after SET DATEFORMAT.
const std::vector<std::string> kSession = {
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('A', 'uno', 1.5, 2, '20240229')",
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('B', 'O''Brien', -2.5, -3, '20240301 10:00')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('C', N'Peña', 1.23456, 4, '29/02/2024')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('C', N'Peña', 1.23456, 4, '29/02/2024')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('D', '20240229', 20240229, 20240229, '20240229')",
    // The same literal in every column, each reading it its own way.
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, FECHA, ALTA, NOTA) VALUES ('1', '01/02/2024', '01/02/2024', '01/02/2024', "
    "'01/02/2024')\n"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, FECHA, ALTA, NOTA) VALUES ('1', '01/02/2024', '01/02/2024', '01/02/2024', "
    "'01/02/2024')",
    "SET DATEFORMAT mdy\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, FECHA, ALTA, NOTA) VALUES ('1', '01/02/2024', '01/02/2024', '01/02/2024', "
    "'01/02/2024')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, FECHA, ALTA, NOTA) VALUES ('2', '13/02/2024', '12/02/2024', '01/02/2024', "
    "'13/02/2024')\r"
    "SET DATEFORMAT dmy\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, FECHA, ALTA, NOTA) VALUES ('1', '01/02/2024', '01/02/2024', '01/02/2024', "
    "'01/02/2024')",
    // Refused by a column on a replay, then taken again.
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('E', 'demasiado largo', 1, 1, '20240101')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('E', 'corto', 1, 1, '20240230')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('E', 'corto', 'uno', 'x', '20240101')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('E', 'corto', 1, 1, '20240101')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('E', 'corto', 1, 1, '20240101')",
    // Literals of other kinds in the same places, blank texts, numbers of other forms.
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('F', 12, '7.25', '6', NULL)\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('G', '   ', 1E1, 4.9, '')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('H', '', .5, 0x1F, ' ')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('I', 'x', - 2, -0, '2024-02-29T10:11:12')",
    // Comments, brackets, functions, other columns.
    "INSERT INTO [PRUEBA] ([CODIGO], [AÑO], ACTIVO, FACTOR, SALDO) /* fila */ VALUES ('J', 2024, 1, 1.5e3, '') -- fin\n"
    "INSERT INTO [PRUEBA] ([CODIGO], [AÑO], ACTIVO, FACTOR, SALDO) /* fila */ VALUES ('K', -12, 0, -2.5, 3.14159)"
    " -- fin\n"
    "INSERT INTO PRUEBA (CODIGO, FECHA, ALTA) VALUES ('L', GETDATE(), CONVERT(datetime, '29/02/2024', 103))\r"
    "INSERT INTO PRUEBA (CODIGO, FECHA, ALTA) VALUES ('M', GETDATE(), CONVERT(datetime, '01/03/2024', 103))",
    // Updates and queries whose texts part only after their opening words.
    "UPDATE PRUEBA SET NOMBRE = 'uno', IMPORTE = 1 WHERE CODIGO = 'A'\r"
    "UPDATE PRUEBA SET NOMBRE = 'uno', IMPORTE = 1 WHERE CODIGO = 'B'\r"
    "UPDATE PRUEBA SET NOMBRE = 'uno', CANTIDAD = 1 WHERE CODIGO = 'B'\r"
    "UPDATE PRUEBA SET NOMBRE = 'dos', FECHA = '20240101' WHERE CODIGO = 'B'\r"
    "UPDATE PRUEBA SET NOMBRE = 'dos', FECHA = '20240101' WHERE CODIGO = 'B' AND CANTIDAD = -1\r"
    "SELECT TOP 1 CODIGO FROM PRUEBA WHERE NOMBRE = 'uno' ORDER BY CODIGO\r"
    "SELECT TOP 2 CODIGO FROM PRUEBA WHERE NOMBRE = 'uno' ORDER BY CODIGO\r"
    "SELECT TOP 2 CODIGO FROM PRUEBA WHERE NOMBRE = 'Ñandú' ORDER BY 1\r"
    "SELECT TOP 2 CODIGO FROM PRUEBA WHERE NOMBRE = 'Ñandú' ORDER BY 1",
    "IF NOT EXISTS (SELECT 1 FROM PRUEBA WHERE CODIGO = 'N') INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('N', '20240102')\r"
    "IF NOT EXISTS (SELECT 1 FROM PRUEBA WHERE CODIGO = 'O') INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('O', '20240103')\r"
    "IF EXISTS (SELECT 1 FROM PRUEBA WHERE CODIGO = 'O') DELETE PRUEBA WHERE CODIGO = 'O'\r"
    "IF EXISTS (SELECT 1 FROM PRUEBA WHERE CODIGO = 'P') DELETE PRUEBA WHERE CODIGO = 'P'",
    // Units of work, identities given and not, statements ended by a ";" or by the next one's first word.
    "BEGIN TRANSACTION\rINSERT INTO NUMERADA (TEXTO, DIA) VALUES ('a', '20240101');"
    "INSERT INTO NUMERADA (TEXTO, DIA) VALUES ('b', '20240102') INSERT INTO NUMERADA (TEXTO, DIA) VALUES ('c', NULL)\r"
    "COMMIT TRANSACTION",
    "SET IDENTITY_INSERT NUMERADA ON\rINSERT INTO NUMERADA (ID, TEXTO, DIA) VALUES (7, 'a', '20240101')\r"
    "INSERT INTO NUMERADA (ID, TEXTO, DIA) VALUES (8, 'b', '20240101')\rSET IDENTITY_INSERT NUMERADA OFF\r"
    "INSERT INTO NUMERADA (ID, TEXTO, DIA) VALUES (9, 'c', '20240101')\r"
    "INSERT INTO NUMERADA (TEXTO, DIA) VALUES ('d', '20240101')",
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('Q', 'dos', 1.5, 2, '20240229')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('R', 'dos', 1.5, 2, '20240229');;\r"
    "insert into prueba (codigo, nombre, importe, cantidad, fecha) values ('S', 'dos', 1.5, 2, '20240229')\r"
    "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ('T', 'dos', 1.5, 2, '20240229'",
    "INSERT INTO DESCONOCIDA (A, B) VALUES ('x', 1)\rINSERT INTO DESCONOCIDA (A, B) VALUES ('y', 2)",
    // Statements alike in their first words, apart only further on, in turns.
    "SELECT CODIGO, NOMBRE, IMPORTE, AÑO FROM PRUEBA WHERE CANTIDAD = 1\r"
    "SELECT CODIGO, NOMBRE, IMPORTE, AÑO FROM PRUEBA WHERE FECHA = '20240101'\r"
    "SELECT CODIGO, NOMBRE, IMPORTE, AÑO FROM PRUEBA WHERE CANTIDAD = 2\r"
    "SELECT CODIGO, NOMBRE, IMPORTE, AÑO FROM PRUEBA WHERE FECHA = '20240102' ORDER BY CODIGO\r"
    "SELECT CODIGO, NOMBRE, IMPORTE, AÑO FROM PRUEBA WHERE FECHA = '20240103'\r"
    "SELECT CODIGO, NOMBRE, IMPORTE, AÑO FROM PRUEBA WHERE CANTIDAD = -3\r"
    "SELECT CODIGO, NOMBRE, IMPORTE, AÑO FROM PRUEBA  WHERE CANTIDAD = 4\r"
    "SELECT CODIGO, NOMBRE, IMPORTE, AÑO FROM PRUEBA WHERE FECHA = '20240104' ORDER BY CODIGO",
};

TEST(StatementReplay, MakesWhatTheFullRewriteMakes)
{
    DeclaredRules replayed, rewritten;
    StatementShapes shapes(replayed.dateOrder);
    // Twice over: the second time every shape is known from the start.
    for (int round = 0; round < 2; ++round) {
        for (const std::string& batch : kSession)
            expectAlike(batch, replayed, shapes, rewritten, fmt::format("round {}", round));
    }
}

// Many rows of one shape in one batch, their literals recurring and changing from row to row.
TEST(StatementReplay, RowsOfOneShapeInALongBatch)
{
    const char* const names[] = {"uno", "dos", "O''Brien", "Peña", "   ", "demasiado largo"};
    const char* const dates[] = {"20240229", "29/02/2024", "20240230", "2024-03-01 10:00", "01/02/2024"};
    const char* const amounts[] = {"1.5", "-2.25", "1.23456", "0", "-0", "123456789012345"};
    std::string batch;
    for (int row = 0; row < 120; ++row) {
        batch += fmt::format("INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA, ALTA) VALUES "
                             "('{}', '{}', {}, {}, '{}', '{}')\r",
                             row % 7, names[row % 6], amounts[row % 6], row % 4 - 2, dates[row % 5], dates[row % 3]);
        if (row % 40 == 39) batch += row % 80 == 39 ? "SET DATEFORMAT mdy\r" : "SET DATEFORMAT dmy\r";
    }
    DeclaredRules replayed, rewritten;
    StatementShapes shapes(replayed.dateOrder);
    for (int round = 0; round < 2; ++round) expectAlike(batch, replayed, shapes, rewritten, fmt::format("round {}", round));
}

// A unit of work of more statements than the shapes last used are kept apart, sent row after row, in
// batches of its own and all in one.
TEST(StatementReplay, AUnitOfWorkOfManyShapesRowAfterRow)
{
    const auto unit = [](int row) {
        std::string batch = "BEGIN TRANSACTION\r";
        for (int k = 1; k <= 24; ++k) {
            batch += fmt::format("SELECT TOP {} CODIGO FROM PRUEBA WHERE NOMBRE = '{}' AND FECHA >= '{}'\r", k,
                                 row % 3 == 0 ? "Peña" : "uno", row % 2 == 0 ? "20240229" : "01/03/2024");
            if (k % 6 == 0)
                batch += fmt::format("UPDATE PRUEBA SET CANTIDAD = {}, ALTA = '2024030{}' WHERE CODIGO = '{}'\r", row - k,
                                     k / 6, k);
        }
        return batch + "COMMIT TRANSACTION";
    };
    DeclaredRules replayed, rewritten;
    StatementShapes shapes(replayed.dateOrder);
    std::string all;
    for (int row = 0; row < 8; ++row) all += unit(row) + "\r";
    for (const std::string& batch : {unit(0), unit(1), unit(2), unit(3), all})
        expectAlike(batch, replayed, shapes, rewritten, "unit of work");
}

}  // namespace
}  // namespace db::sqlite
