#include "platform/db/sqlite/TsqlBatch.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace db::sqlite {
namespace {

using Kind = TsqlStatement::Kind;

const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::Plain: return "Plain";
    case Kind::Conditional: return "Conditional";
    case Kind::BeginTransaction: return "BeginTransaction";
    case Kind::CommitTransaction: return "CommitTransaction";
    case Kind::RollbackTransaction: return "RollbackTransaction";
    case Kind::NoOp: return "NoOp";
    case Kind::DateFormat: return "DateFormat";
    case Kind::IdentityInsert: return "IdentityInsert";
    case Kind::Unsupported: return "Unsupported";
    }
    return "?";
}

std::string describe(const std::vector<TsqlStatement>& statements)
{
    std::string out;
    for (const TsqlStatement& s : statements) {
        out += std::string("\n  ") + kindName(s.kind) + " original=[" + s.original + "] sql=[" + s.sql + "]";
        if (!s.condition.empty()) out += " condition=[" + s.condition + "]" + (s.negate ? " negated" : "");
        if (!s.error.empty()) out += " error=[" + s.error + "]";
    }
    return out;
}

// Gtest names parameterised cases from these; keep them identifiers.
template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

template <typename Case>
void printCase(const Case& c, std::ostream* os)
{
    *os << c.name;
}

// ---------------------------------------------------------------------------------------------------------
// One statement in, one statement out: the rewrites.

struct RewriteCase {
    const char* name;
    std::string_view input;
    Kind kind;
    std::string_view sql;
    std::string_view condition = {};
    bool negate = false;
    std::vector<std::string> parameters = {};
    std::vector<std::string> conditionParameters = {};
};

void PrintTo(const RewriteCase& c, std::ostream* os)
{
    printCase(c, os);
}

// The values of the parameters, as a statement spells them.
std::vector<std::string> values(const std::vector<SqlParameter>& parameters)
{
    std::vector<std::string> out;
    for (const SqlParameter& p : parameters) out.push_back(p.spelled());
    return out;
}

class TsqlRewrite : public testing::TestWithParam<RewriteCase> {};

TEST_P(TsqlRewrite, GivesTheSqliteStatement)
{
    const RewriteCase& c = GetParam();
    const auto statements = splitBatch(c.input);
    ASSERT_EQ(statements.size(), 1u) << describe(statements);
    const TsqlStatement& s = statements.front();
    EXPECT_EQ(s.kind, c.kind) << describe(statements);
    EXPECT_EQ(s.sql, c.sql);
    EXPECT_EQ(s.condition, c.condition);
    EXPECT_EQ(s.negate, c.negate);
    EXPECT_EQ(values(s.parameters), c.parameters);
    EXPECT_EQ(values(s.conditionParameters), c.conditionParameters);
    EXPECT_EQ(s.error, "");
}

INSTANTIATE_TEST_SUITE_P(
    TopBecomesLimit, TsqlRewrite,
    testing::Values(
        RewriteCase{"TopWithOrderBy", "SELECT TOP 2 CODIGO, NOMBRE FROM CLIENTES ORDER BY NOMBRE DESC", Kind::Plain,
                    "SELECT CODIGO, NOMBRE FROM CLIENTES ORDER BY NOMBRE DESC LIMIT 2"},
        RewriteCase{"LowerCaseAndDoubleBlank", "select  top 1 * from AUX_ERR", Kind::Plain,
                    "select * from AUX_ERR LIMIT 1"},
        RewriteCase{"ParenthesisedCount", "SELECT TOP (3) A FROM T", Kind::Plain, "SELECT A FROM T LIMIT 3"},
        RewriteCase{"AfterDistinct", "SELECT DISTINCT TOP 5 A FROM T", Kind::Plain,
                    "SELECT DISTINCT A FROM T LIMIT 5"},
        RewriteCase{"InScalarSubquery", "SELECT A, (SELECT TOP 1 B FROM U WHERE U.A = T.A ORDER BY B) AS B FROM T",
                    Kind::Plain, "SELECT A, (SELECT B FROM U WHERE U.A = T.A ORDER BY B LIMIT 1) AS B FROM T"},
        RewriteCase{"InnerAndOuter", "SELECT TOP 10 A FROM T WHERE B IN (SELECT TOP 3 B FROM U ORDER BY B) ORDER BY A",
                    Kind::Plain, "SELECT A FROM T WHERE B IN (SELECT B FROM U ORDER BY B LIMIT 3) ORDER BY A LIMIT 10"},
        RewriteCase{"HundredPercentKeepsEveryRow", "SELECT TOP 100 PERCENT A FROM T ORDER BY A", Kind::Plain,
                    "SELECT A FROM T ORDER BY A"},
        RewriteCase{"NoCountWithoutTop", "SELECT A FROM T", Kind::Plain, "SELECT A FROM T"}),
    caseName<RewriteCase>);

INSTANTIATE_TEST_SUITE_P(
    DataChanges, TsqlRewrite,
    testing::Values(
        RewriteCase{"DeleteWithoutFrom", "DELETE MOVIMIENTOS WHERE NUMERO = 7", Kind::Plain,
                    "DELETE FROM MOVIMIENTOS WHERE NUMERO = ?1", {}, false, {"7"}},
        RewriteCase{"DeleteWithoutWhere", "DELETE dbo.AUX_ERR", Kind::Plain, "DELETE FROM AUX_ERR"},
        RewriteCase{"DeleteFromStays", "DELETE FROM T WHERE A IN (SELECT A FROM U)", Kind::Plain,
                    "DELETE FROM T WHERE A IN (SELECT A FROM U)"},
        RewriteCase{"TruncateTable", "TRUNCATE TABLE dbo.AUX_ERR", Kind::Plain, "DELETE FROM AUX_ERR"},
        RewriteCase{"InsertWithoutInto", "INSERT T (A, B) VALUES (1, 2)", Kind::Plain,
                    "INSERT INTO T (A, B) VALUES (?1, ?2)", {}, false, {"1", "2"}},
        RewriteCase{"InsertBracketedOwner", "INSERT [dbo].[T] VALUES (1)", Kind::Plain, "INSERT INTO [T] VALUES (?1)", {}, false,
                    {"1"}},
        RewriteCase{"InsertParenthesisedSelect",
                    "INSERT INTO RESUMEN (CUENTA, TOTAL) (SELECT CUENTA, SUM(IMPORTE) FROM MOV GROUP BY CUENTA)",
                    Kind::Plain, "INSERT INTO RESUMEN (CUENTA, TOTAL) SELECT CUENTA, SUM(IMPORTE) FROM MOV GROUP BY CUENTA"},
        RewriteCase{"InsertParenthesisedSelectWithTop", "INSERT INTO T (A) (SELECT TOP 5 A FROM U ORDER BY A)",
                    Kind::Plain, "INSERT INTO T (A) SELECT A FROM U ORDER BY A LIMIT 5"},
        RewriteCase{"InsertSelectUnion", "INSERT INTO T SELECT A FROM U UNION ALL SELECT B FROM W", Kind::Plain,
                    "INSERT INTO T SELECT A FROM U UNION ALL SELECT B FROM W"},
        RewriteCase{"UpdateColumnNamedLikeAnOption", "UPDATE T SET LANGUAGE = 1", Kind::Plain,
                    "UPDATE T SET LANGUAGE = ?1", {}, false, {"1"}},
        RewriteCase{"BracketedNamesWithBlanks", "SELECT [FECHA DESDE], [FECHA HASTA] FROM [dbo].[PERIODOS]",
                    Kind::Plain, "SELECT [FECHA DESDE], [FECHA HASTA] FROM [PERIODOS]"},
        RewriteCase{"LockingHintsDropped", "SELECT * FROM T WITH (NOLOCK) WHERE A IN (SELECT A FROM U (NOLOCK, READPAST))",
                    Kind::Plain, "SELECT * FROM T WHERE A IN (SELECT A FROM U)"},
        RewriteCase{"CommentsBecomeBlanks", "SELECT A, -- the code\r\n B /* the name */FROM T", Kind::Plain,
                    "SELECT A, B FROM T"}),
    caseName<RewriteCase>);

INSTANTIATE_TEST_SUITE_P(
    Conditions, TsqlRewrite,
    testing::Values(
        RewriteCase{"IfNotExistsInsert",
                    "IF NOT EXISTS (SELECT * FROM CUENTAS WHERE CODIGO = 'C1') INSERT INTO CUENTAS (CODIGO) VALUES ('C1')",
                    Kind::Conditional, "INSERT INTO CUENTAS (CODIGO) VALUES (?1 COLLATE SQLSRV)",
                    "SELECT EXISTS (SELECT * FROM CUENTAS WHERE CODIGO = ?1 COLLATE SQLSRV)", true, {"C1"}, {"C1"}},
        RewriteCase{"LowerCaseIfExistsUpdate", " if exists(select * from T where A = 1)  UPDATE T SET B = 2 WHERE A = 1",
                    Kind::Conditional, "UPDATE T SET B = ?1 WHERE A = ?2", "SELECT EXISTS (select * from T where A = ?1)",
                    false, {"2", "1"}, {"1"}},
        RewriteCase{"TopInsideExists", "IF EXISTS (SELECT TOP 1 * FROM dbo.T ORDER BY A) DELETE T",
                    Kind::Conditional, "DELETE FROM T", "SELECT EXISTS (SELECT * FROM T ORDER BY A LIMIT 1)"},
        RewriteCase{"GuardedInsertSelect", "IF NOT EXISTS (SELECT 1 FROM T) INSERT T SELECT A FROM U UNION SELECT B FROM W",
                    Kind::Conditional, "INSERT INTO T SELECT A FROM U UNION SELECT B FROM W",
                    "SELECT EXISTS (SELECT ?1 FROM T)", true, {}, {"1"}},
        RewriteCase{"GuardedCreateTable", "IF NOT EXISTS (SELECT * FROM T) CREATE TABLE dbo.X (A INT)",
                    Kind::Conditional, "CREATE TABLE X (A INT)", "SELECT EXISTS (SELECT * FROM T)", true}),
    caseName<RewriteCase>);

INSTANTIATE_TEST_SUITE_P(
    Functions, TsqlRewrite,
    testing::Values(
        RewriteCase{"IsnullBecomesIfnull", "SELECT ISNULL(SALDO,0) FROM CUENTAS", Kind::Plain,
                    "SELECT IFNULL(SALDO,?1) COLLATE SQLSRV FROM CUENTAS", {}, false, {"0"}},
        RewriteCase{"SystemUserBecomesACall", "INSERT INTO LOG (USUARIO) VALUES (SYSTEM_USER)", Kind::Plain,
                    "INSERT INTO LOG (USUARIO) VALUES (SYSTEM_USER())"},
        RewriteCase{"ConvertQuotesItsType", "SELECT CONVERT(NVARCHAR (10), FECHA, 103), CONVERT(int, '5') FROM T",
                    Kind::Plain, "SELECT CONVERT('NVARCHAR(10)', FECHA, ?1), CONVERT('int', ?2 COLLATE SQLSRV) FROM T",
                    {}, false, {"103", "5"}},
        RewriteCase{"NestedConvert", "SELECT CONVERT(DECIMAL(18, 2), CONVERT(INT, A))", Kind::Plain,
                    "SELECT CONVERT('DECIMAL(18,2)', CONVERT('INT', A))"},
        RewriteCase{"ConvertTypeSpellings", "SELECT CONVERT([nvarchar] ( 5 ), A), CONVERT(double precision, B)",
                    Kind::Plain, "SELECT CONVERT('nvarchar(5)', A), CONVERT('double precision', B)"},
        RewriteCase{"NationalLiteral", "SELECT A FROM T WHERE B = N'x'", Kind::Plain,
                    "SELECT A FROM T WHERE B = ?1 COLLATE SQLSRV", {}, false, {"x"}},
        RewriteCase{"PassThrough", "SELECT LEN(A), GETDATE(), CHARINDEX('a', A), SUBSTRING(A, 1, 2), LTRIM(RTRIM(A)) FROM T",
                    Kind::Plain,
                    "SELECT LEN(A), GETDATE(), CHARINDEX(?1 COLLATE SQLSRV, A), SUBSTRING(A, ?2, ?3) COLLATE SQLSRV, "
                    "LTRIM(RTRIM(A) COLLATE SQLSRV) COLLATE SQLSRV FROM T",
                    {}, false, {"a", "1", "2"}},
        RewriteCase{"OwnerPrefixesEverywhere", "SELECT dbo.T.A FROM dbo.T JOIN [dbo].U ON dbo.T.A = U.A", Kind::Plain,
                    "SELECT T.A FROM T JOIN U ON T.A = U.A"}),
    caseName<RewriteCase>);

INSTANTIATE_TEST_SUITE_P(
    LiteralCollation, TsqlRewrite,
    testing::Values(
        RewriteCase{"BetweenTwoLiterals", "SELECT CASE WHEN 'oc  ' = 'OC' THEN 1 ELSE 0 END", Kind::Plain,
                    "SELECT CASE WHEN ?1 COLLATE SQLSRV = ?2 COLLATE SQLSRV THEN ?3 ELSE ?4 END", {}, false,
                    {"oc  ", "OC", "1", "0"}},
        RewriteCase{"ApostropheAndLineBreakKept", "UPDATE T SET A = 'O''Brien\r\nline' WHERE B LIKE 'x%'", Kind::Plain,
                    "UPDATE T SET A = ?1 COLLATE SQLSRV WHERE B LIKE ?2 COLLATE SQLSRV", {}, false, {"O'Brien\r\nline", "x%"}},
        RewriteCase{"ApostrophesAtTheEnds", "UPDATE T SET A = '''x''', B = '''' WHERE C = N'''''' OR D = ''",
                    Kind::Plain,
                    "UPDATE T SET A = ?1 COLLATE SQLSRV, B = ?2 COLLATE SQLSRV WHERE C = ?3 COLLATE SQLSRV "
                    "OR D = sqlsrv_blank(D) COLLATE SQLSRV",
                    {}, false, {"'x'", "'", "''"}},
        // SQLite takes no COLLATE on a column alias.
        RewriteCase{"AliasesLeftAlone", "SELECT A 'Uno', B AS 'Dos', CASE A WHEN 'x' THEN 1 END 'Tres', 'k' AS K FROM T",
                    Kind::Plain,
                    "SELECT A 'Uno', B AS 'Dos', CASE A WHEN ?1 COLLATE SQLSRV THEN ?2 END 'Tres', ?3 COLLATE SQLSRV AS K FROM T",
                    {}, false, {"x", "1", "k"}},
        RewriteCase{"ExplicitCaseInsensitiveCollation", "SELECT A FROM T WHERE B COLLATE Modern_Spanish_CI_AS = 'x'",
                    Kind::Plain, "SELECT A FROM T WHERE B COLLATE SQLSRV = ?1 COLLATE SQLSRV", {}, false, {"x"}},
        RewriteCase{"LiteralWithItsOwnCollation", "SELECT A FROM T WHERE B = 'x' COLLATE Modern_Spanish_CI_AS",
                    Kind::Plain, "SELECT A FROM T WHERE B = ?1 COLLATE SQLSRV", {}, false, {"x"}},
        RewriteCase{"NotInDdl", "CREATE TABLE T (A NVARCHAR(5) DEFAULT N'z', B INT CHECK (B <> 'q'))", Kind::Plain,
                    "CREATE TABLE T (A NVARCHAR(5) COLLATE SQLSRV DEFAULT 'z', B INT CHECK (B <> 'q'))"}),
    caseName<RewriteCase>);

INSTANTIATE_TEST_SUITE_P(
    Ddl, TsqlRewrite,
    testing::Values(
        RewriteCase{"AddTextColumnWithNamedDefault",
                    "ALTER TABLE dbo.CLIENTES ADD NOMBRE NVARCHAR(30) NOT NULL CONSTRAINT DF_CLIENTES_NOMBRE DEFAULT (N'')",
                    Kind::Plain,
                    "ALTER TABLE CLIENTES ADD COLUMN NOMBRE NVARCHAR(30) COLLATE SQLSRV NOT NULL DEFAULT ('')"},
        RewriteCase{"AddNumberColumn", "alter table T add SALDO decimal(18, 2) null default ((0))", Kind::Plain,
                    "alter table T add COLUMN SALDO real decimal(18, 2) null default ((0))"},
        RewriteCase{"AddColumnWithoutDefault", "ALTER TABLE T ADD OBS TEXT", Kind::Plain,
                    "ALTER TABLE T ADD COLUMN OBS TEXT COLLATE SQLSRV"},
        RewriteCase{"AddColumnOwnCollationReplaced",
                    "ALTER TABLE T ADD [D] [varchar](5) COLLATE Modern_Spanish_CI_AS NULL", Kind::Plain,
                    "ALTER TABLE T ADD COLUMN [D] [varchar](5) COLLATE SQLSRV NULL"},
        RewriteCase{"AddColumnWithValues", "ALTER TABLE T ADD F INT NULL DEFAULT -1 WITH VALUES", Kind::Plain,
                    "ALTER TABLE T ADD COLUMN F INT NULL DEFAULT -1"},
        RewriteCase{"DropColumn", "ALTER TABLE dbo.T DROP COLUMN A", Kind::Plain, "ALTER TABLE T DROP COLUMN A"},
        RewriteCase{"CreateTable", "CREATE TABLE dbo.X (A INT NOT NULL, CONSTRAINT PK_X PRIMARY KEY CLUSTERED (A))",
                    Kind::Plain, "CREATE TABLE X (A INT NOT NULL, CONSTRAINT PK_X PRIMARY KEY (A))"},
        RewriteCase{"CreateIndex", "CREATE UNIQUE NONCLUSTERED INDEX IX_T ON dbo.T (A, B)", Kind::Plain,
                    "CREATE UNIQUE INDEX IX_T ON T (A, B)"},
        RewriteCase{"CreateView", "CREATE VIEW dbo.V_T AS SELECT ISNULL(A, 0) AS A, 'k' AS K FROM dbo.T", Kind::Plain,
                    "CREATE VIEW V_T AS SELECT IFNULL(A, 0) AS A, 'k' AS K FROM T"},
        RewriteCase{"DropTable", "DROP TABLE IF EXISTS dbo.T", Kind::Plain, "DROP TABLE IF EXISTS T"},
        RewriteCase{"DropIndexOfTable", "DROP INDEX T.IX_T", Kind::Plain, "DROP INDEX IX_T"},
        RewriteCase{"DropIndexOnTable", "DROP INDEX IX_T ON dbo.T", Kind::Plain, "DROP INDEX IX_T"}),
    caseName<RewriteCase>);

INSTANTIATE_TEST_SUITE_P(
    NothingToRun, TsqlRewrite,
    testing::Values(RewriteCase{"SetNocountOn", "SET NOCOUNT ON", Kind::NoOp, ""},
                    RewriteCase{"SetDateformat", "set dateformat dmy", Kind::DateFormat, ""},
                    RewriteCase{"SetIsolationLevel", "SET TRANSACTION ISOLATION LEVEL READ COMMITTED", Kind::NoOp, ""},
                    RewriteCase{"SetIdentityInsert", "SET IDENTITY_INSERT dbo.T ON", Kind::IdentityInsert, ""},
                    RewriteCase{"Grant", "GRANT SELECT, INSERT, UPDATE ON T TO public", Kind::NoOp, ""},
                    RewriteCase{"BeginTransaction", "BEGIN TRANSACTION", Kind::BeginTransaction, ""},
                    RewriteCase{"BeginTranNamed", "begin tran IMPORTE", Kind::BeginTransaction, ""},
                    RewriteCase{"Commit", "COMMIT", Kind::CommitTransaction, ""},
                    RewriteCase{"CommitTransactionNamed", "COMMIT TRANSACTION IMPORTE", Kind::CommitTransaction, ""},
                    RewriteCase{"CommitWork", "COMMIT WORK", Kind::CommitTransaction, ""},
                    RewriteCase{"RollbackTran", "ROLLBACK TRAN", Kind::RollbackTransaction, ""},
                    RewriteCase{"RollbackTransaction", "Rollback Transaction", Kind::RollbackTransaction, ""}),
    caseName<RewriteCase>);

// ---------------------------------------------------------------------------------------------------------
// Batches: where statements end.

struct Expected {
    Kind kind;
    std::string_view original;
};

struct SplitCase {
    const char* name;
    std::string_view batch;
    std::vector<Expected> statements;
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    printCase(c, os);
}

class TsqlSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(TsqlSplit, FindsEveryStatement)
{
    const SplitCase& c = GetParam();
    const auto statements = splitBatch(c.batch);
    ASSERT_EQ(statements.size(), c.statements.size()) << describe(statements);
    for (std::size_t i = 0; i < statements.size(); ++i) {
        EXPECT_EQ(statements[i].kind, c.statements[i].kind) << "statement " << i << describe(statements);
        EXPECT_EQ(statements[i].original, c.statements[i].original) << "statement " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Batches, TsqlSplit,
    testing::Values(
        SplitCase{"TransactionAndThreeInserts",
                  "BEGIN TRANSACTION \r\rINSERT INTO T (A) VALUES (1)\rINSERT INTO T (A) VALUES (2)\rINSERT INTO T (A) VALUES (3)\r",
                  {{Kind::BeginTransaction, "BEGIN TRANSACTION"},
                   {Kind::Plain, "INSERT INTO T (A) VALUES (1)"},
                   {Kind::Plain, "INSERT INTO T (A) VALUES (2)"},
                   {Kind::Plain, "INSERT INTO T (A) VALUES (3)"}}},
        SplitCase{"UpdateThenUpdate", "UPDATE T SET A = 1 WHERE B = 2\rUPDATE U\r\nSET C = 3",
                  {{Kind::Plain, "UPDATE T SET A = 1 WHERE B = 2"}, {Kind::Plain, "UPDATE U\r\nSET C = 3"}}},
        SplitCase{"UpdateHasOneSet", "UPDATE T SET A = 1\rSET @N = 2",
                  {{Kind::Plain, "UPDATE T SET A = 1"}, {Kind::Unsupported, "SET @N = 2"}}},
        SplitCase{"UpdateThenSessionOption", "UPDATE T SET A = 1 SET NOCOUNT OFF",
                  {{Kind::Plain, "UPDATE T SET A = 1"}, {Kind::NoOp, "SET NOCOUNT OFF"}}},
        SplitCase{"SeparatedByBlanksOnly", "SELECT 1 SELECT 2  DELETE T",
                  {{Kind::Plain, "SELECT 1"}, {Kind::Plain, "SELECT 2"}, {Kind::Plain, "DELETE T"}}},
        SplitCase{"SemicolonsAndEmptyStatements", ";SELECT 1;; SELECT 2 ;\r\n;",
                  {{Kind::Plain, "SELECT 1"}, {Kind::Plain, "SELECT 2"}}},
        SplitCase{"ElementHoldingSeveralLines", "DELETE T WHERE A = 1\r\nINSERT T VALUES (1)\r\nSELECT A FROM T\r",
                  {{Kind::Plain, "DELETE T WHERE A = 1"},
                   {Kind::Plain, "INSERT T VALUES (1)"},
                   {Kind::Plain, "SELECT A FROM T"}}},
        SplitCase{"LiteralsHideKeywordsAndBreaks",
                  "INSERT INTO T (A, B) VALUES ('line\r\nINSERT INTO X', 'O''Brien; SELECT')\rSELECT 'it''s' FROM T",
                  {{Kind::Plain, "INSERT INTO T (A, B) VALUES ('line\r\nINSERT INTO X', 'O''Brien; SELECT')"},
                   {Kind::Plain, "SELECT 'it''s' FROM T"}}},
        SplitCase{"IdentifiersHideKeywords", "SELECT [DELETE], \"UPDATE\" FROM [SET;]\rSELECT 2",
                  {{Kind::Plain, "SELECT [DELETE], \"UPDATE\" FROM [SET;]"}, {Kind::Plain, "SELECT 2"}}},
        SplitCase{"CommentsHideKeywords", "SELECT 1 -- DELETE T\r/* UPDATE /* nested */ T */ SELECT 2",
                  {{Kind::Plain, "SELECT 1"}, {Kind::Plain, "SELECT 2"}}},
        SplitCase{"InsertKeepsItsSelectButNotTheNext", "INSERT INTO T SELECT A FROM U\rSELECT * FROM T",
                  {{Kind::Plain, "INSERT INTO T SELECT A FROM U"}, {Kind::Plain, "SELECT * FROM T"}}},
        SplitCase{"InsertValuesThenSelect", "INSERT INTO T VALUES (1) SELECT 2",
                  {{Kind::Plain, "INSERT INTO T VALUES (1)"}, {Kind::Plain, "SELECT 2"}}},
        SplitCase{"UnionKeepsItsSelects", "SELECT A FROM T UNION SELECT A FROM U EXCEPT SELECT 1\rSELECT 2",
                  {{Kind::Plain, "SELECT A FROM T UNION SELECT A FROM U EXCEPT SELECT 1"}, {Kind::Plain, "SELECT 2"}}},
        SplitCase{"IfTakesOneStatement",
                  "if not exists (select 1 from T) insert T values (1) insert T values (2)",
                  {{Kind::Conditional, "if not exists (select 1 from T) insert T values (1)"},
                   {Kind::Plain, "insert T values (2)"}}},
        SplitCase{"IfElseKeptTogether",
                  "IF EXISTS (SELECT 1 FROM T) UPDATE T SET A = CASE WHEN B = 1 THEN 2 ELSE 3 END ELSE INSERT T VALUES (1)\rSELECT 2",
                  {{Kind::Unsupported,
                    "IF EXISTS (SELECT 1 FROM T) UPDATE T SET A = CASE WHEN B = 1 THEN 2 ELSE 3 END ELSE INSERT T VALUES (1)"},
                   {Kind::Plain, "SELECT 2"}}},
        SplitCase{"IfBlockKeptTogether",
                  "IF EXISTS (SELECT 1 FROM T) BEGIN DELETE T SELECT CASE WHEN 1 = 1 THEN 1 END END ELSE BEGIN SELECT 1 END\rSELECT 2",
                  {{Kind::Unsupported,
                    "IF EXISTS (SELECT 1 FROM T) BEGIN DELETE T SELECT CASE WHEN 1 = 1 THEN 1 END END ELSE BEGIN SELECT 1 END"},
                   {Kind::Plain, "SELECT 2"}}},
        SplitCase{"ForeignKeyActionsAreNotStatements",
                  "CREATE TABLE T (A INT REFERENCES U (A) ON DELETE CASCADE)\rALTER TABLE T ADD CONSTRAINT F FOREIGN KEY (A) REFERENCES U (A) ON UPDATE SET NULL\rSELECT 1",
                  {{Kind::Plain, "CREATE TABLE T (A INT REFERENCES U (A) ON DELETE CASCADE)"},
                   {Kind::Unsupported, "ALTER TABLE T ADD CONSTRAINT F FOREIGN KEY (A) REFERENCES U (A) ON UPDATE SET NULL"},
                   {Kind::Plain, "SELECT 1"}}},
        SplitCase{"MergeKeepsItsActions",
                  "MERGE T USING U ON T.A = U.A WHEN MATCHED THEN UPDATE SET B = U.B WHEN NOT MATCHED THEN INSERT (A) VALUES (U.A)\rDELETE T",
                  {{Kind::Unsupported,
                    "MERGE T USING U ON T.A = U.A WHEN MATCHED THEN UPDATE SET B = U.B WHEN NOT MATCHED THEN INSERT (A) VALUES (U.A)"},
                   {Kind::Plain, "DELETE T"}}},
        SplitCase{"GrantListsStatements", "GRANT SELECT, DELETE ON T TO public\rDELETE T",
                  {{Kind::NoOp, "GRANT SELECT, DELETE ON T TO public"}, {Kind::Plain, "DELETE T"}}},
        SplitCase{"ProcedureTakesTheRest", "CREATE PROCEDURE P AS BEGIN SET NOCOUNT ON; DELETE T; END\rSELECT 1",
                  {{Kind::Unsupported, "CREATE PROCEDURE P AS BEGIN SET NOCOUNT ON; DELETE T; END\rSELECT 1"}}},
        SplitCase{"ViewTakesTheRestUpToSemicolon", "CREATE VIEW V AS SELECT A FROM T UNION SELECT B FROM U;",
                  {{Kind::Plain, "CREATE VIEW V AS SELECT A FROM T UNION SELECT B FROM U"}}},
        SplitCase{"VariablesSplitIntoUnsupported", "DECLARE @N INT\rSET @N = 1\rSELECT 3",
                  {{Kind::Unsupported, "DECLARE @N INT"}, {Kind::Unsupported, "SET @N = 1"}, {Kind::Plain, "SELECT 3"}}},
        SplitCase{"CommonTableExpressionKeepsItsQuery", "WITH C AS (SELECT 1 AS A) SELECT * FROM C\rSELECT 2",
                  {{Kind::Unsupported, "WITH C AS (SELECT 1 AS A) SELECT * FROM C"}, {Kind::Plain, "SELECT 2"}}},
        SplitCase{"BlockKeptTogether", "BEGIN\rDELETE T\rEND\rCOMMIT TRAN",
                  {{Kind::Unsupported, "BEGIN\rDELETE T\rEND"}, {Kind::CommitTransaction, "COMMIT TRAN"}}},
        SplitCase{"OnlyBlanksAndComments", " \r\n\t-- nothing\r/* here */ ; ", {}}),
    caseName<SplitCase>);

// ---------------------------------------------------------------------------------------------------------
// What cannot be rewritten is reported, with the statement kept, and nothing to run.

struct UnsupportedCase {
    const char* name;
    std::string_view input;
    std::string_view original;  // empty: the whole input
    std::string_view reason;    // part of the error
};

void PrintTo(const UnsupportedCase& c, std::ostream* os)
{
    printCase(c, os);
}

class TsqlRefuse : public testing::TestWithParam<UnsupportedCase> {};

TEST_P(TsqlRefuse, ReportsWhatItCannotRewrite)
{
    const UnsupportedCase& c = GetParam();
    const auto statements = splitBatch(c.input);
    ASSERT_EQ(statements.size(), 1u) << describe(statements);
    const TsqlStatement& s = statements.front();
    EXPECT_EQ(s.kind, Kind::Unsupported) << describe(statements);
    EXPECT_EQ(s.original, c.original.empty() ? c.input : c.original);
    EXPECT_NE(s.error.find(c.reason), std::string::npos) << s.error;
    EXPECT_EQ(s.sql, "");
    EXPECT_EQ(s.condition, "");
}

INSTANTIATE_TEST_SUITE_P(
    Unsupported, TsqlRefuse,
    testing::Values(
        UnsupportedCase{"UnterminatedLiteral", "INSERT INTO T VALUES ('abc)\rSELECT 1", "", "unterminated string"},
        UnsupportedCase{"UnterminatedBracket", "SELECT [A FROM T", "", "unterminated [identifier]"},
        UnsupportedCase{"UnterminatedComment", "SELECT 1 /* open", "", "unterminated comment"},
        UnsupportedCase{"UnclosedParenthesis", "SELECT (1", "", "unbalanced parentheses"},
        UnsupportedCase{"StrayParenthesis", "SELECT 1)", "", "unbalanced parentheses"},
        UnsupportedCase{"Declare", "DECLARE @N INT", "", "DECLARE"},
        UnsupportedCase{"VariableInQuery", "SELECT A FROM T WHERE B = @B", "", "@B"},
        UnsupportedCase{"SetVariable", "SET @N = 1", "", "@N"},
        UnsupportedCase{"TemporaryTable", "SELECT * FROM #TMP", "", "#TMP"},
        UnsupportedCase{"UnknownStatement", "EXEC sp_who", "", "EXEC"},
        UnsupportedCase{"IfElse", "IF EXISTS (SELECT 1 FROM T) DELETE T ELSE DELETE U", "", "ELSE"},
        UnsupportedCase{"IfBlock", "IF NOT EXISTS (SELECT 1 FROM T) BEGIN DELETE T END", "", "BEGIN"},
        UnsupportedCase{"IfOnAComparison", "IF (SELECT COUNT(*) FROM T) > 0 DELETE T", "", "EXISTS"},
        UnsupportedCase{"IfExistsAnd", "IF EXISTS (SELECT 1 FROM T) AND 1 = 1 DELETE T", "", "EXISTS"},
        UnsupportedCase{"IfWithoutStatement", "IF EXISTS (SELECT 1 FROM T)", "", "statement"},
        UnsupportedCase{"IfGuardingUnsupported", "IF EXISTS (SELECT 1 FROM T) SELECT A INTO X FROM T", "", "INTO"},
        UnsupportedCase{"IfGuardingIf", "IF EXISTS (SELECT 1) IF EXISTS (SELECT 2) DELETE T", "", "IF"},
        UnsupportedCase{"TopPercent", "SELECT TOP 10 PERCENT A FROM T", "", "PERCENT"},
        UnsupportedCase{"TopWithTies", "SELECT TOP 3 WITH TIES A FROM T ORDER BY A", "", "WITH TIES"},
        UnsupportedCase{"TopOfAVariable", "SELECT TOP (@N) A FROM T", "", "TOP"},
        UnsupportedCase{"TopInUnion", "SELECT TOP 5 A FROM T UNION SELECT B FROM U", "", "UNION"},
        UnsupportedCase{"DeleteJoin", "DELETE T FROM T JOIN U ON T.A = U.A", "", "JOIN"},
        UnsupportedCase{"DeleteFromJoin", "DELETE FROM T FROM T JOIN U ON T.A = U.A", "", "JOIN"},
        UnsupportedCase{"DeleteTop", "DELETE TOP (1) FROM T", "", "TOP"},
        UnsupportedCase{"UpdateFrom", "UPDATE T SET A = U.A FROM T JOIN U ON T.K = U.K", "", "UPDATE ... FROM"},
        UnsupportedCase{"UpdateTop", "UPDATE TOP (1) T SET A = 1", "", "TOP"},
        UnsupportedCase{"SelectInto", "SELECT A INTO X FROM T", "", "SELECT ... INTO"},
        UnsupportedCase{"OutputClause", "DELETE FROM T OUTPUT DELETED.A WHERE A = 1", "", "OUTPUT"},
        UnsupportedCase{"CaseSensitiveCollation", "SELECT A FROM T WHERE A = 'x' COLLATE Latin1_General_CS_AS", "",
                        "Latin1_General_CS_AS"},
        UnsupportedCase{"BareBlock", "BEGIN DELETE T END", "", "BEGIN ... END"},
        UnsupportedCase{"MarkedTransaction", "BEGIN TRAN T1 WITH MARK 'm'", "", "WITH"},
        UnsupportedCase{"RowcountChangesResults", "SET ROWCOUNT 10", "", "ROWCOUNT"},
        UnsupportedCase{"UnknownOption", "SET FOO ON", "", "FOO"},
        UnsupportedCase{"TruncateTwoTables", "TRUNCATE TABLE A B", "", "TRUNCATE"},
        UnsupportedCase{"AddIdentityColumn", "ALTER TABLE T ADD ID INT IDENTITY(1,1)", "", "IDENTITY"},
        UnsupportedCase{"AddTwoColumns", "ALTER TABLE T ADD A INT, B INT", "", "several columns"},
        UnsupportedCase{"AddCheckConstraint", "ALTER TABLE T ADD A INT CONSTRAINT CK_A CHECK (A > 0)", "", "CONSTRAINT"},
        UnsupportedCase{"AddConstraint", "ALTER TABLE T ADD CONSTRAINT DF_A DEFAULT (0) FOR A", "", "CONSTRAINT"},
        UnsupportedCase{"AlterColumn", "ALTER TABLE T ALTER COLUMN A BIGINT", "", "ALTER COLUMN"},
        UnsupportedCase{"DropConstraint", "ALTER TABLE T DROP CONSTRAINT DF_A", "", "DROP CONSTRAINT"},
        UnsupportedCase{"AlterView", "ALTER VIEW V AS SELECT 1", "", "ALTER VIEW"},
        UnsupportedCase{"CreateTrigger", "CREATE TRIGGER TR ON T FOR INSERT AS UPDATE T SET A = 1", "", "TRIGGER"},
        UnsupportedCase{"CreateFunction", "CREATE FUNCTION F() RETURNS INT AS BEGIN RETURN 1 END", "", "FUNCTION"},
        UnsupportedCase{"CreateOrAlter", "CREATE OR ALTER PROCEDURE P AS SELECT 1", "", "PROCEDURE"},
        UnsupportedCase{"DropProcedure", "DROP PROCEDURE P", "", "PROCEDURE"},
        UnsupportedCase{"DropTwoTables", "DROP TABLE A, B", "", "several"},
        UnsupportedCase{"ConvertWithoutValue", "SELECT CONVERT(INT)", "", "CONVERT"},
        UnsupportedCase{"TrimmedOriginal", "  \r\n SELECT @X \r\n ", "SELECT @X", "@X"}),
    caseName<UnsupportedCase>);

// ---------------------------------------------------------------------------------------------------------
// Properties over whole batches.

// Whatever is cut off, every character that is not a blank or a separator ends up in some statement's
// original, in order: nothing is silently dropped, and nothing crashes or throws.
TEST(TsqlBatch, EveryPrefixOfABatchLosesNoText)
{
    const std::string batch =
        "BEGIN TRANSACTION \r\rIF NOT EXISTS (SELECT TOP 1 * FROM dbo.T WHERE A = N'O''Brien') INSERT T (A, B) "
        "(SELECT A, ISNULL(B, 0) FROM U GROUP BY A)\r\nUPDATE [T X] SET B = CONVERT(NVARCHAR(10), 'a\r\nb') WHERE \"C\" = 1;"
        "DELETE T WHERE A IN (SELECT A FROM U) ALTER TABLE T ADD C NVARCHAR(3) NULL CONSTRAINT DF_C DEFAULT ('')\r"
        "IF EXISTS (SELECT 1) UPDATE T SET A = 1 ELSE BEGIN SELECT CASE WHEN 1 = 1 THEN 'x' END END\rCOMMIT TRAN\r";
    for (std::size_t length = 0; length <= batch.size(); ++length) {
        const std::string_view prefix = std::string_view(batch).substr(0, length);
        std::vector<TsqlStatement> statements;
        ASSERT_NO_THROW(statements = splitBatch(prefix)) << length;
        std::size_t at = 0;
        for (const TsqlStatement& s : statements) {
            ASSERT_FALSE(s.original.empty()) << length;
            const std::size_t found = prefix.find(s.original, at);
            ASSERT_NE(found, std::string_view::npos) << "length " << length << describe(statements);
            for (char c : prefix.substr(at, found - at)) {
                ASSERT_TRUE(c == ' ' || c == '\r' || c == '\n' || c == ';') << "length " << length << describe(statements);
            }
            at = found + s.original.size();
            if (s.kind == Kind::Unsupported) {
                EXPECT_FALSE(s.error.empty());
            } else if (s.kind == Kind::Plain || s.kind == Kind::Conditional) {
                EXPECT_FALSE(s.sql.empty());
            }
        }
        for (char c : prefix.substr(at)) {
            ASSERT_TRUE(c == ' ' || c == '\r' || c == '\n' || c == ';') << "length " << length << describe(statements);
        }
    }
}

// An import sends one batch per record; a long one must still come back statement by statement.
TEST(TsqlBatch, LongBatchKeepsEveryStatement)
{
    constexpr int kRecords = 20000;
    std::string batch = "BEGIN TRANSACTION \r\r";
    for (int i = 0; i < kRecords; ++i) {
        batch += "INSERT INTO MOV (NUMERO, TEXTO) VALUES (" + std::to_string(i) + ", 'linea ''" + std::to_string(i) + "''')\r";
    }
    batch += "COMMIT TRANSACTION\r";
    const auto statements = splitBatch(batch);
    ASSERT_EQ(statements.size(), static_cast<std::size_t>(kRecords) + 2);
    EXPECT_EQ(statements.front().kind, Kind::BeginTransaction);
    EXPECT_EQ(statements.back().kind, Kind::CommitTransaction);
    EXPECT_EQ(statements[kRecords].sql, "INSERT INTO MOV (NUMERO, TEXTO) VALUES (?1, ?2 COLLATE SQLSRV)");
    EXPECT_EQ(values(statements[kRecords].parameters),
              (std::vector<std::string>{std::to_string(kRecords - 1), "linea '" + std::to_string(kRecords - 1) + "'"}));
}

// SQLite takes a limited number of parameters in one statement; literals past that stay in the text.
TEST(TsqlBatch, LiteralsPastTheParameterLimitStayInTheText)
{
    std::string list;
    for (int i = 1; i <= 1001; ++i) list += (i > 1 ? ", '" : "'") + std::to_string(i) + "'";
    const auto statements = splitBatch("SELECT A FROM T WHERE B IN (" + list + ")");
    ASSERT_EQ(statements.size(), 1u);
    const TsqlStatement& s = statements.front();
    EXPECT_EQ(s.parameters.size(), 999u);
    EXPECT_EQ(s.parameters.back().spelled(), "999");
    EXPECT_NE(s.sql.find("?999 COLLATE SQLSRV, '1000' COLLATE SQLSRV, '1001' COLLATE SQLSRV)"), std::string::npos) << s.sql;
}

}  // namespace
}  // namespace db::sqlite
