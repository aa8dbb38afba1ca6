// Voucher-type data, voucher letters and the stored-voucher test.

#include "numbering/VoucherTypes.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "numbering/NumberingQueries.h"
#include "platform/base/Conversions.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/ui/Prompter.h"

#include <array>
#include <utility>

namespace {

// The operator decides what a failed lookup does; the box is logged like every box shown.
int avisoAlOperador(const base::Error& error)
{
    const int answer = programPrompter().msgBox(error.description(), ui::vbAbortRetryIgnore | ui::vbCritical,
                                                "Aviso al Operador");
    gDB_Dll().registraError(error.description(), "ExisteComprobante", answer);
    return answer;
}

// Copies the three columns of the first row, when there is one.
bool copiaDatos(db::Recordset& rs, std::string_view debeHaber, std::string& Sistema, std::string& DebeHaber,
                std::string& ES)
{
    if (rs.eof()) return false;
    Sistema = numbering::texto(rs["SISTEMA"].value());
    DebeHaber = numbering::texto(rs[debeHaber].value());
    ES = numbering::texto(rs["ES"].value());
    return true;
}

}  // namespace

std::string ObtieneLetraComprobante(const std::string& CondIvaEmpresa, const std::string& CondIvaCliente)
{
    if (base::leadingNumber(CondIvaEmpresa) != 1) return "C";
    return base::leadingNumber(CondIvaCliente) > 2 ? "B" : "A";
}

void ObtieneDatosTipoComprobante(const std::string& TC, std::string& Sistema, std::string& DebeHaber, std::string& ES)
{
    const std::string codigo = gDB_Dll().SQLValue(numbering::codigo4(TC));
    db::Recordset rs;
    numbering::abreConsulta("select * from v_ta_cpte where codigo = " + codigo, rs);
    if (copiaDatos(rs, "DEBEHABER", Sistema, DebeHaber, ES)) return;
    numbering::abreConsulta("select * from ta_comprobantes where codigo = " + codigo, rs);
    copiaDatos(rs, "DEBE-HABER", Sistema, DebeHaber, ES);
}

bool ExisteComprobante(const std::string& TC, const std::string& IdComprobante, db::Recordset* Rs)
{
    DB_Dll& erp = gDB_Dll();
    const std::string statement = "SELECT * FROM c_mv_cpte WHERE tc =" + erp.SQLValue(numbering::codigo4(TC)) +
                                  " and idcomprobante = " + erp.SQLValue(IdComprobante);
    bool found = false;
    db::Recordset own;
    db::Recordset& recordset = Rs ? *Rs : own;
    base::ErrorTrap trap(avisoAlOperador);
    trap.step([&] {
        if (recordset.state() != db::kStateClosed) recordset.close();
    });
    trap.step([&] { recordset.open(statement, erp.gCnn, db::CursorType::ForwardOnly, db::LockType::ReadOnly); });
    trap.step([&] { found = !recordset.bof(); });
    return found;
}

std::string ObtieneTCEquivalente(const std::string& TC)
{
    static const std::array<std::string_view, 13> kCompartidos{"FCC", "FPC", "FP", "NCC", "NDC", "PG",  "FC",
                                                               "NC",  "ND",  "CB", "CBCT", "TK", "TKFC"};
    const std::string trimmed = base::trim(TC);
    for (std::string_view code : kCompartidos) {
        if (numbering::esTipo(trimmed, {code})) {
            std::string aux;
            return base::trim(LeeConfiguracion("EQU_" + std::string(code), aux));
        }
    }
    if (numbering::esTipo(trimmed, {"CBFP", "PGFP", "NCFP", "NCCP", "GF"})) return trimmed;
    return {};
}
