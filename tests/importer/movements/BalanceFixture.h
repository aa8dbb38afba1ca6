#pragma once
// What the balance import tests share: the movement import window, open items written into SALDCLIE and
// SALDPROV of its data folder, the two balance entries and the net-amount button, and the entry lines they
// wrote.

#include "importer/Importar.h"
#include "tests/importer/movements/MovementFixture.h"
#include "tests/support/LegacyTables.h"

// An open item of the legacy current accounts: an invoice of account 1120101 dated 01/07/2005, with these
// fields changed.
inline testing_support::LegacyRow openItem(std::string_view account, std::string_view kind, std::string_view voucher,
                                           const testing_support::LegacyRow& changes = {})
{
    using namespace testing_support;
    return with({{"cuen_fte", text(account)},
                 {"Nomb_fte", text("Ferretería Núñez")},
                 {"DH_fte", text("D")},
                 {"tipo_fte", text(kind)},
                 {"FECH_FTE", date("2005-07-01")},
                 {"Subd_fte", text("VTAS")},
                 {"Impo_fte", number("121.5")},
                 {"Ccue_fte", text(account)},
                 {"CTot_fte", number("121.5")},
                 {"Nume_fte", text(voucher)},
                 {"Venc_fte", date("2005-07-31")},
                 {"Cuit_fte", text("30712345678")},
                 {"CIva_fte", text("1")},
                 {"Glos_fte", text("Saldo al cierre")}},
                changes);
}

class Balances : public MovementFixture {
protected:
    static constexpr std::size_t kClientes = 11, kProveedores = 12;

    void writeCustomers(const std::vector<testing_support::LegacyRow>& rows, std::vector<int> deleted = {})
    {
        testing_support::LegacyTables().table("SALDCLIE", rows, std::move(deleted)).write(legacy.path());
    }

    void writeSuppliers(const std::vector<testing_support::LegacyRow>& rows, std::vector<int> deleted = {})
    {
        testing_support::LegacyTables().table("SALDPROV", rows, std::move(deleted)).write(legacy.path());
    }

    // The entry lines, in the order they were written.
    std::vector<ColumnValues> entryLines() { return records("SELECT * FROM MV_ASIENTOS ORDER BY ID"); }

    // The counters' line of the last progress text.
    std::string counters() const
    {
        const std::string& text = window.LblDetalle.caption;
        return text.substr(0, text.find("\r\n"));
    }

    std::size_t count(std::string statement) { return std::stoul(rows(statement).at(0).at(0)); }
};
