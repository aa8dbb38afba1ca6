// The number of a new stock voucher: the booklet's, or past the identifiers stock movements already carry.

#include "core/Configuracion.h"
#include "stock/Stock.h"
#include "tests/core/ProgramFixture.h"

#include <fmt/format.h>

namespace {

class StockVoucherNumbers : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, "
                "X_ULTIMO_NRO) VALUES ('  PE', 1, 'X', 'STOCK', 1, 1, 99999999, 5)");
    }
    void execute(std::string statement)
    {
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_EQ(gDB_Dll().gCnn.errors().count(), 0) << statement;
    }
    void movimiento(std::string_view tc, std::string_view id)
    {
        execute(fmt::format("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, SECUENCIA) VALUES ('{}', '{}', 1)", tc, id));
    }
    std::string asigna(std::string tc = "PE")
    {
        return AsignarNumeroComprobante(tc, suc, letra);
    }
    std::string suc = "0001", letra = "A";
};

TEST_F(StockVoucherNumbers, TheBookletsNumberStandsWhenNoMovementCarriesIt)
{
    movimiento("  PE", "000100000004X");
    movimiento("  IR", "000100000005X");
    EXPECT_EQ(asigna(), "000100000005X");
    // The booklet serves letter X only, and says which branch it numbers.
    EXPECT_EQ(suc, "0001");
    EXPECT_EQ(letra, "X");
}

TEST_F(StockVoucherNumbers, AnIdentifierInUseIsSteppedPastTheHighestOfItsBranchAndLetter)
{
    movimiento("  PE", "000100000005X");
    movimiento("  PE", "000100000041X");
    movimiento("  PE", "000200000090X");
    movimiento("  PE", "000100000077A");
    movimiento("  IR", "000100000099X");
    EXPECT_EQ(asigna(" pe "), "000100000042X");
}

TEST_F(StockVoucherNumbers, TheLastNumberThereIsCannotBeFollowed)
{
    movimiento("  PE", "000100000005X");
    movimiento("  PE", "000199999999X");
    // Going on past the report gives no number either.
    prompter.expectMessage("Ha ocurrido el Siguiente Error (6) El comprobante PE 0001X no admite un número posterior "
                           "a 000199999999X",
                           ui::vbAbortRetryIgnore | ui::vbCritical,
                           "AsignarNumeroComprobante - AsignarNumeroComprobante Aviso al operador!!! ", ui::vbIgnore);
    EXPECT_EQ(asigna(), "");
    EXPECT_NE(errorLog().find("AsignarNumeroComprobante"), std::string::npos);
}

TEST_F(StockVoucherNumbers, WithoutABookletThereIsNoNumber)
{
    execute("DELETE FROM V_TA_CPTE");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           " - Obtener_Nro_Comprobante_Contable Aviso al operador!!! ", ui::vbAbort);
    EXPECT_EQ(asigna(), "");
}

}  // namespace
