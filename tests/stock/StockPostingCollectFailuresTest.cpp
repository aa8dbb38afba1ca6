// Collecting for the caller's batch, a posting that fails after its first movements were collected hands
// the batch nothing: whatever the operator answers, the caller's text stays as it was, so no batch carries
// half a voucher.

#include "tests/stock/StockPostingFixture.h"

#include <cctype>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int kAbort = 3, kIgnore = 5;  // the buttons' answers

struct Failure {
    std::string name;
    std::function<void()> prepare;  // what makes the posting fail after its movements were collected
    std::string box, title;         // the error treatment's box: the start of its text, its title
    int answer;
};

void PrintTo(const Failure& f, std::ostream* os) { *os << f.name; }

class CollectingFailure : public StockPostingFixture, public ::testing::WithParamInterface<Failure> {
protected:
    void SetUp() override
    {
        StockPostingFixture::SetUp();
        configura("AsientosXStock", "SI");
        execute("INSERT INTO MA_ARTICULOS (IDARTICULO, CUENTACONTABLEC, COSTO) VALUES (" + gDB_Dll().SQLValue(c25("A1")) +
                ", '1.1.05', 40)");
        execute("INSERT INTO MA_ARTICULOS (IDARTICULO, COSTO) VALUES (" + gDB_Dll().SQLValue(c25("C1")) + ", 2)");
        execute("INSERT INTO TA_MOTIVOSTOCK (IDMOTIVOSTOCK, CUENTACONTABLE, DESCRIPCION) VALUES ('  R5', 'REC', 'Recepción')");
        configura("MotivoStockRecepcionOC", "  R5");
    }

public:
    // The entry's numbers cannot be read.
    static void withoutEntries() { execute("DROP TABLE MV_ASIENTOS"); }

    // The components of an article cannot be read.
    static void withoutComponents() { execute("DROP VIEW V_MA_INSUMOS"); }

    // Article A1 is made with 2 C1 each.
    static void withComponent()
    {
        execute("INSERT INTO MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES (" +
                gDB_Dll().SQLValue(c25("A1")) + ", " + gDB_Dll().SQLValue(c25("C1")) + ", '  UN', 2)");
    }
};

const std::string kTreatment = "Ha ocurrido el Siguiente Error ";
const std::string kEntryTitle = "Recordset - ActualizaStock Aviso al operador!!! ";
const std::string kComponentsTitle = "Recordset - IdArticuloTieneInsumos Aviso al operador!!! ";

const std::vector<Failure>& failures()
{
    static const std::vector<Failure> list{
        {"the entry cannot be numbered, abandoned", CollectingFailure::withoutEntries,
         kTreatment + "(-2147217865) Invalid object name (no such table: MV_ASIENTOS)", kEntryTitle, kAbort},
        {"the entry cannot be numbered, ignored", CollectingFailure::withoutEntries,
         kTreatment + "(-2147217865) Invalid object name (no such table: MV_ASIENTOS)", kEntryTitle, kIgnore},
        {"no number for the components' discharge, abandoned", CollectingFailure::withComponent,
         kTreatment + "(50001) Debe configurar la numeraci", " - Obtener_Nro_Comprobante_Contable Aviso al operador!!! ",
         kAbort},
        {"no number for the components' discharge, ignored", CollectingFailure::withComponent,
         kTreatment + "(50001) Debe configurar la numeraci", " - Obtener_Nro_Comprobante_Contable Aviso al operador!!! ",
         kIgnore},
        {"the components cannot be read, abandoned", CollectingFailure::withoutComponents,
         kTreatment + "(-2147217865) Invalid object name (no such table: V_MA_INSUMOS)", kComponentsTitle, kAbort},
        {"the components cannot be read, ignored", CollectingFailure::withoutComponents,
         kTreatment + "(-2147217865) Invalid object name (no such table: V_MA_INSUMOS)", kComponentsTitle, kIgnore},
    };
    return list;
}

TEST_P(CollectingFailure, HandsTheCallersBatchNothing)
{
    const Failure& f = GetParam();
    linea();
    linea({{7, "3"}, {74, "3"}});
    f.prepare();
    prompter.expectMessage(ui::startsWith(f.box), ui::vbAbortRetryIgnore | ui::vbCritical, f.title, f.answer);
    ClsCmnCptes motor;
    Posteo a;
    const std::string earlier = "UPDATE C_MV_CPTE SET IDDEPOSITORECEPCION = 'CD61' WHERE 1 = 0";
    a.SQLTemp = earlier;
    postea(motor, a);
    EXPECT_TRUE(a.HayError);
    EXPECT_EQ(a.SQLTemp, earlier);
    EXPECT_EQ(count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, CollectingFailure, ::testing::ValuesIn(failures()), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});

}  // namespace
