// Batches of 35-column INSERTs, as a voucher writes its stock movement rows: each batch of rows goes through
// EjecutaTransaccion (one text behind "BEGIN TRANSACTION", then COMMIT), against the same rows bound to one
// prepared SQLite statement, a transaction per batch, on an identical table in an identical database.
// Texts and numbers differ from row to row. Usage: bench_voucher_batches [batches] [rows per batch]

#include "bench/BenchSupport.h"
#include "core/BatchRunner.h"
#include "core/DB_Dll.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using bench::check;
using bench::fail;

// 35 columns: 12 texts, 6 whole numbers, 14 exact numbers, 3 dates.
struct Column {
    const char* name;
    const char* type;
    char kind;  // 't' text, 'i' whole, 'd' exact, 'f' date
};
constexpr Column kColumns[] = {
    {"TC", "char(4)", 't'},           {"IDCOMPROBANTE", "char(13)", 't'}, {"IDARTICULO", "char(25)", 't'},
    {"DESCRIPCION", "varchar(60)", 't'}, {"DEPOSITO", "char(4)", 't'},    {"PARTIDA", "char(25)", 't'},
    {"SERIE", "char(25)", 't'},       {"UNIDAD", "char(4)", 't'},         {"CUENTA", "varchar(15)", 't'},
    {"USUARIO", "varchar(30)", 't'},  {"OBSERVACIONES", "varchar(100)", 't'}, {"CODIGOBARRAS", "varchar(20)", 't'},
    {"RENGLON", "int", 'i'},          {"IDCOMPLEMENTO", "int", 'i'},      {"SIGNO", "int", 'i'},
    {"ANULADO", "int", 'i'},          {"IDPOSICION", "int", 'i'},         {"ORIGEN", "int", 'i'},
    {"CANTIDAD", "decimal(18,4)", 'd'}, {"CANTIDAD2", "decimal(18,4)", 'd'}, {"EQUIVALENCIA", "decimal(18,4)", 'd'},
    {"PRECIO", "money", 'd'},         {"COSTO", "money", 'd'},            {"IMPORTE", "money", 'd'},
    {"DTO1", "decimal(18,4)", 'd'},   {"DTO2", "decimal(18,4)", 'd'},     {"ALICIVA", "decimal(18,4)", 'd'},
    {"IMPORTEIVA", "money", 'd'},     {"COTIZACION", "decimal(18,4)", 'd'}, {"PESO", "decimal(18,4)", 'd'},
    {"VOLUMEN", "decimal(18,4)", 'd'}, {"SALDO", "money", 'd'},          {"FECHA", "datetime", 'f'},
    {"FECHAVENCIMIENTO", "datetime", 'f'}, {"FECHAHORA_GRABACION", "datetime", 'f'},
};
constexpr std::size_t kColumnCount = sizeof kColumns / sizeof kColumns[0];
static_assert(kColumnCount == 35);

// The date of row `r` as the database keeps it.
std::string storedDate(long r) { return fmt::format("2024-{:02}-{:02} 10:{:02}:00", r % 12 + 1, r % 28 + 1, r % 60); }

// The value of column `c` in row `r`, as the program spells it in a statement (texts quoted, dates as the
// connection's date literal).
std::string literal(std::size_t c, long r)
{
    switch (kColumns[c].kind) {
    case 't': {
        // Apostrophes and Spanish letters in most texts, cut to the column's width.
        const std::string value = fmt::format("{}{}", c % 3 == 0 ? "A" : "Ñ'", (r * 7919 + static_cast<long>(c)) % 100000);
        const int width = std::atoi(std::strchr(kColumns[c].type, '(') + 1);
        std::string quoted = "'";
        int characters = 0;
        for (std::size_t i = 0; i < value.size() && characters < width; ++i) {
            quoted += value[i];
            if (value[i] == '\'') quoted += '\'';
            if ((static_cast<unsigned char>(value[i]) & 0xC0) != 0x80) ++characters;
            while (i + 1 < value.size() && (static_cast<unsigned char>(value[i + 1]) & 0xC0) == 0x80) quoted += value[++i];
        }
        return quoted + "'";
    }
    case 'i': return std::to_string((r + static_cast<long>(c)) % 1000);
    case 'd': return fmt::format("{}.{:02}", (r * 31 + static_cast<long>(c)) % 10000, r % 100);
    default: return fmt::format("'2024{:02}{:02} 10:{:02}:00'", r % 12 + 1, r % 28 + 1, r % 60);
    }
}

// gDB_Dll logged in to a new database `name` holding the movements table.
void logIn(const std::filesystem::path& folder, const std::string& name)
{
    bench::logIn(folder, name);
    std::string columns;
    for (const Column& column : kColumns) columns += fmt::format("{}{} {}", columns.empty() ? "" : ", ", column.name, column.type);
    gDB_Dll().gCnn.execute(fmt::format("CREATE TABLE MV_MOVIMIENTOS_PRUEBA ({})", columns));
}

std::string insertText(long r)
{
    std::string names, values;
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        names += fmt::format("{}{}", c ? ", " : "", kColumns[c].name);
        values += (c ? ", " : "") + literal(c, r);
    }
    return fmt::format("INSERT INTO MV_MOVIMIENTOS_PRUEBA ({}) VALUES ({})", names, values);
}

double throughEjecutaTransaccion(const std::filesystem::path& folder, long batches, long rows)
{
    logIn(folder, "LOTES");
    std::vector<ListaSentencias> all(static_cast<std::size_t>(batches));
    for (long b = 0; b < batches; ++b)
        for (long r = 0; r < rows; ++r) all[static_cast<std::size_t>(b)].push_back(insertText(b * rows + r));
    const auto start = bench::Clock::now();
    for (const ListaSentencias& sentencias : all) {
        bool hayError = false;
        long codigo = 0;
        std::string lote, texto;
        EjecutaTransaccion(sentencias, hayError, codigo, false, false, lote, texto);
        if (hayError) fail(fmt::format("the batch failed: {} {}", codigo, texto));
    }
    return bench::since(start);
}

double rawPrepared(const std::filesystem::path& folder, long batches, long rows)
{
    logIn(folder, "CRUDO");  // the same table, schema and settings
    sqlite3* db = bench::openRaw(folder / "CRUDO.sqlite");
    std::string names, marks;
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        names += fmt::format("{}{}", c ? ", " : "", kColumns[c].name);
        marks += c ? ", ?" : "?";
    }
    sqlite3_stmt *insert = nullptr, *begin = nullptr, *commit = nullptr;
    check(sqlite3_prepare_v2(db, fmt::format("INSERT INTO MV_MOVIMIENTOS_PRUEBA ({}) VALUES ({})", names, marks).c_str(),
                             -1, &insert, nullptr),
          db);
    check(sqlite3_prepare_v2(db, "BEGIN", -1, &begin, nullptr), db);
    check(sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr), db);
    // The values as they would be bound, made before the clock starts.
    struct Bound {
        std::vector<std::string> texts;
        std::vector<double> numbers;
    };
    std::vector<Bound> values(static_cast<std::size_t>(batches * rows));
    for (long r = 0; r < batches * rows; ++r) {
        Bound& row = values[static_cast<std::size_t>(r)];
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            std::string text = literal(c, r);
            if (kColumns[c].kind == 'f') {
                row.texts.push_back(storedDate(r));
                row.numbers.push_back(0);
            } else if (text.front() == '\'') {
                std::string unquoted;
                int characters = 0;
                for (std::size_t i = 1; i + 1 < text.size(); ++i) {
                    unquoted += text[i];
                    characters += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
                    if (text[i] == '\'') ++i;
                }
                // A char(n) column keeps its values padded with blanks to n, as the database stores them.
                if (std::strncmp(kColumns[c].type, "char(", 5) == 0) {
                    const int width = std::atoi(kColumns[c].type + 5);
                    if (characters < width) unquoted.append(static_cast<std::size_t>(width - characters), ' ');
                }
                row.texts.push_back(unquoted);
                row.numbers.push_back(0);
            } else {
                row.texts.emplace_back();
                row.numbers.push_back(std::strtod(text.c_str(), nullptr));
            }
        }
    }
    const auto start = bench::Clock::now();
    for (long b = 0; b < batches; ++b) {
        check(sqlite3_step(begin), db);
        sqlite3_reset(begin);
        for (long r = 0; r < rows; ++r) {
            const Bound& row = values[static_cast<std::size_t>(b * rows + r)];
            for (std::size_t c = 0; c < kColumnCount; ++c) {
                const int index = static_cast<int>(c) + 1;
                if (kColumns[c].kind == 't' || kColumns[c].kind == 'f')
                    sqlite3_bind_text(insert, index, row.texts[c].data(), static_cast<int>(row.texts[c].size()),
                                      SQLITE_TRANSIENT);
                else if (kColumns[c].kind == 'i')
                    sqlite3_bind_int64(insert, index, static_cast<sqlite3_int64>(row.numbers[c]));
                else
                    sqlite3_bind_double(insert, index, row.numbers[c]);
            }
            check(sqlite3_step(insert), db);
            sqlite3_reset(insert);
        }
        check(sqlite3_step(commit), db);
        sqlite3_reset(commit);
    }
    const double seconds = bench::since(start);
    sqlite3_finalize(insert);
    sqlite3_finalize(begin);
    sqlite3_finalize(commit);
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long batches = argc > 1 ? std::atol(argv[1]) : 100;
    const long rows = argc > 2 ? std::atol(argv[2]) : 300;
    if (batches <= 0 || rows <= 0) fail("usage: bench_voucher_batches [batches] [rows per batch]");
    const bench::Scratch scratch;  // no box is expected: any box ends the benchmark
    const std::filesystem::path& folder = scratch.folder();

    const double raw = rawPrepared(folder, batches, rows);
    double layer = 0;
    try {
        layer = throughEjecutaTransaccion(folder, batches, rows);
    } catch (const std::exception& error) {
        fail(std::string("EjecutaTransaccion: ") + error.what());
    }
    gDB_Dll().gCnn.close();
    std::printf("batches: %ld of %ld INSERTs of %zu columns, a transaction each\n", batches, rows, kColumnCount);
    std::printf("raw prepared sqlite3:  %10.0f rows/s\n", static_cast<double>(batches * rows) / raw);
    std::printf("EjecutaTransaccion:    %10.0f rows/s\n", static_cast<double>(batches * rows) / layer);
    std::printf("layer / raw time:      %10.2fx\n", layer / raw);
    return 0;
}
