// Checking a number against its booklet: the verdict and the message the operator reads.

#include "numbering/NumberingBooklets.h"
#include "tests/numbering/NumberingFixture.h"

namespace {

const std::string kConsejo = "\r\rVerifique los datos desde la TABLA DE COMPROBANTES y vuelta a Intentarlo";
const std::string kLetraMala = " La letra Informada no es Valida, la misma debe ser A,B,C,E,R,X,M";

class Validation : public NumberingFixture {
protected:
    void SetUp() override
    {
        NumberingFixture::SetUp();
        talonario({.codigo = "  VA", .desde = 501, .hasta = 1000, .vence = "'20260131'"});
        talonario({.codigo = "  LI", .desde = 0, .hasta = 0, .modifica = true});
        talonario({.codigo = "  XT", .hasta = 100, .externo = true});
        // The number 00000000 and numbers outside every range are judged by the booklet proposed last.
        std::string suc, nro, letra;
        bool modifica = false;
        ASSERT_TRUE(Obtener_Nro_Comprobante("VA", suc, nro, letra, modifica, true, "", ""));
    }
};

TEST_F(Validation, TheMessagesSayExactlyWhatIsWrong)
{
    struct Case {
        std::string tc, nro, letra, fecha;
        bool valid;
        std::string mensaje, letraOut;
    };
    const std::string desde = "\rEl Número de comprobante ( 100) no respeta el parametro NRO DESDE del comprobante "
                              "(501) , Nro de Control: 1";
    const std::string hasta = "\rEl Número de comprobante ( 1500) no respeta el parametro NRO HASTA del comprobante "
                              "(1000) , Nro de Control: 1";
    const std::string vencido = "El rango de numeracion del comprobante VA Control nro: 1 se encuenta vencida...! Debe "
                                "dar de alta un nuevo talonario para el comprobante VA";
    const Case cases[] = {
        {"VA", "00000600", "Q", "", false, kLetraMala, "Q"},
        {"VA", "00000600", "A,B", "", false, kLetraMala, "A,B"},
        {"VA", "00000600", ",", "", false, kLetraMala, ","},
        {"VA", "00000000", "X", "", false, kConsejo, "X"},
        {"VA", "00000100", "X", "", false, desde + kConsejo, "X"},
        {"VA", "00001500", "X", "", false, hasta + kConsejo, "X"},
        {"VA", "00000600", "", "", true, "", "X"},
        {"VA", "00000600", "x", "31/01/2026", true, "", "x"},
        {"VA", "00000600", "X", "01/02/2026", false, vencido + kConsejo, "X"},
        {"LI", "00000007", "X", "01/02/2026", true, "", "X"},   // free numbering
        {"XT", "00000700", "X", "", true, "", "X"},             // external: no range
        {"NO", "00000001", "X", "", false, "Debe configurar la numeracióN de Comprobantes", "X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tc + " " + c.nro + " '" + c.letra + "' " + c.fecha);
        std::string letra = c.letra, mensaje = "antes";
        EXPECT_EQ(ValidaNumeroComprobante(c.tc, "0001", c.nro, letra, mensaje, c.fecha), c.valid);
        EXPECT_EQ(mensaje, c.mensaje);
        EXPECT_EQ(letra, c.letraOut);
    }
}

TEST_F(Validation, TheLastBookletWhoseRangeHoldsTheNumberIsRemembered)
{
    talonario({.codigo = "  VB", .talonario = 4, .hasta = 100});
    talonario({.codigo = "  VB", .talonario = 2, .desde = 50, .hasta = 200});
    talonario({.codigo = "  VB", .talonario = 7, .sucursal = 2});
    std::string letra = "X", mensaje;
    EXPECT_TRUE(ValidaNumeroComprobante("VB", "0001", "00000060", letra, mensaje, ""));
    EXPECT_EQ(TalonarioActual("VB"), 4);
    EXPECT_TRUE(ValidaNumeroComprobante("VB", "0001", "00000150", letra, mensaje, ""));
    EXPECT_EQ(TalonarioActual("VB"), 2);
    EXPECT_TRUE(ValidaNumeroComprobante("VB", " 2", "00000150", letra, mensaje, ""));
    EXPECT_EQ(TalonarioActual("VB"), 7);
}

TEST_F(Validation, ADateThatIsNoDateRaisesForTheCallersTreatment)
{
    std::string letra = "X", mensaje;
    EXPECT_THROW(ValidaNumeroComprobante("VA", "0001", "00000600", letra, mensaje, "31/02/2026"), base::Error);
}

}  // namespace
