#pragma once
// Legacy tables with the rows a test lists, in the layout of the demo legacy folder, written at test time by
// tests/fixtures/make_legacy_tables.py (Debian's python3-dbf and python3-xlwt).
//
//     LegacyTables()
//         .table("fciudade", {{{"CODP_FCI", text("23")}, {"CODI_FCI", text("9000")}, ...}})
//         .employees({{number("12"), text("Pérez"), null(), null()}})
//         .write(folder);

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

// A field's value as the fixture script takes it (JSON).
std::string text(std::string_view value);
std::string number(std::string_view value);       // exact: "12.5"
std::string date(std::string_view isoDate);      // "2026-12-31"
std::string null();                               // Null where the table allows it, else empty

using LegacyRow = std::vector<std::pair<std::string, std::string>>;  // field name, value

// The row with these fields changed or added.
LegacyRow with(LegacyRow row, const LegacyRow& changes);

class LegacyTables {
public:
    // A table of the demo layout (FCLIENTE, FPROVEED, fciudade, FARTICUL, FCOSTEOS, FORCOMPR, FDEORCOM,
    // SALDCLIE, SALDPROV); rows whose index is in `deleted` are marked deleted. Fields a row leaves out are
    // empty.
    LegacyTables& table(std::string name, std::vector<LegacyRow> rows, std::vector<int> deleted = {});
    // EMPLEADOSTEMO.xls, sheet MIG: LEGAJO, APELLIDO Y NOMBRE, Direccion, cuil.
    LegacyTables& employees(std::vector<std::vector<std::string>> rows);
    // Writes the tables named so far into `folder` (replacing them); raises std::runtime_error on failure.
    void write(const std::filesystem::path& folder) const;

private:
    std::vector<std::pair<std::string, std::string>> tables_;  // name, JSON
};

}  // namespace testing_support
