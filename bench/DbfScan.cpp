// Reading a large legacy table: a generated DBF of 20 fields (texts, amounts, quantities, dates, logicals)
// scanned by the reader alone, then read with SELECT * through the dBase-folder connection as the imports
// read it (a forward-only recordset, every field of every row). Prints records per second for both, their
// ratio, and the peak memory after a small and after the large SELECT *: a virtual table streams, so the
// peak must not grow with the table.
// Usage: bench_dbf_scan [records] (default 1000000)

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/dbf/DbfTable.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fmt/format.h>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Field {
    const char* name;
    char type;
    int length;
    int decimals;
};

const Field kFields[] = {
    {"CODI", 'C', 10, 0}, {"NOMB", 'C', 30, 0}, {"DIRE", 'C', 40, 0}, {"CIUD", 'C', 20, 0}, {"CODP", 'C', 4, 0},
    {"TELE", 'C', 15, 0}, {"CUIT", 'C', 13, 0}, {"IMP1", 'N', 12, 2}, {"IMP2", 'N', 12, 2}, {"IMP3", 'N', 14, 4},
    {"CANT", 'N', 8, 0},  {"STOC", 'N', 10, 3}, {"PREC", 'N', 12, 2}, {"FECH", 'D', 8, 0},  {"FEC2", 'D', 8, 0},
    {"ACTI", 'L', 1, 0},  {"BAJA", 'L', 1, 0},  {"OBS1", 'C', 50, 0}, {"OBS2", 'C', 25, 0}, {"NUME", 'N', 6, 0},
};

// Writes a dBase III table of `records` records, a megabyte at a time.
void writeTable(const std::filesystem::path& file, long records)
{
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) {
        std::perror(file.c_str());
        std::exit(1);
    }
    const std::size_t fieldCount = std::size(kFields);
    int recordLength = 1;
    for (const Field& f : kFields) recordLength += f.length;
    const int headerLength = 32 + 32 * static_cast<int>(fieldCount) + 1;

    std::vector<unsigned char> header(static_cast<std::size_t>(headerLength), 0);
    header[0] = 0x03;
    header[1] = 124, header[2] = 1, header[3] = 1;
    for (int i = 0; i < 4; ++i) header[4 + i] = static_cast<unsigned char>((records >> (8 * i)) & 0xFF);
    header[8] = headerLength & 0xFF, header[9] = headerLength >> 8;
    header[10] = recordLength & 0xFF, header[11] = recordLength >> 8;
    header[29] = 0x02;  // CP850
    for (std::size_t i = 0; i < fieldCount; ++i) {
        unsigned char* d = &header[32 + 32 * i];
        std::memcpy(d, kFields[i].name, std::strlen(kFields[i].name));
        d[11] = static_cast<unsigned char>(kFields[i].type);
        d[16] = static_cast<unsigned char>(kFields[i].length);
        d[17] = static_cast<unsigned char>(kFields[i].decimals);
    }
    header[static_cast<std::size_t>(headerLength) - 1] = 0x0D;
    std::fwrite(header.data(), 1, header.size(), out);

    std::string block;
    block.reserve(1 << 20);
    for (long r = 0; r < records; ++r) {
        block += r % 97 == 0 ? '*' : ' ';  // some deleted records, as real tables have
        const std::string values[] = {
            fmt::format("{:010}", r),         fmt::format("Cliente número {}", r), fmt::format("Calle {} {}", r % 1000, r),
            "Buenos Aires",                  "BA",                                 fmt::format("011-{:08}", r % 100000000),
            fmt::format("20{:09}", r),        fmt::format("{:12.2f}", r * 0.01),    fmt::format("{:12.2f}", -r * 0.5),
            fmt::format("{:14.4f}", r * 0.0001), fmt::format("{:8}", r % 10000),  fmt::format("{:10.3f}", r * 0.001),
            fmt::format("{:12.2f}", 99.99),   fmt::format("{:04}{:02}{:02}", 1990 + r % 30, 1 + r % 12, 1 + r % 28),
            r % 3 ? "        " : "20050815", r % 2 ? "T" : "F",                   r % 5 ? "F" : "?",
            "Observaciones del registro",    "",                                   fmt::format("{:6}", r % 1000000),
        };
        for (std::size_t i = 0; i < fieldCount; ++i) {
            std::string value = values[i].substr(0, static_cast<std::size_t>(kFields[i].length));
            if (kFields[i].type == 'N') value.insert(0, static_cast<std::size_t>(kFields[i].length) - value.size(), ' ');
            else value.resize(static_cast<std::size_t>(kFields[i].length), ' ');
            block += value;
        }
        if (block.size() >= (1 << 20)) {
            std::fwrite(block.data(), 1, block.size(), out);
            block.clear();
        }
    }
    block += '\x1A';
    std::fwrite(block.data(), 1, block.size(), out);
    std::fclose(out);
}

long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Every value of every live record, through the reader alone.
long scanReader(const std::filesystem::path& file, double& seconds)
{
    const auto start = Clock::now();
    db::dbf::DbfRecords records(db::dbf::DbfTable::open(file));
    const std::size_t fields = records.table().fields().size();
    long count = 0, nulls = 0;
    while (records.next()) {
        for (std::size_t i = 0; i < fields; ++i) nulls += records.value(i).isNull();
        ++count;
    }
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return count + (nulls < 0);  // keeps the values from being optimised away
}

// Every field of every row of SELECT *, through the connection the imports use.
long scanSql(const std::filesystem::path& folder, const char* table, double& seconds)
{
    db::Connection connection;
    connection.open("Provider=MSDASQL.1;Persist Security Info=False;Extended Properties=Driver={Microsoft Visual "
                    "FoxPro Driver};UID=;SourceDB=" +
                    folder.string() +
                    "/;SourceType=DBF;Exclusive=No;BackgroundFetch=Yes;Collate=Machine;Null=Yes;Deleted=Yes;");
    const auto start = Clock::now();
    db::Recordset rs;
    rs.open(std::string("SELECT * FROM ") + table, connection);
    const long expected = rs.recordCount();
    long count = 0, nulls = 0;
    for (; !rs.eof(); rs.moveNext()) {
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) nulls += rs.field(i).value().isNull();
        ++count;
    }
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (count != expected) std::fprintf(stderr, "record count %ld, rows read %ld\n", expected, count);
    return count + (nulls < 0);
}

}  // namespace

int main(int argc, char** argv)
{
    const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
    const long small = std::max(1L, records / 10);
    std::string pattern = (std::filesystem::temp_directory_path() / "migra-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const std::filesystem::path folder = pattern;

    auto start = Clock::now();
    writeTable(folder / "SMALL.DBF", small);
    writeTable(folder / "LARGE.DBF", records);
    std::printf("generated %ld + %ld records of %zu fields (%.0f MB) in %.1f s\n", small, records, std::size(kFields),
                std::filesystem::file_size(folder / "LARGE.DBF") / 1e6,
                std::chrono::duration<double>(Clock::now() - start).count());

    double readerSeconds = 0, smallSeconds = 0, sqlSeconds = 0;
    const long readerRows = scanReader(folder / "LARGE.DBF", readerSeconds);
    const long afterReader = peakMemoryKb();
    const long smallRows = scanSql(folder, "SMALL", smallSeconds);
    const long afterSmall = peakMemoryKb();
    const long sqlRows = scanSql(folder, "LARGE", sqlSeconds);
    const long afterLarge = peakMemoryKb();

    std::printf("reader scan:      %10.0f records/s (%ld live records, %.2f s)\n", readerRows / readerSeconds, readerRows,
                readerSeconds);
    std::printf("SELECT * via SQL: %10.0f records/s (%ld rows, %.2f s)\n", sqlRows / sqlSeconds, sqlRows, sqlSeconds);
    std::printf("SQL / reader time:%10.2fx\n", sqlSeconds / readerSeconds);
    std::printf("peak memory: %ld KB after the reader scan, %ld KB after SELECT * of %ld rows, %ld KB after SELECT * "
                "of %ld rows\n",
                afterReader, afterSmall, smallRows, afterLarge, sqlRows);
    std::filesystem::remove_all(folder);
    return 0;
}
