// The employees of the workbook EMPLEADOSTEMO.xls (sheet MIG) become employee accounts of the ERP: a
// MA_CUENTAS row and a MA_CUENTASADIC row each, inserted when new and overwritten when present.
//
// The two rows are written in one transaction, and each table is asked on its own whether it holds the
// account, so an employee never ends up with one row and not the other: a refused statement undoes the
// other one, and an account found in only one table gets the missing row. A refusal is one box naming the
// employee.
//
// A LEGAJO that is not a whole number refuses its row: read as a number, "1.234" would be employee 1 and
// write over that employee's account.

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/AccountRow.h"
#include "importer/ErrorList.h"
#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "importer/LegacySource.h"
#include "importer/RefusedRecords.h"

void Importar::ImportaEmpleadosTEMO()
{
    using namespace cuentas;
    db::Recordset origen;
    if (!abreOrigen(*this, "SELECT * FROM [MIG$]", origen)) return;

    DB_Dll& erp = gDB_Dll();
    Utilidades& util = gUtilidades();
    ImportLoop loop(*this, "EMPLEADOSTEMO [MIG$]");
    CuentasDelProceso tomadas("ImportaEmpleadosTEMO", "EMPLEADOSTEMO [MIG$]");
    RegistrosRechazados legajosMalos(*this, "ImportaEmpleadosTEMO", "EMPLEADOSTEMO [MIG$]");
    const auto campo = [&origen](std::string_view nombre) -> const base::Value& { return origen.field(nombre).value(); };

    const auto procesa = [&] {
        const base::Value& legajo = campo("LEGAJO");
        if (!esLegajo(legajo)) {
            legajosMalos.rechaza(loop.registro(), "LEGAJO", texto(legajo),
                                 "no es un número entero sin signo; el empleado no se importa");
            return;
        }
        const std::string cuenta = cuentaEmpleado(legajo);
        const std::string nombre = util.LimpiaTexto(texto(campo("APELLIDO Y NOMBRE")));
        const std::string direccion = util.LimpiaTexto(texto(campo("Direccion")));
        // The cell as it is: a number is written in its plain form, an empty cell as NULL.
        const std::string cuil = erp.SQLValue(campo("cuil"), "'");
        const std::string iva = "   3";

        if (!tomadas.libre(cuenta, texto(legajo))) return;
        const bool hayCuenta = existeCuenta("MA_CUENTAS", cuenta);
        const bool hayAdicional = existeCuenta("MA_CUENTASADIC", cuenta);
        const std::string cuentaSql =
            hayCuenta ? "UPDATE MA_CUENTAS SET TIPOVISTA = 'PE',TITULO = 0,MONEDA = '   1', LIBRO_IVA_VENTAS = 0, CODIGO = " +
                            sql(cuenta) + ",DESCRIPCION = " + sql(nombre) +
                            ",DADA_DE_BAJA = 0 ,CODIGOOPCIONAL = NULL,BLOQUEO = 0  WHERE CODIGO = " + sql(cuenta)
                      : "INSERT INTO MA_CUENTAS (TIPOVISTA ,TITULO , MONEDA, LIBRO_IVA_VENTAS, CODIGO , DESCRIPCION, "
                        "DADA_DE_BAJA, CODIGOOPCIONAL,BLOQUEO ) VALUES  ('PE',  0, '   1', 0, " +
                            sql(cuenta) + ", " + sql(nombre) + ",0, NULL, 0)";
        const std::string adicionalSql =
            hayAdicional
                ? "UPDATE MA_CUENTASADIC SET CODIGO = " + sql(cuenta) + ",CONTACTO = " + sql(nombre) +
                      ",CALLE = " + sql(direccion) + ",CPOSTAL = " + sql("9000") +
                      ",PROVINCIA = '  23', PAIS = '   1' ,TELEFONO = NULL ,IVA = " + sql(iva) +
                      ",DOCUMENTO_TIPO = '   2' ,NUMERO_DOCUMENTO = " + cuil +
                      ",CLASE = 4, IDMOTIVOVTA = '   1', IDCOND_CPRA_VTA = '  01', IDLISTA = 'MAY' ,LOCALIDAD = '.'  "
                      "WHERE CODIGO = " + sql(cuenta)
                : "Insert Into MA_CUENTASADIC  (CODIGO ,CONTACTO, CALLE, CPOSTAL, PROVINCIA, PAIS, TELEFONO, IVA, "
                  "DOCUMENTO_TIPO, NUMERO_DOCUMENTO, CLASE, IDMOTIVOVTA, IDCOND_CPRA_VTA, IDLISTA, LOCALIDAD ) VALUES (" +
                      sql(cuenta) + "," + sql(nombre) + "," + sql(direccion) + "," + sql("9000") +
                      ",'  23','   1',null," + sql(iva) + ",'   2'," + cuil + ",4,'   1','  01','MAY','.')";
        // Before the transaction, not between its statements: no window event runs while an employee is half
        // written.
        if (hayCuenta) eventos().doEvents();
        if (loop.grabaRegistro({cuentaSql, adicionalSql}, "legajo " + texto(legajo))) tomadas.toma(cuenta, texto(legajo));
    };
    const ImportLoop::Fin fin = loop.directo(origen, procesa, [&] { return campo("LEGAJO").isNull(); });
    avisaFinDeTarea({tomadas.aviso(), legajosMalos.aviso("LEGAJO no es un número entero sin signo")});
    if (fin != ImportLoop::Fin::Completo) return;
    erp.CierraRecordset(origen);
    LblDetalle.caption = "FINALIZADO EMPLEADOS TEMO";
    cambio();
}
