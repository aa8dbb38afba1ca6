#include "importer/movements/ArticulosFaltantes.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/Importar.h"
#include "platform/base/Error.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <fmt/format.h>
#include <unordered_map>

namespace ordenes {

std::string ArticulosFaltantes::clave(const std::string& nume, const std::string& nums, const std::string& codigo)
{
    return nume + "/" + nums + '\x1f' + base::toUpperCase(base::trim(codigo));
}

ArticulosFaltantes ArticulosFaltantes::lee(Importar& ventana)
{
    ArticulosFaltantes resultado;
    try {
        resultado.recorre(ventana);
    } catch (const base::Error&) {
        // What could be read stands; the line phase meets the rest and tells the operator.
    }
    return resultado;
}

void ArticulosFaltantes::recorre(Importar& ventana)
{
    db::Recordset origen;
    origen.open("SELECT NUME_FOD, NUMS_FOD, CODP_FOD, CODI_FOD FROM FDEORCOM ", ventana.DBOrigen->gCnn);
    DB_Dll& erp = gDB_Dll();
    Utilidades& util = gUtilidades();
    // Whether the master has each article, asked once per article.
    std::unordered_map<std::string, bool> enMaestro;
    std::int32_t registro = 0;
    for (; !origen.eof(); origen.moveNext()) {
        ++registro;
        const std::string articulo = base::trim(util.NuloACadena(origen.field("CODI_FOD").value()));
        const std::string relleno = util.RellenaCodigo(articulo, 25);
        auto [lugar, nuevo] = enMaestro.try_emplace(base::toUpperCase(relleno), false);
        if (nuevo) {
            db::Recordset fila;
            erp.abreSinTratamiento("SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE IDARTICULO = " +
                                       erp.SQLValue(base::Value(relleno)),
                                   fila);
            lugar->second = !fila.eof();
        }
        if (lugar->second) continue;
        const std::string nume = base::trim(util.NuloACadena(origen.field("NUME_FOD").value()));
        const std::string nums = base::trim(util.NuloACadena(origen.field("NUMS_FOD").value()));
        const std::string codigo = util.NuloACadena(origen.field("CODP_FOD").value());
        faltas_[clave(nume, nums, codigo)].push_back({registro, articulo});
    }
}

std::string ArticulosFaltantes::de(const NumeroOrden& orden, const std::string& codigo) const
{
    const auto lugar = faltas_.find(clave(orden.nume, orden.nums, codigo));
    if (lugar == faltas_.end()) return {};
    std::string texto;
    for (const Falta& falta : lugar->second)
        texto += fmt::format("{}FDEORCOM registro {}, artículo {}", texto.empty() ? "" : "; ", falta.registro,
                             falta.articulo);
    return texto;
}

}  // namespace ordenes
