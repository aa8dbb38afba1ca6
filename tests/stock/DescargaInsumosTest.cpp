// The component discharge on its own: which lines discharge, the "PE" voucher and its booklet, percentage
// lines, components over lots, the row's columns, and the same rows whether written at once or collected
// into the caller's batch.

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "platform/base/Text.h"
#include "platform/ui/FlexGrid.h"
#include "stock/DescargaInsumos.h"
#include "tests/stock/StockFixture.h"

#include <fmt/format.h>
#include <sqlite3.h>

#include <cctype>
#include <functional>
#include <tuple>

namespace {

std::string articulo(std::string_view code) { return fmt::format("{:>25}", code); }

// One line of the grid the discharge reads.
struct Linea {
    Linea(std::string articulo, std::string cantidad, std::string porcentaje = "0", std::string deposito = {},
          std::string cantidadUD = {})
        : articulo(std::move(articulo)), cantidad(std::move(cantidad)), porcentaje(std::move(porcentaje)),
          deposito(std::move(deposito)), cantidadUD(std::move(cantidadUD))
    {
    }
    std::string articulo;
    std::string cantidad;
    std::string porcentaje;  // column 68
    std::string deposito;    // column 6
    std::string cantidadUD;  // column 74
};

// A lot of the article in a warehouse.
std::string lote(std::string_view code, std::string_view deposito, std::string_view nroLote, std::string_view cantidad)
{
    return fmt::format("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, CANTIDAD) VALUES "
                       "('{}', '{:>4}', '{:>25}', {})",
                       articulo(code), deposito, nroLote, cantidad);
}

// A written "PE" row, as the expectations name it.
struct Fila {
    std::string articulo, lote, cantidad, unidad, deposito, cuenta;
    bool operator==(const Fila&) const = default;
};

void PrintTo(const Fila& f, std::ostream* os)
{
    *os << "(" << f.articulo << ", lote " << f.lote << ", " << f.cantidad << ", " << f.unidad << ", " << f.deposito
        << ", " << f.cuenta << ")";
}

class ComponentDischarge : public StockFixture {
protected:
    void SetUp() override
    {
        StockFixture::SetUp();
        execute({"INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, "
                 "X_ULTIMO_NRO) VALUES ('  PE', 1, 'X', 'STOCK', 1, 1, 99999999, 0)"});
        articuloConDatos("A1", "Armado A1", "7.5", "2110101900");
        articuloConDatos("C1", "Tornillo", "2.25", "2110101123");
        articuloConDatos("C2", "Arandela", "1", "");
        articuloConDatos("P1", "Mezcla P1", "10", "");
        insumo("A1", "C1", "UN", 3);
        insumo("P1", "C1", "KG", 40);
        insumo("P1", "C2", "", 60);
        grilla.setCols(92);
        grilla.setRows(1);
    }

    static void articuloConDatos(std::string_view code, std::string_view descripcion, std::string_view costo,
                                 std::string_view cuenta)
    {
        execute({fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, COSTO, CUENTAPROVEEDOR) "
                             "VALUES ('{}', '{}', '  UN', {}, {})",
                             articulo(code), descripcion, costo, cuenta.empty() ? "NULL" : fmt::format("'{}'", cuenta))});
    }
    static void insumo(std::string_view de, std::string_view componente, std::string_view unidad, double cantidad)
    {
        execute({fmt::format("INSERT INTO MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES "
                             "('{}', '{}', '{:>4}', {})",
                             articulo(de), articulo(componente), unidad, cantidad)});
    }

    void linea(const Linea& l)
    {
        const long r = grilla.rows();
        grilla.setRows(r + 1);
        grilla.setTextMatrix(r, 0, articulo(l.articulo));
        grilla.setTextMatrix(r, 1, "Línea de " + l.articulo);
        grilla.setTextMatrix(r, 5, "UN");
        grilla.setTextMatrix(r, 6, l.deposito);
        grilla.setTextMatrix(r, 7, l.cantidad);
        grilla.setTextMatrix(r, 38, "7.5");
        grilla.setTextMatrix(r, 68, l.porcentaje);
        grilla.setTextMatrix(r, 74, l.cantidadUD);
        grilla.setTextMatrix(r, 76, "0");
    }

    // Runs the discharge as the poster would after the passes of a voucher of type `tc`, collecting or at
    // once; collected statements are then run as the caller's batch.
    DescargaInsumos::Resultado descarga(bool collect, int signo = 1, std::string tc = "IR",
                                        std::string deposito = "'CD61'", std::string cuenta = "PorDefault")
    {
        PosteoStock posteo{grilla, tc, "000100000007X", "0", gDB_Dll().SQLValue(base::Value(clock.now().dateOnly())),
                           deposito, "NULL", "'   5'", cuenta, tcOrigen, tcOrigenCodigo, false, collect, sqlTemp, hayError,
                           signo, 2, secuencia, false};
        const DescargaInsumos::Resultado resultado = descargas.ejecuta(posteo);
        if (collect) runBatch();
        return resultado;
    }

    void runBatch()
    {
        bool fallo = false;
        long nativo = 0;
        std::string enviado, texto;
        EjecutaTransaccion({sqlTemp}, fallo, nativo, false, false, enviado, texto);
        EXPECT_FALSE(fallo) << texto;
    }

    static std::vector<Fila> filasPE()
    {
        std::vector<Fila> out;
        for (const auto& r : rows("SELECT IDARTICULO, NROLOTE, CANTIDAD, IDUNIDAD, IDDEPOSITO, CUENTAPROVEEDOR FROM "
                                  "V_MV_STOCK WHERE TC = '  PE' ORDER BY SECUENCIA"))
            out.push_back({base::trim(r[0]), base::trim(r[1]), fmt::format("{:g}", std::stod(r[2])), base::trim(r[3]),
                           base::trim(r[4]), r[5]});
        return out;
    }

    // From now on the database refuses the movement of sequence 2, as a trigger of the ERP might.
    void refuseSecondRow()
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2((folder.path() / "EMPRESA.sqlite").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        const int created = sqlite3_exec(db,
                                         "CREATE TRIGGER RECHAZA BEFORE INSERT ON V_MV_STOCK WHEN NEW.SECUENCIA = 2 BEGIN "
                                         "SELECT RAISE(ABORT, 'movimiento rechazado'); END",
                                         nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ASSERT_EQ(created, SQLITE_OK);
    }

    static std::string ultimoPE() { return rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'")[0][0]; }

    ui::FlexGrid grilla{"MSFlexGrid2"};
    DescargaInsumos descargas;
    std::string tcOrigen = "'  OC'", tcOrigenCodigo = "OC";
    std::string sqlTemp;
    bool hayError = false;
    std::int32_t secuencia = 4;
};

struct Caso {
    std::string nombre;
    std::vector<Linea> lineas;
    std::vector<std::string> datos;  // rows the case adds
    int signo = 1;
    std::string tc = "IR";
    std::string cuenta = "PorDefault";
    std::vector<Fila> esperadas;
};

const std::vector<Caso>& casos()
{
    static const std::vector<Caso> lista{
        {"switched off in any case", {{"A1", "2"}},
         {"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('DescargaInsumosProduccion', 'sI')"}, 1, "IR", "PorDefault", {}},
        {"a production order", {{"A1", "2"}}, {}, 1, "OP", "PorDefault", {}},
        {"no quantity, no article, no components", {{"A1", "0"}, {"", "3"}, {"C1", "5"}}, {}, 1, "IR", "PorDefault", {}},
        {"percentage line on an entry", {{"P1", "10", "1"}}, {}, 1, "IR", "PorDefault",
         {{"P1", "NULL", "-10", "UN", "CD61", "NULL"}, {"C1", "NULL", "4", "KG", "CD61", "NULL"},
          {"C2", "NULL", "6", "NULL", "CD61", "NULL"}}},
        {"percentage line on an exit", {{"P1", "10", "1"}}, {}, -1, "IR", "PorDefault",
         {{"P1", "NULL", "10", "UN", "CD61", "NULL"}, {"C1", "NULL", "-4", "KG", "CD61", "NULL"},
          {"C2", "NULL", "-6", "NULL", "CD61", "NULL"}}},
        {"percentage of the base-unit quantity when given", {{"P1", "2", "1", "", "10"}}, {}, 1, "IR", "PorDefault",
         {{"P1", "NULL", "-2", "UN", "CD61", "NULL"}, {"C1", "NULL", "4", "KG", "CD61", "NULL"},
          {"C2", "NULL", "6", "NULL", "CD61", "NULL"}}},
        {"components over two lots", {{"A1", "2"}},
         {lote("C1", "CD61", "L1", "4"), lote("C1", "CD61", "L2", "5")},
         1, "IR", "PorDefault",
         {{"C1", "L1", "4", "UN", "CD61", "2110101123"}, {"C1", "L2", "2", "UN", "CD61", "2110101123"}}},
        {"lots short of the quantity", {{"A1", "2"}}, {lote("C1", "CD61", "L1", "4")}, -1,
         "IR", "PorDefault",
         {{"C1", "L1", "-4", "UN", "CD61", "2110101123"}, {"C1", "NULL", "-2", "UN", "CD61", "2110101123"}}},
        {"lots of the line's own warehouse", {{"A1", "2", "0", "DEP2"}},
         {lote("C1", "CD61", "L1", "100"), lote("C1", "DEP2", "L9", "100")},
         1, "IR", "PorDefault", {{"C1", "L9", "6", "UN", "DEP2", "2110101123"}}},
        {"the poster's account", {{"A1", "1"}}, {}, 1, "IR", "2110101777",
         {{"C1", "NULL", "3", "UN", "CD61", "2110101777"}}},
    };
    return lista;
}

void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.nombre; }

class DischargeCase : public ComponentDischarge, public ::testing::WithParamInterface<std::tuple<Caso, bool>> {};

TEST_P(DischargeCase, WritesTheSameRowsAtOnceAndCollected)
{
    const auto& [caso, collect] = GetParam();
    for (const std::string& dato : caso.datos) execute({dato});
    for (const Linea& l : caso.lineas) linea(l);
    EXPECT_EQ(descarga(collect, caso.signo, caso.tc, "'CD61'", caso.cuenta), DescargaInsumos::Resultado::Completa);
    EXPECT_FALSE(hayError);
    EXPECT_EQ(filasPE(), caso.esperadas);
    if (caso.esperadas.empty()) {
        EXPECT_TRUE(descargas.idComprobante().empty());
        EXPECT_EQ(ultimoPE(), "0");
        EXPECT_EQ(base::trim(sqlTemp), "");
    } else {
        EXPECT_EQ(descargas.idComprobante(), "000100000001X");
        EXPECT_EQ(ultimoPE(), "2");
        // The discharge numbers its own rows from 1.
        EXPECT_EQ(secuencia, static_cast<std::int32_t>(caso.esperadas.size()));
    }
    if (!collect) {
        EXPECT_EQ(sqlTemp, "");
    }
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, DischargeCase, ::testing::Combine(::testing::ValuesIn(casos()), ::testing::Bool()),
                         [](const auto& info) {
                             std::string name = std::get<0>(info.param).nombre + (std::get<1>(info.param) ? " collected" : " at once");
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

TEST_F(ComponentDischarge, ARowCarriesTheVoucherItsOriginAndTheArticleData)
{
    linea({"A1", "1"});
    ASSERT_EQ(descarga(true), DescargaInsumos::Resultado::Completa);
    const auto fila = rows("SELECT TC, IDCOMPROBANTE, IDCOMPLEMENTO, SECUENCIA, DESCRIPCION, COSTO, IDMOTIVOSTOCK, "
                           "PRECIOVENTA, TC_ORIGEN, IDCOMPROBANTE_ORIGEN, CONTROLADOPOR, CANTIDADUD FROM V_MV_STOCK");
    ASSERT_EQ(fila.size(), 1u);
    EXPECT_EQ(fila[0][0], "  PE");
    EXPECT_EQ(fila[0][1], "000100000001X");
    EXPECT_EQ(fila[0][2], "0");
    EXPECT_EQ(fila[0][3], "1");
    EXPECT_EQ(fila[0][4], "Tornillo");
    EXPECT_EQ(std::stod(fila[0][5]), 2.25);
    EXPECT_EQ(fila[0][6], "   5");
    EXPECT_EQ(std::stod(fila[0][7]), 0);
    EXPECT_EQ(fila[0][8], "  IR");
    EXPECT_EQ(fila[0][9], "000100000007X");
    EXPECT_EQ(fila[0][10], "A1");
    EXPECT_EQ(fila[0][11], "NULL");
}

TEST_F(ComponentDischarge, AnArticleRowTakesTheLineDescriptionCutTo100WithoutApostrophes)
{
    linea({"P1", "10", "1"});
    grilla.setTextMatrix(1, 1, "  " + std::string(99, 'x') + "'yz" + std::string(48, 'w'));
    ASSERT_EQ(descarga(false), DescargaInsumos::Resultado::Completa);
    const auto fila = rows("SELECT DESCRIPCION FROM V_MV_STOCK WHERE IDARTICULO = '" + articulo("P1") + "'");
    ASSERT_EQ(fila.size(), 1u);
    EXPECT_EQ(fila[0][0], std::string(99, 'x'));
}

TEST_F(ComponentDischarge, ATransferWritesBothRunsUnderOneVoucherAndAdvancesItsBookletOnce)
{
    linea({"A1", "1"});
    for (const bool collect : {false, true}) {
        SCOPED_TRACE(collect ? "collected" : "at once");
        execute({"DELETE FROM V_MV_STOCK", "UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 0"});
        descargas = DescargaInsumos();
        sqlTemp.clear();
        secuencia = 6;
        PosteoStock primera{grilla, "TR", "000100000003X", "0", "'20260307'", "'CD61'", "'DEP2'", "'   5'",
                            "PorDefault", tcOrigen, tcOrigenCodigo, false, collect, sqlTemp, hayError, -1, 3, secuencia, false};
        ASSERT_EQ(descargas.ejecuta(primera), DescargaInsumos::Resultado::Completa);
        PosteoStock segunda = primera;
        segunda.signo = 1;
        ASSERT_EQ(descargas.ejecuta(segunda), DescargaInsumos::Resultado::Completa);
        if (collect) runBatch();
        EXPECT_EQ(filasPE(), (std::vector<Fila>{{"C1", "NULL", "-3", "UN", "DEP2", "2110101123"},
                                                 {"C1", "NULL", "3", "UN", "DEP2", "2110101123"}}));
        EXPECT_EQ(rows("SELECT DISTINCT IDCOMPROBANTE FROM V_MV_STOCK"), (Rows{{"000100000001X"}}));
        EXPECT_EQ(rows("SELECT SECUENCIA FROM V_MV_STOCK ORDER BY SECUENCIA"), (Rows{{"7"}, {"8"}}));
        EXPECT_EQ(ultimoPE(), "2");
    }
}

TEST_F(ComponentDischarge, ARowRefusedAtOnceIsToldAndEndsThePosting)
{
    linea({"A1", "1"});
    linea({"A1", "1"});
    refuseSecondRow();
    prompter.expectMessage(ui::startsWith("movimiento rechazado"), ui::vbOKOnly | ui::vbCritical, "Aviso al operador",
                           ui::vbOK);
    EXPECT_EQ(descarga(false), DescargaInsumos::Resultado::Fallida);
    EXPECT_TRUE(hayError);
    EXPECT_EQ(filasPE().size(), 1u);
    EXPECT_EQ(ultimoPE(), "0");
}

TEST_F(ComponentDischarge, NoNumberWritesNothing)
{
    execute({"DELETE FROM V_TA_CPTE"});
    linea({"C1", "1"});
    linea({"A1", "1"});
    for (const bool collect : {false, true}) {
        SCOPED_TRACE(collect ? "collected" : "at once");
        prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (50001) Debe configurar la numeraci"), ui::vbAbortRetryIgnore | ui::vbCritical,
                               " - Obtener_Nro_Comprobante_Contable Aviso al operador!!! ", ui::vbAbort);
        hayError = false;
        sqlTemp.clear();
        EXPECT_EQ(descarga(collect), DescargaInsumos::Resultado::SinNumero);
        EXPECT_TRUE(hayError);
        EXPECT_TRUE(base::trim(sqlTemp).empty());
        EXPECT_TRUE(filasPE().empty());
    }
}

}  // namespace
