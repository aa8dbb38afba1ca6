#include "importer/TaskList.h"

const std::array<TareaMigracion, kCantidadTareas> kTareas{{
    {"LIMITE DE CREDITOS", "LIMITECREDITO", "", true, "FCLIENTES.DBF"},
    {"Clientes.................................", "CLIENTES", "", true, "FCLIENTES.DBF -  FCIUDADE.DBF"},
    {"Proveedores ........................", "PROVEEDORES", "", true, "FPROVEED.DBF - FCIUDADE.DBF"},
    {"Empleados TEMO/RUNCO............", "EMPLEADOSTEMO", "", true, "EMPLEADOSTEMO.XLS"},
    {"ELIMINAR DISPARADORES", "ELIMINARTRIGGER", "", false, ""},
    {"VACIAR MOVIMIENTOS", "VACIARMOVIMIENTOS", "", false, ""},
    {"BORRAR ARTICULOS-PRECIOS", "BORRARARTICULOS", "", false, ""},
    {"Articulos y equivalencias....................", "ARTICULOS", "", false, "FARTICUL.DBF"},
    {"Costos y listas de precios...................", "COSTOS", "", false, "FCOSTEOS.DBF"},
    {"Listas de Compras (Se genera Tabla desde Articulos)", "LISTASCOMPRAS", "", false, ""},
    {"CREAR DISPARADORES", "CREAR1", "", true, ""},
    {"Saldos de Clientes", "MV_ASIENTOS", "SALDCLIE.DBF", true, "SALDCLIE.DBF"},
    {"Saldos de Proveedores", "MV_ASIENTOS", "SALDPROV.DBF", true, "SALDPROV.DBF"},
    {"Cheques en Cartera", "MV_ASIENTOS", "CHEQUES.DBF", true, "CHEQUES.DBF"},
    {"ELIMINAR DISPARADORES", "ELIMINARTRIGGER", "", false, ""},
    {"Movimientos de Stock de Ventas", "V_MV_STOCK", "VENTAS.DBF", true, "VENTAS.DBF"},
    {"Movimientos de Stock de Compras", "V_MV_STOCK", "COMPRAS.DBF", true, "COMPRAS.DBF"},
    {"Mov. Varios de Stock", "V_MV_STOCK", "MOVSTK.DBF", true, "MOVSTK.DBF"},
    {"Saldos Stock", "V_MV_STOCK", "SALDOSTK.DBF", true, "SALDOSTK.DBF"},
    {"CREAR DISPARADORES", "CREAR1", "", true, ""},
    {"ORDENES DE COMPRA PENDIENTE", "ORDENESPENDIENTES", "", true, "FORCOMPR.DBF"},
}};

const std::array<std::size_t, kCantidadTareas> kOrdenEnPantalla{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
                                                                11, 12, 13, 14, 15, 16, 17, 18, 20, 19};
