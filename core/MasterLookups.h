#pragma once
// Finding a master row from a code typed or imported: an account (or one of its branches), or an article by
// its id or one of its barcodes. Each hands back the recordset on the row found, so the caller can read
// further columns; with `soloLectura` off the recordset can update the row.

#include "platform/db/Recordset.h"

#include <string>
#include <string_view>

// An account of `tabla` by code or optional code (the code then becomes the main one), or with a branch
// number of 1 or more the account's branch row in MA_CUENTASSUC.
bool BuscaCuentaSucursal(std::string_view tabla, std::string& codigo, db::Recordset* recordset, bool soloLectura,
                         long sucursal);

// An account by main code, or by optional code when `porCodigoOpcional` (turned on when the code turned
// out to be an optional one); a code found by its optional form becomes the main one.
bool BuscaCuenta(std::string& codigo, db::Recordset* recordset, bool soloLectura, bool& porCodigoOpcional);

// An article by id or barcode (codes of more than 6 characters may be barcodes; a secondary barcode gives
// its unit as the column IDUNIDAD). A code found as a barcode becomes the article's own id.
bool BuscaArticulo(std::string& codigo, db::Recordset* recordset, bool soloLectura, bool& porCodigoBarra,
                   std::string& descripcion);
