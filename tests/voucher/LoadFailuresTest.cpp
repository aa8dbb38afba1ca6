// What a load does when the voucher, a view or a column is not there, or its arguments cannot be read: the
// error treatment names the load, and the operator's answer decides what the grids keep.

#include "core/Utilidades.h"
#include "tests/voucher/VoucherLoadingFixture.h"

namespace {

class LoadFailures : public VoucherLoadingFixture {
protected:
    static void storedInvoice()
    {
        header("  FC", "000100000001A", ", IDCOMPLEMENTO, IDREPARTO", ", 0, 4");
        for (const char* code : {"  T1", "  T2"})
            execute({"INSERT INTO MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTAREA, DESCRIPCION, HORAS) VALUES "
                     "('  FC', '000100000001A', 0, " + sql(code) + ", 'Fitting', 30)"});
        execute({"INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, CANTIDAD, IMPORTE) VALUES "
                 "('  FC', '000100000001A', 0, " + sql(padded("A1")) + ", 3, 10)",
                 "INSERT INTO MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, OBSERVACION) VALUES "
                 "('  FC', '000100000001A', 0, 'OC', 'Freight')"});
    }

    // The tasks view as an ERP without task descriptions has it.
    static void tasksViewWithoutDescription()
    {
        execute({"DROP VIEW V_MV_CPTETAREAS",
                 "CREATE VIEW V_MV_CPTETAREAS AS SELECT ID, TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IDTAREA, HORAS, "
                 "VALORHORA, VALORHORA_S_IVA, TOTAL, DESCRIPCIONADICIONAL, FECHAESTINICIO, FECHAESTFIN, IDTECNICO, "
                 "FECHAREALINICIO, FECHAREALFIN FROM MV_CPTETAREAS"});
    }

    std::int32_t load(const std::string& id = "000100000001A", const std::string& complement = "0")
    {
        std::int32_t reparto = 13;
        engine->AsignarDatosComprobante("FC", id, complement, tasks, articles, others, false, nullptr, false, "",
                                        &reparto);
        return reparto;
    }
};

TEST_F(LoadFailures, AVoucherNotStoredLeavesTheGridsAndTheCallersIdReparto)
{
    for (const int answer : {ui::vbIgnore, ui::vbAbort}) {
        SCOPED_TRACE(answer);
        layOut("FC");
        const auto before = std::vector{contents(tasks), contents(articles), contents(others)};
        expectLoadError("Recordset", answer);
        EXPECT_EQ(load("000100000999A"), 13);
        EXPECT_EQ((std::vector{contents(tasks), contents(articles), contents(others)}), before);
    }
    EXPECT_NE(errorLog().find("AsignarDatosComprobante"), std::string::npos);
}

TEST_F(LoadFailures, AMissingColumnIsSkippedCellByCellOrLeavesTheGridsAsWritten)
{
    storedInvoice();
    tasksViewWithoutDescription();
    layOut("FC");
    expectLoadError("Recordset", ui::vbIgnore);
    expectLoadError("Recordset", ui::vbIgnore);
    load();
    const Cells skipped = {{{1, 0}, "T1"}, {{1, 1}, ""}, {{1, 2}, "00:30"}, {{2, 0}, "T2"}, {{2, 1}, ""}, {{3, 0}, ""}};
    EXPECT_EQ(cellsOf(tasks, skipped), skipped);
    EXPECT_EQ(others.textMatrix(1, 0), "Freight");

    layOut("FC");
    const auto untouched = std::vector{contents(articles), contents(others)};
    expectLoadError("Recordset", ui::vbAbort);
    load();
    const Cells left = {{{1, 0}, "T1"}, {{1, 11}, "T1"}, {{1, 2}, ""}};
    EXPECT_EQ(cellsOf(tasks, left), left);
    EXPECT_EQ(tasks.rows(), 2);
    EXPECT_EQ((std::vector{contents(articles), contents(others)}), untouched);
}

TEST_F(LoadFailures, AMissingViewIsNamedAndTheOtherGridsStillLoad)
{
    storedInvoice();
    execute({"DROP VIEW V_MV_CPTE_Observ"});
    layOut("FC");
    expectLoadError("Recordset", ui::vbIgnore);
    EXPECT_EQ(load(), 4);
    EXPECT_EQ(tasks.textMatrix(2, 0), "T2");
    EXPECT_EQ(articles.textMatrix(1, 0), "A1");
    EXPECT_EQ(others.rows(), 2);
}

TEST_F(LoadFailures, AQuantityOrPriceThatIsNoNumberReadsAsNothing)
{
    storedInvoice();
    // The ERP's view may hand any text where a number belongs.
    execute({"DROP VIEW V_MV_CPTEINSUMOS",
             "CREATE VIEW V_MV_CPTEINSUMOS AS SELECT ID, TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, PALLETS, IDARTICULO, "
             "DESCRIPCION, IDUNIDAD, 'many' AS CANTIDAD, IDUNIDADBASE, CANTIDADUD, IMPORTE, EXENTO, PORCDTO, IDLISTA, "
             "EQUIV_UDBASE, PRESENTACION, COSTO, IMPORTE_S_IVA, IMPUESTOS, 'dear' AS TOTAL, NRO_LOTE, NRO_SERIE, "
             "CONTROLADOPOR, IDORIGEN, ALICIVA, PRECIO_LISTA, CODIGOARTPROVEEDOR, ESPESOR, ANCHO, UD_PR, IMPORTE_UD "
             "FROM MV_CPTEINSUMOS"});
    layOut("FC");
    load();
    const Cells wanted = {{{1, 0}, "A1"}, {{1, 7}, "0"}, {{1, 23}, "0"}, {{1, 15}, "dear"}, {{1, 18}, "0"}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
}

TEST_F(LoadFailures, AComplementThatIsNoWholeNumberIsRefusedBeforeAnyRead)
{
    storedInvoice();
    for (const char* complement : {"1a", "1.5", "0 OR 1=1"}) {
        SCOPED_TRACE(complement);
        layOut("FC");
        const auto before = std::vector{contents(tasks), contents(articles), contents(others)};
        expectLoadError("", ui::vbIgnore);
        EXPECT_EQ(load("000100000001A", complement), 13);
        EXPECT_EQ((std::vector{contents(tasks), contents(articles), contents(others)}), before);
    }
}

}  // namespace
