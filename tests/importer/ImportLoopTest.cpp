// The loop every import shares: counters and rate, Cancel between records, the two writing styles, and a
// record that cannot be read.

#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "tests/core/ProgramFixture.h"

namespace {

class SharedLoop : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        std::string rows;
        for (int i = 1; i <= 5; ++i)
            rows += "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('" + std::to_string(i) + "', 'Cuenta " +
                    std::to_string(i) + "')\r";
        gDB_Dll().EjecutaConsultaSQL(rows);
        window.alCambiar = [this] { labels.push_back(window.LblDetalle.caption); };
    }
    db::Recordset source(std::string statement = "SELECT * FROM MA_CUENTAS ORDER BY CODIGO")
    {
        db::Recordset rs;
        gDB_Dll().AbrirRecordset(statement, rs);
        return rs;
    }
    // Each record copies its account into TA_CONFIGURACION; the third one twice, which fails.
    std::function<void(ListaSentencias&)> copyAccount(db::Recordset& rs)
    {
        return [&rs](ListaSentencias& lote) {
            const std::string code = rs.field("CODIGO").value().toText();
            const int times = code == "3" ? 2 : 1;
            for (int i = 0; i < times; ++i) {
                std::string condition;
                AgregaCampo("CLAVE", "K" + code, "'", true);
                AgregaCampo("VALOR", rs.field("DESCRIPCION").value(), "'", false);
                ArmaSentencia(gCampos, lote, "TA_CONFIGURACION", false, condition, false);
            }
        };
    }
    long configured()
    {
        db::Recordset rs = source("SELECT COUNT(*) AS N FROM TA_CONFIGURACION");
        return static_cast<long>(rs.field("N").value().asInteger());
    }

    ui::ScriptedEventPump pump;
    Importar window{pump};
    std::vector<std::string> labels;
};

TEST_F(SharedLoop, BatchStyleCountsEveryRecordAndShowsTheRatePerMinute)
{
    db::Recordset rs = source();
    // The clock crosses a minute after the second record: 09:05:02 -> 09:06:10.
    pump.at(2, [this] { clock.set(base::DateTime::fromParts(2026, 3, 7, 9, 6, 10)); });
    ImportLoop loop(window, "MA_CUENTAS");
    EXPECT_EQ(loop.porLotes(rs, copyAccount(rs)), ImportLoop::Fin::Completo);
    EXPECT_EQ(loop.leidos(), 5);
    EXPECT_EQ(loop.grabados(), 4);
    EXPECT_EQ(loop.errores(), 1);
    EXPECT_EQ(configured(), 4);
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels[0], "Leidos 0 Grabados:0 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 0 Min. (Promedio: 0 x minuto)");
    EXPECT_EQ(labels[1], "Leidos 1 Grabados:1 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 0 Min. (Promedio: 1 x minuto)");
    EXPECT_EQ(labels[2], "Leidos 2 Grabados:2 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 1 Min. (Promedio: 2 x minuto)");
    EXPECT_EQ(labels[4], "Leidos 4 Grabados:3 Errores: 1 Inicio: 07/03/2026 09:05:02 transcurrido: 1 Min. (Promedio: 2 x minuto)");
}

TEST_F(SharedLoop, CancelTakesEffectAtTheNextRecord)
{
    db::Recordset rs = source();
    pump.at(2, [this] { window.CmdCancelar_Click(); });
    ImportLoop loop(window, "MA_CUENTAS");
    EXPECT_EQ(loop.porLotes(rs, copyAccount(rs)), ImportLoop::Fin::Cancelado);
    EXPECT_EQ(loop.leidos(), 2);
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_EQ(configured(), 2);
}

TEST_F(SharedLoop, AnEmptySourceShowsNoCountersLine)
{
    db::Recordset rs = source("SELECT * FROM MA_CUENTAS WHERE 1 = 0");
    ImportLoop loop(window, "MA_CUENTAS");
    EXPECT_EQ(loop.porLotes(rs, copyAccount(rs)), ImportLoop::Fin::Completo);
    EXPECT_TRUE(labels.empty());
}

TEST_F(SharedLoop, ARecordThatCannotBeReadStopsTheTaskWithNothingOfItWritten)
{
    db::Recordset rs = source();
    ImportLoop loop(window, "FCLIENTE");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (3265) Tabla FCLIENTE, registro 3: Item cannot be found"),
                           ui::vbOKOnly | ui::vbCritical, "Recordset - FCLIENTE Aviso al operador!!! ", ui::vbOK);
    const auto fin = loop.porLotes(rs, [&rs](ListaSentencias& lote) {
        std::string condition;
        const std::string code = rs.field("CODIGO").value().toText();
        AgregaCampo("CLAVE", "K" + code, "'", true);
        ArmaSentencia(gCampos, lote, "TA_CONFIGURACION", false, condition, false);
        if (code == "3") (void)rs.field("NO_EXISTE");
    });
    EXPECT_EQ(fin, ImportLoop::Fin::Detenido);
    EXPECT_EQ(configured(), 2);
    EXPECT_EQ(window.LblDetalle.caption, "DETENIDO en el registro 3 de FCLIENTE");
}

}  // namespace
