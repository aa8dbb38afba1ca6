#pragma once
// Voucher numbers handed out from the numbering booklets of V_TA_CPTE and recorded as used.
//
// A voucher is known by its type (TC), its branch (SUCURSAL, "0000"), its number (NUMERO, "00000000") and its
// letter (LETRA: A, B, C, E, R, X or M); the 13-character IdComprobante is the three joined. A booklet row
// gives, per letter L, the default branch L_SUC_DEFAULT, the range L_NRO_DESDE to L_NRO_HASTA, the next
// number to hand out L_ULTIMO_NRO (0: none yet) and an expiry VENCEL.
//
// The life of a number: Obtener_Nro_Comprobante proposes the booklet's next number and remembers the booklet
// for the type; the caller builds its voucher; GrabaNumeroComprobante, given the number that follows the one
// used, produces the booklet's advance and the used-number row for the caller's batch, so that number and
// voucher are written in one transaction or not at all.

#include <string>

// Proposes the next number of the type's first usable booklet (of the business unit when it has one, else
// of any unit), then steps over numbers already taken by the type's trips, accounting entries or purchase
// orders. True when a number was proposed. No booklet, every booklet used up, or a booklet letter that is
// no voucher letter goes to the error treatment: Retry walks the booklets again; any other answer gives
// False with `Suc` and `Nro` empty. A blank type answers False and changes nothing. `Reservado` is unused.
bool Obtener_Nro_Comprobante(const std::string& TC, std::string& Suc, std::string& Nro, std::string& Letra,
                             bool& ModificaNumeracion, bool Verificar, const std::string& Reservado,
                             const std::string& UNegocio);

// The walk over the booklets behind Obtener_Nro_Comprobante: a letter the booklet does not serve becomes its
// first letter; a booklet whose next number has reached its last is used up; with a `Fecha`, a booklet
// expired before that date is passed over. `NroHasta` receives the taken booklet's last number. Failures
// as Obtener_Nro_Comprobante's.
bool Obtener_Nro_Comprobante_Contable(const std::string& TC, std::string& Suc, std::string& Nro, std::string& Letra,
                                      bool& ModificaNumeracion, const std::string& Fecha, const std::string& UNegocio,
                                      std::string& NroHasta);

// Checks a number against the booklet of its type and branch whose range holds it (the booklets walked in
// booklet order, the last one that holds it chosen and remembered for the type); `Mensaje` says what is
// wrong, "" when the number is valid. A blank letter becomes "X". A failed read raises base::Error.
bool ValidaNumeroComprobante(const std::string& TC, const std::string& Suc, const std::string& Nro,
                             std::string& Letra, std::string& Mensaje, const std::string& Fecha);

// Records a used number. `Nro` is the number that FOLLOWS the one used (" 2" after using 1). The booklet is
// the one the validation finds for the number used, else the one proposed last for the type; it is never
// moved backwards. With `GeneraSentencia` the booklet's UPDATE replaces `SentenciaSQL` and the used-number
// INSERT into V_MV_CTROL_CPTE (for "Contable" types, for "OC" and with `ControlSiempre`) is appended, for the
// caller's batch; otherwise the booklet row is updated at once. False when nothing was recorded for a type
// numbered inside the system (no booklet row, another branch's booklet, or a failure the operator did not
// retry): the caller must not write its voucher. An external type answers True with an empty text.
bool GrabaNumeroComprobante(const std::string& TC, const std::string& Sistema, const std::string& Suc,
                            const std::string& Nro, std::string& Letra, bool GeneraSentencia,
                            std::string& SentenciaSQL, bool ControlSiempre);

// The booklet chosen last for the type by a proposal or a validation; 0 when none has been.
int TalonarioActual(const std::string& TC);
