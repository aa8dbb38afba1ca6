// Voucher numbering as the voucher writers use it, against raw prepared SQLite doing the same reads and
// writes on an identical database, in one run:
//   - vouchers numbered on one booklet: per voucher the proposal (Obtener_Nro_Comprobante), the generated
//     recording (GrabaNumeroComprobante: booklet advance and used-number row) and its batch through
//     EjecutaTransaccion; raw: the same four booklet reads, then UPDATE and INSERT in one transaction;
//   - entry numbers: ObtieneNroAsiento over entry lines spread over 12 months, against the same MAX read
//     prepared once.
// Usage: bench_voucher_numbering [vouchers] [entry lines] (default 10000 and 100000)

#include "bench/BenchSupport.h"
#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "numbering/EntryChecks.h"
#include "numbering/NumberingBooklets.h"
#include "platform/base/Text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>

namespace {

using bench::Clock;
using bench::check;
using bench::fail;
using bench::since;
constexpr int kLookups = 5000;  // entry numbers asked for

std::filesystem::path folder;  // the scratch folder, where the databases are made

// gDB_Dll logged in to the embedded database `name`, made when it is new.
void logIn(const std::string& name) { bench::logIn(folder, name); }

// A new database with one booklet for "IR".
void logInWithBooklet(const std::string& name)
{
    logIn(name);
    DB_Dll& erp = gDB_Dll();
    std::string booklet = "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, UNEGOCIO, LETRAS, SISTEMA, X_SUC_DEFAULT, "
                          "X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) VALUES ('  IR', 1, '   1', 'X', 'STOCK', 1, 1, "
                          "99999999, 0)";
    erp.EjecutaConsultaSQL(booklet);
    if (!erp.gCnn.errors().empty()) fail("cannot write the booklet");
}

sqlite3* openRaw(const std::string& name) { return bench::openRaw(folder / (name + ".sqlite")); }

sqlite3_stmt* prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), db);
    return statement;
}

// Steps a statement to its end and resets it; the number of rows it gave.
int run(sqlite3* db, sqlite3_stmt* statement)
{
    int rows = 0, code = 0;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) ++rows;
    check(code, db);
    sqlite3_reset(statement);
    return rows;
}

double throughNumbering(long vouchers)
{
    logInWithBooklet("NUMERACION");
    const auto start = Clock::now();
    for (long i = 0; i < vouchers; ++i) {
        std::string suc, nro, letra = "X", text;
        bool modifica = false, failed = false;
        if (!Obtener_Nro_Comprobante("IR", suc, nro, letra, modifica, true, "", "   1"))
            fail("no number proposed for voucher " + std::to_string(i));
        const std::string following = " " + std::to_string(std::stol(nro) + 1);
        if (!GrabaNumeroComprobante("IR", "STOCK", suc, following, letra, true, text, true))
            fail("number " + nro + " not recorded");
        long code = 0;
        std::string batch, error;
        EjecutaTransaccion({text}, failed, code, false, false, batch, error);
        if (failed) fail("the batch of number " + nro + " failed: " + error);
    }
    const double seconds = since(start);
    if (bench::countRows("V_MV_CTROL_CPTE") != vouchers) fail("the used numbers were not all recorded");
    return seconds;
}

double rawNumbering(long vouchers)
{
    logInWithBooklet("CRUDO");
    sqlite3* db = openRaw("CRUDO");
    sqlite3_stmt* walk = prepare(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? AND UNEGOCIO = ? ORDER BY TALONARIO");
    sqlite3_stmt* byBranch = prepare(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? AND X_SUC_DEFAULT = ? ORDER BY TALONARIO");
    sqlite3_stmt* byBooklet = prepare(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? AND TALONARIO = ?");
    sqlite3_stmt* next = prepare(db, "SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = ? AND TALONARIO = ?");
    sqlite3_stmt* begin = prepare(db, "BEGIN");
    sqlite3_stmt* advance = prepare(db, "UPDATE V_TA_CPTE SET X_ULTIMO_NRO = ? WHERE CODIGO = ? AND TALONARIO = ? AND "
                                        "(X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < ?)");
    sqlite3_stmt* control = prepare(db, "INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES (?, ?, ?, ?)");
    sqlite3_stmt* commit = prepare(db, "COMMIT");
    for (sqlite3_stmt* s : {walk, byBranch, byBooklet, next, advance, control})
        sqlite3_bind_text(s, s == advance ? 2 : 1, "  IR", -1, SQLITE_STATIC);
    sqlite3_bind_text(walk, 2, "   1", -1, SQLITE_STATIC);
    sqlite3_bind_int(byBranch, 2, 1);
    for (sqlite3_stmt* s : {byBooklet, next}) sqlite3_bind_int(s, 2, 1);
    sqlite3_bind_int(advance, 3, 1);

    const auto start = Clock::now();
    for (long i = 0; i < vouchers; ++i) {
        run(db, walk);
        check(sqlite3_step(next), db);
        const long used = std::max(1L, static_cast<long>(sqlite3_column_int64(next, 0)));
        sqlite3_reset(next);
        run(db, byBranch);
        run(db, byBooklet);
        run(db, byBooklet);
        run(db, begin);
        sqlite3_bind_int64(advance, 1, used + 1);
        sqlite3_bind_int64(advance, 4, used + 1);
        run(db, advance);
        const std::string numero = fmt::format("{:08}", used);
        sqlite3_bind_text(control, 2, "0001", -1, SQLITE_STATIC);
        sqlite3_bind_text(control, 3, numero.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(control, 4, "X", -1, SQLITE_STATIC);
        run(db, control);
        run(db, commit);
    }
    const double seconds = since(start);
    for (sqlite3_stmt* s : {walk, byBranch, byBooklet, next, begin, advance, control, commit}) sqlite3_finalize(s);
    sqlite3_close(db);
    return seconds;
}

// Entry lines spread over 12 months, two periods and three registration types (one of them blank), numbered
// within each series; written once, before any clock starts.
void writeEntryLines(const std::string& name, long lines)
{
    logIn(name);
    sqlite3* db = openRaw(name);
    sqlite3_stmt* insert = prepare(db, "INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, MES_OPERATIVO, "
                                       "[NUMERO ASIENTO], TIPO_REG, PERIODO) VALUES ('  IR', '0001', ?, 'X', "
                                       "'5110101', ?, ?, ?, ?)");
    static const char* const kTypes[] = {"  01", "  02", "    "};
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    for (long i = 0; i < lines; ++i) {
        const std::string numero = fmt::format("{:08}", i + 1);
        sqlite3_bind_text(insert, 1, numero.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 2, static_cast<int>(i % 12) + 1);
        sqlite3_bind_int64(insert, 3, i / 72 + 1);
        sqlite3_bind_text(insert, 4, kTypes[(i / 12) % 3], -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, 5, static_cast<int>((i / 36) % 2));
        run(db, insert);
    }
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_finalize(insert);
    sqlite3_close(db);
}

double throughEntryNumbers(long lines)
{
    writeEntryLines("ASIENTOS", lines);
    logIn("ASIENTOS");
    static const char* const kTypes[] = {"01", "02", ""};
    const auto start = Clock::now();
    for (int i = 0; i < kLookups; ++i) {
        if (ObtieneNroAsiento(i % 12 + 1, (i / 12) % 2, kTypes[i % 3]) < 1) fail("no entry number");
    }
    return since(start);
}

double rawEntryNumbers(long lines)
{
    writeEntryLines("ASIENTOSCRUDO", lines);
    sqlite3* db = openRaw("ASIENTOSCRUDO");
    sqlite3_stmt* typed = prepare(db, "SELECT MAX([NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE MES_OPERATIVO = ? AND "
                                      "RTRIM(LTRIM(TIPO_REG)) = ? AND PERIODO = ?");
    sqlite3_stmt* blank = prepare(db, "SELECT MAX([NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE MES_OPERATIVO = ? AND "
                                      "(RTRIM(LTRIM(TIPO_REG)) = ? OR RTRIM(LTRIM(TIPO_REG)) = '') AND "
                                      "PERIODO = ?");
    static const char* const kTypes[] = {"01", "02", ""};
    const std::string reserved = base::characterOfCode(255) + "RS";
    const auto start = Clock::now();
    for (int i = 0; i < kLookups; ++i) {
        sqlite3_stmt* s = *kTypes[i % 3] ? typed : blank;
        sqlite3_bind_int(s, 1, i % 12 + 1);
        sqlite3_bind_text(s, 2, *kTypes[i % 3] ? kTypes[i % 3] : reserved.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(s, 3, (i / 12) % 2);
        run(db, s);
    }
    const double seconds = since(start);
    sqlite3_finalize(typed);
    sqlite3_finalize(blank);
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long vouchers = argc > 1 ? std::atol(argv[1]) : 10000;
    const long lines = argc > 2 ? std::atol(argv[2]) : 100000;
    if (vouchers <= 0 || lines <= 0) fail("usage: bench_voucher_numbering [vouchers] [entry lines]");

    const bench::Scratch scratch;
    folder = scratch.folder();

    double numbering = 0, entries = 0;
    try {
        numbering = throughNumbering(vouchers);
        entries = throughEntryNumbers(lines);
    } catch (const std::exception& error) {
        fail(error.what());
    }
    const double rawVouchers = rawNumbering(vouchers);
    const double rawEntries = rawEntryNumbers(lines);

    std::printf("vouchers on one booklet: %ld\n", vouchers);
    std::printf("proposal + recording + batch:     %10.0f vouchers/s\n", vouchers / numbering);
    std::printf("raw prepared sqlite3, same work:  %10.0f vouchers/s\n", vouchers / rawVouchers);
    std::printf("numbering / raw time:             %10.2fx\n", numbering / rawVouchers);
    std::printf("entry lines: %ld in 12 months; entry numbers asked: %d\n", lines, kLookups);
    std::printf("ObtieneNroAsiento:                %10.0f numbers/s\n", kLookups / entries);
    std::printf("raw prepared sqlite3 MAX read:    %10.0f numbers/s\n", kLookups / rawEntries);
    std::printf("ObtieneNroAsiento / raw time:     %10.2fx\n", entries / rawEntries);
    return 0;
}
