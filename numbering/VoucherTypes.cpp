// Voucher-type data, voucher letters and the stored-voucher test.

#include "numbering/VoucherTypes.h"

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/ui/Prompter.h"

namespace {

// The operator decides what a failed lookup does; the box is logged like every box shown.
int avisoAlOperador(const base::Error& error)
{
    const int answer = programPrompter().msgBox(error.description(), ui::vbAbortRetryIgnore | ui::vbCritical,
                                                "Aviso al Operador");
    gDB_Dll().registraError(error.description(), "ExisteComprobante", answer);
    return answer;
}

}  // namespace

bool ExisteComprobante(const std::string& TC, const std::string& IdComprobante, db::Recordset* Rs)
{
    DB_Dll& erp = gDB_Dll();
    const std::string statement = "SELECT * FROM c_mv_cpte WHERE tc =" +
                                  erp.SQLValue(gUtilidades().RellenaCodigo(base::trim(TC), 4)) +
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
