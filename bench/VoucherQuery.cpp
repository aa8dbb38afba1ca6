// The voucher query window's purchase-order list, loaded without a view, against raw prepared SQLite
// doing the same reads on the same database, in one run:
//   - the window: the open orders' SELECT, and per order the receipt lookup (the stock receipt made from
//     it), each row into the list with its image and cells;
//   - raw: the same SELECT and one prepared receipt lookup per order, every value read as text;
//   - for information, an ideal read: one SELECT with a LEFT JOIN on the receipts, no per-row reads.
// The database holds the orders, half of them received, among the stock movements.
// Times are the process's CPU time: every side runs in this one thread, and the machine may be shared. Each
// side runs twice and its faster run counts, so no side is charged for coming first to a cold process.
// Usage: bench_voucher_query [orders] [stock rows] (default 5000 and 50000)

#include "bench/BenchSupport.h"
#include "core/DB_Dll.h"
#include "dialogs/FrmConsComprobantes.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using bench::check;
using bench::CpuClock;
using bench::fail;

std::string orderNumber(long i) { return fmt::format("0001{:08}A", i); }

// The orders (approved, open, not void) and the stock rows: a receipt for every second order, the rest
// other movements.
void fill(const std::filesystem::path& file, long orders, long stockRows) {
    sqlite3* db = bench::openRaw(file);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* order = nullptr;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO MV_CPTE (TC, IDCOMPROBANTE, FECHA, CUENTA, NOMBRE, IMPORTE, APROBADO, "
                             "FINALIZADO, ANULADA, GARANTIA, COMENTARIOS) VALUES ('  OC', ?, '2024-03-01 00:00:00', "
                             "?, ?, 1234.5, 1, 0, 0, ?, 'Entrega parcial')",
                             -1, &order, nullptr),
          db);
    for (long i = 1; i <= orders; ++i) {
        const std::string number = orderNumber(i), account = fmt::format("2110101{:03}", i % 500);
        const std::string name = "Proveedor " + std::to_string(i % 500);
        sqlite3_bind_text(order, 1, number.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(order, 2, account.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(order, 3, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(order, 4, i % 7 == 0);
        if (sqlite3_step(order) != SQLITE_DONE) check(sqlite3_errcode(db), db);
        sqlite3_reset(order);
    }
    sqlite3_finalize(order);
    sqlite3_stmt* stock = nullptr;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, TC_ORIGEN, IDCOMPROBANTE_ORIGEN, CANTIDAD) "
                             "VALUES (?, ?, ?, ?, 1)",
                             -1, &stock, nullptr),
          db);
    for (long i = 1; i <= stockRows; ++i) {
        const bool receipt = i <= orders && i % 2 == 0;
        const std::string number = fmt::format("0002{:08}A", i);
        const std::string origin = receipt ? orderNumber(i) : fmt::format("0003{:08}A", i);
        sqlite3_bind_text(stock, 1, receipt ? "  IR" : "  FC", -1, SQLITE_STATIC);
        sqlite3_bind_text(stock, 2, number.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stock, 3, receipt ? "  OC" : "  RM", -1, SQLITE_STATIC);
        sqlite3_bind_text(stock, 4, origin.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(stock) != SQLITE_DONE) check(sqlite3_errcode(db), db);
        sqlite3_reset(stock);
    }
    sqlite3_finalize(stock);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

constexpr const char* kOrders =
    " SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, comentarios, Garantia FROM "
    "C_MV_CPTE WHERE TC = '  OC' AND (APROBADO = 1) AND (FINALIZADO = 0) AND (ANULADA = 0) ORDER BY IDCOMPROBANTE DESC";

// The window's load; returns the seconds and checks what it listed.
double throughWindow(long orders) {
    FrmConsComprobantes form;
    form.TC = "OC";
    const CpuClock clock;
    form.Form_Load();
    const double seconds = clock.seconds();
    if (form.ListView1.itemCount() != orders) fail(fmt::format("listed {} orders of {}", form.ListView1.itemCount(), orders));
    long received = 0;
    for (long i = 1; i <= form.ListView1.itemCount(); ++i) received += !form.ListView1.item(i).subItem(5).empty();
    if (received != orders / 2) fail(fmt::format("{} orders show a receipt, not {}", received, orders / 2));
    return seconds;
}

std::string text(sqlite3_stmt* statement, int column) {
    const unsigned char* value = sqlite3_column_text(statement, column);
    return value ? reinterpret_cast<const char*>(value) : std::string();
}

// The same reads by raw prepared statements: the orders, and one receipt lookup per order.
double throughRaw(const std::filesystem::path& file, long orders) {
    sqlite3* db = bench::openRaw(file);
    sqlite3_stmt* list = nullptr;
    sqlite3_stmt* lookup = nullptr;
    check(sqlite3_prepare_v2(db, kOrders, -1, &list, nullptr), db);
    check(sqlite3_prepare_v2(db,
                             "SELECT * FROM v_mv_stock WHERE LTRIM(RTRIM(TC_origen)) ='OC'  AND  TC = '  IR' AND "
                             "TC_ORIGEN = '  OC' AND IDCOMPROBANTE_ORIGEN =? LIMIT 1",
                             -1, &lookup, nullptr),
          db);
    const CpuClock clock;
    std::vector<std::vector<std::string>> rows;
    while (sqlite3_step(list) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int c = 0; c < 11; ++c) row.push_back(text(list, c));
        sqlite3_bind_text(lookup, 1, row[6].c_str(), -1, SQLITE_TRANSIENT);
        row.push_back(sqlite3_step(lookup) == SQLITE_ROW ? text(lookup, 2) : std::string());
        sqlite3_reset(lookup);
        rows.push_back(std::move(row));
    }
    const double seconds = clock.seconds();
    sqlite3_finalize(list);
    sqlite3_finalize(lookup);
    sqlite3_close(db);
    if (static_cast<long>(rows.size()) != orders) fail("the raw read listed another number of orders");
    return seconds;
}

// One SELECT with the receipts joined: the least the list can cost.
double throughJoin(const std::filesystem::path& file, long orders) {
    sqlite3* db = bench::openRaw(file);
    sqlite3_stmt* list = nullptr;
    check(sqlite3_prepare_v2(db,
                             "SELECT c.FECHA, c.CUENTA, c.NOMBRE, c.ANULADA, c.APROBADO, c.TC, c.IDCOMPROBANTE, c.ID, "
                             "c.IMPORTE, c.COMENTARIOS, c.GARANTIA, (SELECT s.IDCOMPROBANTE FROM V_MV_STOCK s WHERE "
                             "s.TC_ORIGEN = '  OC' AND s.IDCOMPROBANTE_ORIGEN = c.IDCOMPROBANTE AND s.TC = '  IR' "
                             "LIMIT 1) FROM C_MV_CPTE c WHERE c.TC = '  OC' AND c.APROBADO = 1 AND c.FINALIZADO = 0 AND "
                             "c.ANULADA = 0 ORDER BY c.IDCOMPROBANTE DESC",
                             -1, &list, nullptr),
          db);
    const CpuClock clock;
    std::vector<std::vector<std::string>> rows;
    while (sqlite3_step(list) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int c = 0; c < 12; ++c) row.push_back(text(list, c));
        rows.push_back(std::move(row));
    }
    const double seconds = clock.seconds();
    sqlite3_finalize(list);
    sqlite3_close(db);
    if (static_cast<long>(rows.size()) != orders) fail("the joined read listed another number of orders");
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const long orders = argc > 1 ? std::atol(argv[1]) : 5000;
    const long stockRows = argc > 2 ? std::atol(argv[2]) : 50000;
    if (orders <= 0 || stockRows < orders) fail("usage: bench_voucher_query [orders] [stock rows >= orders]");

    const bench::Scratch scratch;
    const std::filesystem::path file = scratch.folder() / "CONSULTA.sqlite";
    double window = 0, raw = 0, join = 0;
    try {
        bench::logIn(scratch.folder(), "CONSULTA");
        fill(file, orders, stockRows);
        bench::logIn(scratch.folder(), "CONSULTA");
        window = std::min(throughWindow(orders), throughWindow(orders));
        raw = std::min(throughRaw(file, orders), throughRaw(file, orders));
        join = std::min(throughJoin(file, orders), throughJoin(file, orders));
    } catch (const std::exception& error) {
        fail(error.what());
    }
    std::printf("open purchase orders: %ld (half received), stock rows: %ld\n", orders, stockRows);
    std::printf("query window load, no view:        %10.0f rows/s\n", orders / window);
    std::printf("raw prepared sqlite3, same reads:  %10.0f rows/s\n", orders / raw);
    std::printf("window / raw time:                 %10.2fx\n", window / raw);
    std::printf("one SELECT with the receipts:      %10.0f rows/s\n", orders / join);
    std::printf("window / ideal time:               %10.2fx\n", window / join);
    return 0;
}
