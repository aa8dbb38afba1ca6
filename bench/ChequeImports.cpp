// Generated legacy cheques through the cheque imports, as the operator runs them: "Iniciar/Importar" with
// "Cheques en Cartera", then the button that loads the opening cheque balance file d:\libro5.txt, the window
// shown (offscreen when there is no display) with the Qt event pump, and again without a window. The database
// is prepared before the clock starts with the demo data (the "CC" and "SI" booklets, the "CC" sub-journal).
//
// The cheques are one transaction: the DELETE of the earlier run's cheques, then per cheque the booklet's
// proposal, the checks that the number is free (no entry holds it, its control row removed), the entry
// number, the booklet read again to validate and to advance it, the calendar day and the bank, then the two
// lines, the booklet's advance and the used number. The file (its cheques and the closing line that balances
// them) is one transaction too: the DELETE, the entry number once, one line per file line, the booklet's
// advance. Against raw prepared SQLite in the same run, into identical databases:
//   (a) the same units of work: the legacy cheques read through the DBF reader and the file read and split
//       into fields, the same reads and writes in the same transactions (the target: the imports within 2x
//       of it);
//   (b) the ideal: the final rows alone, no reads, one transaction each, printed for information.
// Each is timed in CPU seconds, the faster of two runs.
// Usage: bench_cheque_imports [records] (default 100000 cheques and as many file lines; the legacy folder and
// the file are generated first).

#include "bench/BenchSupport.h"
#include "bench/ImportRuns.h"
#include "bench/LegacyReads.h"
#include "core/DB_Dll.h"
#include "importer/Importar.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using bench::countRows;
using bench::fail;
constexpr std::size_t kCheques = 13;

struct Seconds {
    double cheques = 0, file = 0;
};

Seconds faster(const Seconds& a, const Seconds& b) { return {std::min(a.cheques, b.cheques), std::min(a.file, b.file)}; }

void expectFinished(const Importar& window, const std::string& what)
{
    if (!window.LblDetalle.caption.ends_with(" ---> FINALIZADO"))
        fail(what + " did not finish: " + window.LblDetalle.caption + " / " + window.lblTabla.caption);
}

void expectRows(const std::string& table, long expected)
{
    const long written = countRows(table);
    if (written != expected) fail(fmt::format("{}: {} rows, {} expected", table, written, expected));
}

Seconds importCheques(Importar& window, const std::filesystem::path& legacy, long records)
{
    bench::loadDemoData();
    window.TxtPathDatos.text = legacy.string();
    Seconds seconds;
    seconds.cheques = bench::runEntry(window, kCheques);
    expectFinished(window, "Cheques en Cartera");
    expectRows("MV_ASIENTOS WHERE TC = '  CC'", 2 * records);
    const bench::CpuClock clock;
    window.Command3_Click();
    seconds.file = clock.seconds();
    expectFinished(window, "Saldo inicial de cheques");
    expectRows("MV_ASIENTOS WHERE TC = '  SI'", records + 1);
    return seconds;
}

// What the window's run wrote, read before any clock starts: per import its lines in the order written, the
// number each voucher advanced its booklet to and the control number it recorded; for the ideal also the
// calendar days and banks the cheques added.
struct Written {
    bench::CopiedRows lines, next, controls;
};

struct FinalRows {
    Written cheques, file;
    bench::CopiedRows days, banks;
    // The constants the reads are bound with: the types' codes, the business unit and the booklet.
    bench::CopiedRows constants;
};

void readWritten(sqlite3* db, const std::string& tc, Written& written)
{
    bench::readRows(db, fmt::format("SELECT * FROM source.MV_ASIENTOS WHERE TC = '{}' ORDER BY ID", tc), written.lines, 1);
    bench::readRows(db,
                    fmt::format("SELECT DISTINCT CAST(NUMERO AS INTEGER) + 1 FROM source.MV_ASIENTOS WHERE TC = '{}' ORDER BY 1", tc),
                    written.next);
    bench::readRows(db, fmt::format("SELECT * FROM source.V_MV_CTROL_CPTE WHERE TC = '{}' ORDER BY NUMERO", tc),
                    written.controls);
}

void readFinalRows(sqlite3* db, FinalRows& rows)
{
    readWritten(db, "  CC", rows.cheques);
    readWritten(db, "  SI", rows.file);
    bench::readRows(db, "SELECT * FROM source.MA_CALENDARIO WHERE FECHA NOT IN (SELECT FECHA FROM main.MA_CALENDARIO)",
                    rows.days);
    bench::readRows(db, "SELECT * FROM source.V_TA_BANCOS WHERE IDBANCO NOT IN (SELECT IDBANCO FROM main.V_TA_BANCOS)",
                    rows.banks);
    bench::readRows(db, "SELECT '  CC', '  SI', '   1', 1", rows.constants);
    if (rows.cheques.next.values.size() != rows.cheques.lines.values.size() / 2 || rows.file.next.values.size() != 1)
        fail("the window's run did not number one voucher per cheque and one for the file");
}

// The statements both imports send, prepared once.
struct Statements {
    explicit Statements(sqlite3* db, const bench::CopiedRows& lines)
        : begin(db, "BEGIN IMMEDIATE"), commit(db, "COMMIT"),
          removeEarlier(db, "DELETE FROM MV_ASIENTOS WHERE TC = ? AND TRANSMISION = 1"),
          booklets(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? AND UNEGOCIO = ? ORDER BY TALONARIO"),
          voucherThere(db, "SELECT * FROM MV_ASIENTOS WHERE TC = ? AND SUCURSAL = ? AND NUMERO = ? AND LETRA = ?"),
          freeNumber(db, "DELETE FROM V_MV_CTROL_CPTE WHERE TC = ? AND SUCURSAL = ? AND NUMERO = ? AND LETRA = ?"),
          entryNumber(db, "SELECT MAX([NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE MES_OPERATIVO = ? AND TIPO_REG = ? AND "
                          "PERIODO = ?"),
          bookletsOfBranch(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? AND X_SUC_DEFAULT = ? ORDER BY TALONARIO"),
          booklet(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? AND TALONARIO = ?"),
          dayThere(db, "SELECT FECHA FROM MA_CALENDARIO WHERE FECHA = ?"),
          day(db, "INSERT INTO MA_CALENDARIO (FECHA, NOLABORABLE) VALUES (?, 0)"),
          bankThere(db, "SELECT IDBANCO FROM V_TA_BANCOS WHERE IDBANCO = ?"),
          bank(db, "INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION) VALUES (?, 'Alta automatica')"),
          line(db, lines.insertInto("MV_ASIENTOS")),
          advance(db, "UPDATE V_TA_CPTE SET X_ULTIMO_NRO = ? WHERE CODIGO = ? AND TALONARIO = ? AND (X_ULTIMO_NRO IS "
                      "NULL OR X_ULTIMO_NRO < ?)"),
          control(db, "INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) VALUES (?, ?, ?, ?)")
    {
    }
    bench::Statement begin, commit, removeEarlier, booklets, voucherThere, freeNumber, entryNumber, bookletsOfBranch,
        booklet, dayThere, day, bankThere, bank, line, advance, control;
};

// The columns of the lines the reads are bound with.
struct LineColumns {
    explicit LineColumns(const bench::CopiedRows& l)
        : tc(l.column("TC")), sucursal(l.column("SUCURSAL")), numero(l.column("NUMERO")), letra(l.column("LETRA")),
          mes(l.column("MES_OPERATIVO")), tipoReg(l.column("TIPO_REG")), periodo(l.column("PERIODO")),
          vencimiento(l.column("VENCIMIENTO")), banco(l.column("IDBANCO"))
    {
    }
    std::size_t tc, sucursal, numero, letra, mes, tipoReg, periodo, vencimiento, banco;
};

// The cheques' transaction: with `units` the legacy table's records read through the DBF reader from
// `legacy`, the import's reads and per-cheque writes, else the final rows alone.
double writeCheques(sqlite3* db, const FinalRows& rows, const std::filesystem::path& legacy, bool units)
{
    const Written& w = rows.cheques;
    Statements s(db, w.lines);
    const LineColumns c(w.lines);
    const auto& k = rows.constants.values.front();
    sqlite3_value *cc = k[0], *unit = k[2], *one = k[3];
    const bench::CpuClock clock;
    std::optional<bench::DbfRows> source;
    if (units) source.emplace(legacy, "CHEQUES");
    s.begin.run();
    if (units) {
        s.removeEarlier.run({cc});
        for (std::size_t cheque = 0; cheque < w.next.values.size(); ++cheque) {
            if (!source->next()) fail("CHEQUES holds fewer cheques than the import wrote");
            const auto& first = w.lines.values[2 * cheque];
            const std::vector<sqlite3_value*> key{first[c.tc], first[c.sucursal], first[c.numero], first[c.letra]};
            sqlite3_value* next = w.next.values[cheque][0];
            s.booklets.run({cc, unit});
            s.voucherThere.run(key);
            s.freeNumber.run(key);
            s.entryNumber.run({first[c.mes], first[c.tipoReg], first[c.periodo]});
            s.bookletsOfBranch.run({cc, one});
            s.booklet.run({cc, one});
            s.booklet.run({cc, one});
            if (!s.dayThere.run({first[c.vencimiento]})) s.day.run({first[c.vencimiento]});
            if (!s.bankThere.run({first[c.banco]})) s.bank.run({first[c.banco]});
            s.line.run(first);
            s.line.run(w.lines.values[2 * cheque + 1]);
            s.advance.run({next, cc, one, next});
            s.control.run(key);
        }
        source->rest();
    } else {
        bench::Statement day(db, rows.days.insertInto("MA_CALENDARIO")), bank(db, rows.banks.insertInto("V_TA_BANCOS"));
        for (const auto& values : rows.days.values) day.run(values);
        for (const auto& values : rows.banks.values) bank.run(values);
        for (const auto& values : w.lines.values) s.line.run(values);
        for (const auto& values : w.controls.values) s.control.run(values);
        sqlite3_value* last = w.next.values.back()[0];
        s.advance.run({last, cc, one, last});
    }
    s.commit.run();
    return clock.seconds();
}

// The file's transaction: with `units` the file `file` read and split into its lines' fields and the
// import's reads (the voucher's number before it, the entry number before the first line, the booklet's at
// the end), else the final rows alone.
double writeFile(sqlite3* db, const FinalRows& rows, const std::filesystem::path& file, bool units)
{
    const Written& w = rows.file;
    Statements s(db, w.lines);
    const LineColumns c(w.lines);
    const auto& k = rows.constants.values.front();
    sqlite3_value *si = k[1], *unit = k[2], *one = k[3];
    const auto& first = w.lines.values.front();
    const std::vector<sqlite3_value*> key{first[c.tc], first[c.sucursal], first[c.numero], first[c.letra]};
    sqlite3_value* next = w.next.values.front()[0];
    const bench::CpuClock clock;
    if (units) {
        const bench::TextFields read(file);
        if (read.lines.size() + 1 < w.lines.values.size()) fail("the file holds fewer lines than the import wrote");
        s.booklets.run({si, unit});
        s.voucherThere.run(key);
    }
    s.begin.run();
    if (units) {
        s.removeEarlier.run({si});
        s.entryNumber.run({first[c.mes], first[c.tipoReg], first[c.periodo]});
    }
    for (const auto& values : w.lines.values) s.line.run(values);
    if (units) {
        s.bookletsOfBranch.run({si, one});
        s.booklet.run({si, one});
        s.booklet.run({si, one});
    }
    s.advance.run({next, si, one, next});
    s.control.run(key);
    s.commit.run();
    return clock.seconds();
}

// Where the legacy cheques and the cheque file are.
struct Sources {
    std::filesystem::path legacy, file;
};

// The window's final rows written into the new database `target` in `folder`, made as the imports' were.
Seconds rawPrepared(const std::filesystem::path& folder, const Sources& sources, const std::string& source,
                    const std::string& target, bool units)
{
    bench::logIn(folder, target);
    bench::loadDemoData();
    sqlite3* db = bench::openRaw(folder / (target + ".sqlite"));
    bench::attachSource(db, folder / (source + ".sqlite"));
    FinalRows rows;
    readFinalRows(db, rows);
    bench::detachSource(db);
    Seconds seconds;
    seconds.cheques = writeCheques(db, rows, sources.legacy, units);
    seconds.file = writeFile(db, rows, sources.file, units);
    const std::size_t expected = rows.cheques.lines.values.size() + rows.file.lines.values.size();
    bench::CopiedRows written;
    bench::readRows(db, "SELECT COUNT(*) FROM MV_ASIENTOS", written);
    if (static_cast<std::size_t>(sqlite3_value_int64(written.values.front().front())) != expected)
        fail(fmt::format("{}: the lines written are not the window's {}", target, expected));
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const bench::ImportBench bench(argc, argv, "bench_cheque_imports [records]");
    const long records = bench.records();
    const std::filesystem::path drives = bench.folder() / "drives";
    setenv("MIGRA_DRIVES", drives.c_str(), 1);
    bench.generate({"--cheques", std::to_string(records), "--cheque-file", (drives / "d").string()},
                   fmt::format("{} cheques and a file of {} lines", records, records));

    const auto [shown, hidden] = bench::withAndWithoutWindow(
        bench.folder(), [&](Importar& window) { return importCheques(window, bench.legacy(), records); });
    const Sources sources{bench.legacy(), drives / "d" / "libro5.txt"};
    const auto raw = [&](bool units) {
        return bench::fasterOfTwo(units ? "CRUDO" : "IDEAL", [&](const std::string& target) {
            return rawPrepared(bench.folder(), sources, "VENTANA", target, units);
        });
    };
    const Seconds same = raw(true), ideal = raw(false);

    std::printf("records: %ld cheques, %ld file lines\n", records, records);
    std::printf("                                          cheques/s  file lines/s\n");
    for (const auto& [what, s] : {std::pair<const char*, const Seconds&>{"imports, window shown:                ", shown},
                                  std::pair<const char*, const Seconds&>{"imports, no window:                   ", hidden},
                                  std::pair<const char*, const Seconds&>{"raw prepared, same units of work (a): ", same},
                                  std::pair<const char*, const Seconds&>{"raw prepared, ideal (b):              ", ideal}})
        std::printf("%s  %9.0f  %12.0f\n", what, records / s.cheques, records / s.file);
    bench::printRatio("cheques", shown.cheques, hidden.cheques, same.cheques);
    bench::printRatio("file", shown.file, hidden.file, same.file);
    bench::printRatio("final rows only, cheques", shown.cheques, hidden.cheques, ideal.cheques);
    bench::printRatio("final rows only, file", shown.file, hidden.file, ideal.file);
    return 0;
}
