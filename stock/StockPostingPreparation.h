#pragma once
// What a stock posting settles before its first line: the caller's texts turned into the SQL literals every
// movement row writes, the flags that steer the passes, and the checks that stop a posting before anything
// is written. Also the state the posting carries from one movement to the next.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

class ClsCmnCptes;

// The word with which a caller asks for a value line by line from the article grid.
inline constexpr std::string_view kElDelGrid = "ELDELGRID";

// The arguments of a posting as its caller gave them (the optional ones with their defaults).
struct ArgumentosStock {
    std::string TC;
    std::string SucNroLetra;
    std::string IdComplemento;
    std::string Fecha;
    std::string IdDeposito;
    std::string IdDepositoDestino;
    std::string IdMotivoStock;
    std::string TcOrigen;
    std::string ComprobanteOrigen;
    bool EsTransferencia = false;
    std::string Cuenta = "PorDefault";
    bool GeneraSentenciaSQL = false;
    std::string IdTecnico = "Null";
    std::string LoteFijo;
    std::string Aduana;
    std::string LoteOrigen;
    int SignoRemota = 0;
    std::string IdVendedor;
};

// The arguments as the movement rows use them. Literals are ready to stand in a statement: a quoted,
// padded code or NULL.
struct PreparacionStock {
    std::string tc;                 // the voucher type padded to 4, as its literal
    std::string tcRecortado;        // the voucher type trimmed, for the type lists
    std::string idComprobante;      // the voucher id's literal
    std::string idComplemento;      // a whole number
    std::string fecha;              // the date's literal
    // Warehouse: the literal, or the line's own (column 6) when asked for "ELDELGRID"; a line without one
    // takes `depositoDeLinea`, the configured default or NULL.
    bool depositoDelGrid = false;
    std::string deposito;
    std::string depositoDeLinea;
    std::string depositoDestino;
    // Motive and origin: the literals, or the line's own (columns 86 and 34) when asked for "ELDELGRID".
    bool motivoDelGrid = false;
    std::string motivo;
    std::string motivoDeLinea;      // what a line with a blank motive takes: the configured default or NULL
    bool tcOrigenDelGrid = false;
    std::string tcOrigen;
    std::string tcOrigenCodigo;     // the origin type trimmed, for the type lists
    bool comprobanteOrigenDelGrid = false;
    std::string comprobanteOrigen;
    bool esTransferencia = false;
    std::string cuenta;             // the account as the caller passed it ("PorDefault": the article's supplier)
    std::string idTecnico;          // the literal, or empty: no technician
    std::string loteFijo;
    std::string aduana;
    std::string loteOrigen;
    std::string idVendedor;         // the literal
    int signoRemota = 0;
    int signo = 0;                  // the movements' sign before the passes change it
    bool compras = false;           // the voucher type belongs to purchases: rows carry no complement
    bool produccion = false;        // "OP": entries of the produced lines, then exits of the others
    bool confirmaUDEquiv = false;   // the base quantity comes from the equivalent unit's columns
    double piva = 0;                // the rate of a line without its own that is not exempt
    int pasadas = 1;
    std::int32_t secuencia = 0;     // the last sequence number already used by the voucher
    std::string recepcion;          // the origin order's reception-date update, or empty
};

// How the preparation ended.
struct ResultadoPreparacion {
    enum class Tipo { Lista, DatoInvalido, TipoInexistente } tipo = Tipo::Lista;
    std::string mensaje;  // for DatoInvalido: what is wrong, naming the value
};

// Settles the arguments, reading the configuration, the voucher type and, for "OP", the voucher's last
// sequence number. The voucher type's sign is asked (with its own box for a type that does not exist)
// unless the caller imposes one.
ResultadoPreparacion PreparaStock(ClsCmnCptes& motor, const ArgumentosStock& argumentos, PreparacionStock& preparacion);

// What a posting carries from movement to movement.
struct EstadoPosteo {
    int pasada = 1;
    int signo = 0;
    std::int32_t secuencia = 0;  // the number of the movement being written
    bool comodato = false;       // some posted line is on loan
    // The motive and origin literals of the last movement: the prepared ones, or the line's own when they
    // come from the grid. The accounting entry and its kind take them from here.
    std::string motivo;
    std::string tcOrigen;
    std::string tcOrigenCodigo;
    std::string comprobanteOrigen;
    // The supplier account of each article read so far in this posting.
    std::unordered_map<std::string, std::string> cuentasProveedor;
};
