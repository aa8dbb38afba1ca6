#pragma once
// What the program knows of a voucher type and of the vouchers already stored: the letter a voucher
// carries, the type's accounting data, whether a purchase voucher exists, and the type whose numbering
// another type shares.

#include "platform/db/Recordset.h"

#include <string>

// The letter of a voucher from the IVA conditions of the company and of the customer, each read by its
// leading number: a company in condition 1 issues "A" to customers up to condition 2 and "B" to the rest;
// any other company issues "C".
std::string ObtieneLetraComprobante(const std::string& CondIvaEmpresa, const std::string& CondIvaCliente);

// The type's system, debit-credit side and in-out mark, from its booklet table V_TA_CPTE or else from
// TA_COMPROBANTES; a Null column reads as "". Outputs keep their values when neither table has the type.
// A failed read raises base::Error for the caller's error treatment.
void ObtieneDatosTipoComprobante(const std::string& TC, std::string& Sistema, std::string& DebeHaber, std::string& ES);

// True when C_MV_CPTE holds a voucher of the type (compared padded to 4) with that 13-character id. With
// `Rs` the answer's rows stay open in it for the caller; without, a private recordset is used. A failure
// shows the operator a box (Abort, Retry, Ignore), also logged: Retry runs the query again, Ignore and
// Abort answer what is known so far (False).
bool ExisteComprobante(const std::string& TC, const std::string& IdComprobante, db::Recordset* Rs = nullptr);

// The type whose numbering `TC` shares: for the invoicing types the setting EQU_ + type (trimmed; "" when
// it is not set), for the types that number on their own the trimmed type itself, for any other type "".
std::string ObtieneTCEquivalente(const std::string& TC);
