#pragma once
// What the program knows of a voucher type and of the vouchers already stored.

#include "platform/db/Recordset.h"

#include <string>

// True when C_MV_CPTE holds a voucher of the type (compared padded to 4) with that 13-character id. With
// `Rs` the answer's rows stay open in it for the caller; without, a private recordset is used. A failure
// shows the operator a box (Abort, Retry, Ignore), also logged: Retry runs the query again, Ignore and
// Abort answer what is known so far (False).
bool ExisteComprobante(const std::string& TC, const std::string& IdComprobante, db::Recordset* Rs = nullptr);
