#pragma once
// What the purchase-order import tests share: the movement import window with VAT 21, legacy orders and
// lines written into its data folder, the entry "ORDENES DE COMPRA PENDIENTE" run through
// "Iniciar/Importar", and the vouchers and lines it wrote, column by column.

#include "importer/Importar.h"
#include "tests/importer/movements/MovementFixture.h"
#include "tests/support/LegacyTables.h"

// A legacy order of FORCOMPR: an ordinary one of supplier 123, with these fields changed.
inline testing_support::LegacyRow order(std::string_view nume, std::string_view nums,
                                        const testing_support::LegacyRow& changes = {})
{
    using namespace testing_support;
    return with({{"CODP_FOC", text("123")},
                 {"NUME_FOC", number(nume)},
                 {"NUMS_FOC", number(nums)},
                 {"FECH_FOC", date("2026-02-16")},
                 {"FENT_FOC", date("2026-02-26")},
                 {"FREC_FOC", date("2026-02-28")},
                 {"NOMB_FOC", text("Aceros Patagonia S.A.")},
                 {"GLOS_FOC", text("Entregar")},
                 {"GLOR_FOC", text("Urgente")},
                 {"TTOT_FOC", number("1000")},
                 {"PLAZ_FOC", number("30")},
                 {"ESTA_FOC", text("P")}},
                changes);
}

// A legacy order line of FDEORCOM: one unit of article 1001 on order (nume, nums) of supplier 123.
inline testing_support::LegacyRow orderLine(std::string_view nume, std::string_view nums,
                                            const testing_support::LegacyRow& changes = {})
{
    using namespace testing_support;
    return with({{"CODP_FOD", text("123")},
                 {"NUME_FOD", number(nume)},
                 {"NUMS_FOD", number(nums)},
                 {"CODI_FOD", text("1001")},
                 {"PIEZ_FOD", number("0")},
                 {"UNID_FOD", number("1")},
                 {"TPRE_FOD", number("12.4")},
                 {"PRET_FOD", number("12.4")},
                 {"ESTA_FOD", text("P")}},
                changes);
}

class PurchaseOrders : public MovementFixture {
protected:
    static constexpr std::size_t kProveedores = 2, kOrdenes = 20;

    void SetUp() override
    {
        MovementFixture::SetUp();
        window.AlicuotaIva = base::Currency::fromInteger(21);
    }

    // An article code as the ERP keeps it: right-aligned in 25 characters.
    static std::string article(std::string_view code) { return std::string(25 - code.size(), ' ') + std::string(code); }

    void write(const std::vector<testing_support::LegacyRow>& orders, const std::vector<testing_support::LegacyRow>& lines,
               std::vector<int> deletedOrders = {})
    {
        testing_support::LegacyTables()
            .table("FORCOMPR", orders, std::move(deletedOrders))
            .table("FDEORCOM", lines)
            .write(legacy.path());
    }

    void importOrders() { run({kOrdenes}); }

    // The one box at the end of the run that counts what it could not write, as it begins.
    void expectNotImported(const std::string& counted)
    {
        prompter.expectMessage(ui::startsWith(counted), ui::vbOKOnly | ui::vbExclamation, "Migrador", ui::vbOK);
    }

    // The purchase-order vouchers, by id.
    std::map<std::string, ColumnValues> headers()
    {
        std::map<std::string, ColumnValues> out;
        for (ColumnValues& row : records("SELECT * FROM C_MV_CPTE WHERE TC = '  OC' ORDER BY ID"))
            out[row["IDCOMPROBANTE"]] = row;
        return out;
    }

    // The lines of every purchase order, in the order they were written.
    std::vector<ColumnValues> lines()
    {
        return records("SELECT * FROM C_MV_CPTEINSUMOS WHERE TC = '  OC' ORDER BY ID");
    }
};
