#pragma once
// A stock posting on a fresh embedded database: voucher types "IR" (entry), "RM" (exit), "RMC" (entry,
// purchases), "TR" (transfer) and "OP" (production), an article-line grid of 92 columns whose lines start
// as a purchase-order reception writes them, and the poster's arguments as the reception passes them, held
// in variables as a caller holds them.

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/StartUp.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"
#include "tests/core/ProgramFixture.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>

class StockPostingFixture : public ProgramFixture {
protected:
    // The arguments of one call; by default the reception road's, collecting.
    struct Posteo {
        std::string TC = "IR";
        std::string SucNroLetra = "000100000001X";
        std::string IdComplemento = "0";
        std::string Fecha = "07/03/2026";
        std::string IdDeposito = "CD61";
        std::string IdDepositoDestino;
        std::string IdMotivoStock;
        std::string TcOrigen = "OC";
        std::string ComprobanteOrigen = "000100001234C";
        bool EsTransferencia = false;
        std::string Cuenta = "211010157";
        bool GeneraSentenciaSQL = true;
        std::string SQLTemp;
        bool HayError = false;
        std::string IdTecnico = "Null";
        std::string LoteFijo;
        std::string Aduana;
        std::string LoteOrigen;
        std::int16_t SignoRemota = 0;
        bool MuestraCartel = false;
        std::string IdVendedor;
    };

    void SetUp() override
    {
        ProgramFixture::SetUp();
        cajaAnterior_ = gCaja;
        gCaja = "1";
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES) VALUES ('  IR', 1, 'STOCK', 'E')");
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES) VALUES ('  RM', 1, 'STOCK', 'S')");
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES) VALUES (' RMC', 1, 'COMPRAS', 'E')");
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES) VALUES ('  TR', 1, 'STOCK', NULL)");
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES) VALUES ('  OP', 1, 'STOCK', NULL)");
        nuevaGrilla();
    }

    void TearDown() override
    {
        gCaja = cajaAnterior_;
        ProgramFixture::TearDown();
    }

    static void execute(std::string statement)
    {
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_TRUE(gDB_Dll().gCnn.errors().empty()) << statement;
    }

    static void configura(const std::string& clave, const std::string& valor)
    {
        execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (" + gDB_Dll().SQLValue(clave) + ", " +
                gDB_Dll().SQLValue(valor) + ")");
    }

    // An empty article-line grid: the caption row only.
    void nuevaGrilla()
    {
        grilla = std::make_unique<ui::FlexGrid>("MSFlexGrid2");
        grilla->setCols(92);
        grilla->setRows(1);
    }

    // Adds a line as the reception writes it (article A1, 10 units received of 10, no lots, no sizes,
    // not perishable, price 50 and cost 40) but with column 19 "0", not a series line; the given cells
    // replace those. Returns its row.
    long linea(const std::map<long, std::string>& celdas = {})
    {
        const long fila = grilla->rows();
        grilla->setRows(fila + 1);
        const std::map<long, std::string> recepcion{
            {0, gUtilidades().RellenaCodigo("A1", 25)}, {5, "UN"}, {7, "10"}, {14, "50"}, {17, "50"}, {19, "0"}, {21, "0"},
            {22, "0"}, {38, "40"}, {40, "0"}, {41, "UN"}, {46, "0"}, {61, "0"}, {74, "10"}};
        for (const auto& [col, texto] : recepcion) grilla->setTextMatrix(fila, col, texto);
        for (const auto& [col, texto] : celdas) grilla->setTextMatrix(fila, col, texto);
        return fila;
    }

    void postea(ClsCmnCptes& motor, Posteo& a)
    {
        motor.ActualizaStock(*grilla, a.TC, a.SucNroLetra, a.IdComplemento, a.Fecha, &a.IdDeposito,
                             &a.IdDepositoDestino, &a.IdMotivoStock, &a.TcOrigen, &a.ComprobanteOrigen,
                             &a.EsTransferencia, &a.Cuenta, &a.GeneraSentenciaSQL, &a.SQLTemp, &a.HayError,
                             &a.IdTecnico, &a.LoteFijo, &a.Aduana, &a.LoteOrigen, &a.SignoRemota, &a.MuestraCartel,
                             &a.IdVendedor);
    }

    // Runs a collected batch as the caller does; true when it committed.
    static bool ejecutaLote(const std::string& sqlTemp)
    {
        bool hayError = false;
        long codigo = 0;
        std::string lote, textoError;
        EjecutaTransaccion(ListaSentencias{sqlTemp}, hayError, codigo, false, false, lote, textoError);
        ultimoError = codigo;
        return !hayError;
    }

    // The texts a query answers, numbers written shortest ("1", "-3.3333") and texts without their
    // padding, so expectations read as the values meant.
    static Rows valores(const std::string& statement)
    {
        Rows result = rows(statement);
        for (auto& row : result)
            for (auto& value : row) {
                const std::string trimmed = base::trim(value);
                const auto separators =
                    std::count_if(trimmed.begin(), trimmed.end(), [](char c) { return c == '.' || c == ','; });
                const bool numeric = !trimmed.empty() && separators < 2 &&
                                     trimmed.find_first_not_of("-0123456789.,") == std::string::npos;
                value = numeric ? gUtilidades().ValorNumerico(trimmed).toText('.') : trimmed;
            }
        return result;
    }

    static long count(const std::string& table = "V_MV_STOCK")
    {
        return std::stol(rows("SELECT COUNT(*) FROM " + table)[0][0]);
    }

    static std::string c25(std::string_view code) { return gUtilidades().RellenaCodigo(code, 25); }
    static std::string joined(std::string_view lote, std::string_view serie)
    {
        return std::string(lote) + base::characterOfCode(255) + std::string(serie);
    }

    std::unique_ptr<ui::FlexGrid> grilla;
    static inline long ultimoError = 0;

private:
    std::string cajaAnterior_;
};
