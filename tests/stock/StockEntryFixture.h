#pragma once
// An ERP database ready for the accounting entries of stock movements: the switch on, stock and sales
// motives with their accounts, articles with and without a cost account, sub-journals for the voucher
// types, a "CMV" booklet; an article-line grid to fill, and the entry lines read back column by column.

#include "core/Configuracion.h"
#include "core/StartUp.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"
#include "tests/core/ProgramFixture.h"

#include <fmt/format.h>
#include <memory>

namespace stock_entry {

using Rows = std::vector<std::vector<std::string>>;

// One line of the article-line grid: article, quantity (column 7), price without VAT (17), cost (38).
struct Renglon {
    std::string articulo, cantidad, precioSinIva, costo;
};

// The columns every line of one entry shares, as they read back; the reception's by default.
struct Cabecera {
    std::string mes = "8", numero = "1", fecha = "15/08/2005", detalle = "Recep. D'Angelo", tc = "  IR",
                suc = "0001", nro = "00000007", letra = "X", periodo = "1", tipoReg = " STK",
                grabacion = "07/03/2026 09:05:02", usuario = "operador", cabImporte = "31.5", cabCuenta = "2.1.01",
                cabNombre = "   5", unegocio = "   1", cajas = "   1", tcOrigen = "NULL", cpteOrigen = "NULL";
};

// The columns of one line.
struct Linea {
    std::string cuenta, secuencia, debeHaber, importe;
};

inline const char* kColumnas =
    "CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], FECHA, FECHASUBDIARIO, DETALLE, TC, SUCURSAL, NUMERO, "
    "LETRA, PERIODO, TIPO_REG, [DEBE-HABER], FECHAHORA_GRABACION, USUARIO_LOGEADO, IMPORTE, MONEDA, COTIZACION, "
    "CABIMPORTE, CABCUENTA, CABNOMBRE, UNEGOCIO, IDCAJAS, TC_ORIGEN, CPTE_ORIGEN";

inline Rows lineasEsperadas(const Cabecera& c, const std::vector<Linea>& lineas)
{
    Rows rows;
    for (const Linea& l : lineas)
        rows.push_back({l.cuenta, l.secuencia, c.mes, c.numero, c.fecha, c.fecha, c.detalle, c.tc, c.suc, c.nro,
                        c.letra, c.periodo, c.tipoReg, l.debeHaber, c.grabacion, c.usuario, l.importe, "   1", "1",
                        c.cabImporte, c.cabCuenta, c.cabNombre, c.unegocio, c.cajas, c.tcOrigen, c.cpteOrigen});
    return rows;
}

// The voucher whose entry is asked for; the call's by-reference arguments come back in it.
struct Llamada {
    std::string motivo = "   1", tc = "IR", suc = "0001", nro = "00000007", letra = "X", fecha = "15/08/2005";
    int tipoMov = 5;
    long soloRegistro = 0;
    int secuencia = 1;
    bool esDebito = true;
};

inline std::string articulo(std::string_view code) { return fmt::format("{:>25}", code); }

class StockEntry : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        gPeriodo = 1;
        gUsuarioLogeado = "operador";
        gUNegocio = "   1";
        gCaja = "1";
        execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('AsientosXStock', 'SI')\r"
                "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('MotivoStockRecepcionOC', '   5')\r"
                "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('MotivoStockRemito', '   6')\r"
                "INSERT INTO TA_MOTIVOSTOCK VALUES ('   5', 'Recep. D''Angelo', '2.1.01')\r"
                "INSERT INTO TA_MOTIVOSTOCK VALUES ('   6', 'Remitos', '2.1.02')\r"
                "INSERT INTO TA_MOTIVOSTOCK VALUES ('   7', 'Ajustes', '5.1.01')\r"
                "INSERT INTO TA_MOTIVOSTOCK VALUES ('   8', 'Sin cuenta', NULL)\r"
                "INSERT INTO TA_MOTIVOVTA VALUES ('   3', 'Ventas mostrador')\r"
                "INSERT INTO TA_INPUT_VENTAS VALUES ('   3', '5.1.09')\r"
                "INSERT INTO MA_SUBDIARIOS (CODIGO) VALUES (' STK')\r"
                "INSERT INTO MA_SUBDIARIOS (CODIGO) VALUES (' VTA')\r"
                "INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, SUBDIARIO) VALUES ('  IR', ' STK')\r"
                "INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, SUBDIARIO) VALUES ('  RM', ' STK')\r"
                "INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, SUBDIARIO) VALUES ('  TR', ' STK')\r"
                "INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, SUBDIARIO) VALUES (' CMV', ' VTA')\r"
                "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, ES) VALUES ('  TR', 1, 'X', 'STOCK', 'S')\r"
                "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, "
                "X_ULTIMO_NRO) VALUES (' CMV', 1, 'X', 'Contable', 1, 1, 99999999, 0)");
        articuloConCuenta("A1", "1.1.05");
        articuloConCuenta("A2", "1.1.05");
        articuloConCuenta("A3", "1.1.07");
        articuloConCuenta("A4", "");
        articuloConCuenta("A5", "1.1.03");
    }

    void TearDown() override
    {
        gPeriodo = 0;
        gUsuarioLogeado.clear();
        gUNegocio.clear();
        gCaja.clear();
        ProgramFixture::TearDown();
    }

    void execute(std::string statement)
    {
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_EQ(gDB_Dll().gCnn.errors().count(), 0) << statement;
    }

    // An empty account leaves the article without one (Null).
    void articuloConCuenta(std::string_view code, std::string_view cuenta)
    {
        execute(fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, CUENTACONTABLEC) "
                            "VALUES ('{}', 'Art {}', {})",
                            articulo(code), code, cuenta.empty() ? "NULL" : fmt::format("'{}'", cuenta)));
    }

    // The article-line grid with its caption row, the given lines and the empty row the voucher screens
    // leave at the end.
    static std::unique_ptr<ui::FlexGrid> grilla(const std::vector<Renglon>& renglones, std::string name = "MSFlexGrid2",
                                                bool filaVacia = true)
    {
        auto grid = std::make_unique<ui::FlexGrid>(std::move(name));
        grid->setCols(92);
        grid->setRows(static_cast<long>(renglones.size()) + (filaVacia ? 2 : 1));
        for (std::size_t i = 0; i < renglones.size(); ++i) {
            const long row = static_cast<long>(i) + 1;
            grid->setTextMatrix(row, 0, renglones[i].articulo);
            grid->setTextMatrix(row, 7, renglones[i].cantidad);
            grid->setTextMatrix(row, 17, renglones[i].precioSinIva);
            grid->setTextMatrix(row, 38, renglones[i].costo);
        }
        return grid;
    }

    std::string genera(ClsCmnCptes& engine, ui::FlexGrid& grid, Llamada& ll)
    {
        return engine.GeneraAsientoStock(grid, ll.motivo, ll.tc, ll.suc, ll.nro, ll.letra, ll.fecha, ll.esDebito,
                                         ll.tipoMov, ll.soloRegistro, &ll.secuencia);
    }

    // Runs the entry's statements as the caller's batch would.
    void ejecuta(const std::string& statements)
    {
        if (!statements.empty()) execute(statements);
    }

    static Rows lineas(std::string_view condition = "")
    {
        return rows(fmt::format("SELECT {} FROM MV_ASIENTOS {} ORDER BY SECUENCIA, CUENTA", kColumnas, condition));
    }
};

}  // namespace stock_entry
