#pragma once
// The voucher engine: one object gathering the operations the voucher screens and the purchase-order
// import need. It holds almost no state: three settings read when it is made and the accounting-entry
// number it used last. Each operation works on its arguments, the grids it is given and the database;
// the operations are defined one file per concern, here in stock/ and in the voucher and dialog folders.

#include "platform/base/Currency.h"
#include "platform/base/Value.h"
#include "platform/ui/Color.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class Recordset;
}

namespace ui {
class FlexGrid;
class StatusBar;
class TabControl;
class TextMeasurer;
struct TextBox;
}  // namespace ui

class VentanaCargosReales;

class ClsCmnCptes {
public:
    // Reads the settings once. A setting that cannot be read raises: no engine is made, and the next use
    // tries again.
    ClsCmnCptes();

    // --- the accounting entry of a stock movement
    // The statements (each after a carriage return and a line feed) of the entry that values the grid's
    // articles: a line on the motive's account for the total, and one per article cost account on the other
    // side. Empty when no entry is due: AsientosXStock off, a sales or purchase type, no motive account,
    // an entry already there (the operator is told), no registration type (told too), no number. With
    // `SoloRegistro` other than 0 only that grid row is added to the voucher's entry. `eMotivoStock`, `TC`,
    // `Suc`, `Nro`, `Letra` and `EsDebito` come back as the entry used them (TipoMov 99: the "CMV" voucher);
    // `Secuencia` (1 when not given) comes back as the next line's number. A `Fecha` that is no date raises.
    std::string GeneraAsientoStock(ui::FlexGrid& Grid, std::string& eMotivoStock, std::string& TC, std::string& Suc,
                                   std::string& Nro, std::string& Letra, const std::string& Fecha, bool& EsDebito,
                                   int TipoMov, long SoloRegistro = 0, int* Secuencia = nullptr);

    // --- grid layouts and edit-box set-up
    // Gives the edit box the data field, maximum length and lookup source of the column it edits.
    void TextPropiedades(ui::TextBox& Texto, long Columna);
    // Clears and lays out the grids given (null: skipped): tasks, article lines, other concepts and
    // control totals, by the voucher type's system and the configuration; the edit boxes given are hidden
    // or emptied. `Obj` measures the columns. A type V_TA_CPTE does not hold raises before any grid is
    // touched.
    void InicializaGrids(ui::FlexGrid* MSFlexGrid1, ui::FlexGrid* MSFlexGrid2, ui::FlexGrid* MSFlexGrid3,
                         ui::TextBox* TxtEdit, ui::TextBox* txtEdit2, ui::TextBox* txtEdit3,
                         const ui::TextMeasurer& Obj, std::string_view TC = {}, ui::FlexGrid* MSFlexGrid4 = nullptr);

    // --- the voucher query
    // Lets the operator pick a stored voucher of type `TC` (or a pending list: "RM/PENDIENTES" and the
    // like), or tick several purchase orders ("OC"), in the voucher query window, narrowed by `Filtro`, the
    // caller's own SQL condition. `Respuesta` receives the number chosen (the ticked orders' numbers joined
    // by ","; empty when nothing was chosen), `IdComplemento` and `Proveedor` what the type hands back
    // (empty when the window is cancelled). Failures go to the error treatment; the results then hold
    // what was copied before.
    void ConsultaComprobante(const std::string& TC, std::string& Respuesta, const std::string* Filtro = nullptr,
                             std::string* IdComplemento = nullptr, std::string* Proveedor = nullptr);

    // --- the audit row of a voucher action
    // The V_MV_CPTEACCIONES row that records who added ("A", lEsAlta), changed ("M", lEsModificacion) or
    // removed ("B") the voucher, now, on this computer. With GeneraSentencia the INSERT comes back in
    // SentenciaSQL for the caller's transaction; otherwise it runs at once. A complement that is no whole
    // number (blank is 0) builds nothing, and like a failed run leaves a line in the error log, no box.
    void ActualizaBuchon(const std::string& TC, const std::string& SucNroLetra, const std::string& IdComplemento,
                         bool lEsAlta, bool lEsModificacion, bool GeneraSentencia = true,
                         std::string* SentenciaSQL = nullptr, const std::string& NroAsiento = {});

    // --- applied charges and the vouchers made from this one
    // The balance of the account's applied charges; 0 when it has none. A failed read goes to the error
    // treatment.
    base::Currency ImporteCargosReales(const std::string& Cuenta);
    // Hands the customer (and registration) to the caller's control window and shows it modally.
    void ControlDeCargosReales(VentanaCargosReales& FrmCtrlCargosReales, const std::string& Cliente,
                               const std::string& Matricula = {});
    // Whether a voucher names this one (and this complement; blank is 0) as its origin; void ones count only
    // when asked. A complement that is no whole number, like a failed read, raises.
    bool EstaRelacionadoAOtroComprobante(const std::string& TC, const std::string& SucNroLetra,
                                         const std::string& Complemento = "0", bool TenerEnCuentaAnulados = false);
    // The amounts of the non-void vouchers of any complement that name this one as their origin; a Null
    // amount adds nothing. A failed read raises.
    base::Currency ObtieneImporteCptesAsociados(const std::string& TC, const std::string& SucNroLetra);

    // --- stock posting
    // Posts the article lines of the grid (rows 1 to Rows - 1) to stock: a V_MV_STOCK row per lot, serial
    // number or size of each line, in one pass (two for a transfer and for "OP"), with the accounting entry.
    // Executing, each movement runs at once with its line's entry; collecting (`GeneraSentenciaSQL`), the
    // statements are appended to `SQLTemp` for the caller's batch, the entry last. Arguments that make no
    // posting (a date that is no date, a complement that is no whole number, a transfer without destination,
    // a voucher type that does not exist) are told to the operator, set `HayError` and write nothing; so does
    // a movement that fails while executing, after the ones before it. A posting the operator abandons leaves
    // `SQLTemp` as it was. The warehouse, motive and origin arguments come back as the literals written.
    void ActualizaStock(ui::FlexGrid& MSFlexGrid2, std::string TC, std::string SucNroLetra, std::string IdComplemento,
                        std::string& Fecha, std::string* IdDeposito = nullptr, std::string* IdDepositoDestino = nullptr,
                        std::string* IdMotivoStock = nullptr, std::string* TcOrigen = nullptr,
                        std::string* ComprobanteOrigen = nullptr, bool* EsTransferencia = nullptr,
                        std::string* Cuenta = nullptr, bool* GeneraSentenciaSQL = nullptr,
                        std::string* SQLTemp = nullptr, bool* HayError = nullptr, std::string* IdTecnico = nullptr,
                        std::string* LoteFijo = nullptr, std::string* Aduana = nullptr, std::string* LoteOrigen = nullptr,
                        std::int16_t* SignoRemota = nullptr, bool* MuestraCartel = nullptr,
                        std::string* IdVendedor = nullptr);
    // Set when the last posting stopped because the discharge of its components could get no "PE" number
    // (the numbering has told the operator); every later posting would meet the same booklet.
    bool DescargaSinNumero = false;

    // --- voucher sign
    // The direction in which the voucher type moves stock (+1 entry, -1 exit) or, with LibroIVA, the VAT
    // book; 0 when the type is unknown (the operator is told) or nothing decides its stock direction.
    std::int16_t ObtieneSignoComprobante(const std::string& TC, bool LibroIVA = false);

    // --- loading a stored voucher into the voucher grids
    // What is still to deliver of the article on the voucher, in base units: its quantity on the voucher
    // less what stock movements of the voucher already moved, never below 0. A failed read raises.
    double CantRepartoPend(const std::string& TC, const std::string& SucNroLetra, const std::string& IdArticulo);
    // Writes the stored voucher (sales, or with `Compras` the supplier's purchase voucher) into the tasks,
    // article and other-concepts grids, each as InicializaGrids leaves it: one row per stored line and an
    // empty row after them. Article lines of delivery notes and orders delivered in parts load what is
    // still to deliver: what was delivered or applied of an article is taken off its lines in line order.
    // A failure goes to the error treatment: Retry repeats the failing step, Ignore goes on with the next
    // one (a cell), any other answer leaves the grids as written so far. `LrcsCpte`, when given, receives
    // the open header, on its first row. `IdRepartoRM`: in, -98 loads quantities negated; out, the header's
    // IdReparto for a type outside the purchase system.
    void AsignarDatosComprobante(const std::string& TC, const std::string& SucNroLetra,
                                 const std::string& IdComplemento, ui::FlexGrid& MSFlexGrid1,
                                 ui::FlexGrid& MSFlexGrid2, ui::FlexGrid& MSFlexGrid3, bool Inicializar = false,
                                 db::Recordset* LrcsCpte = nullptr, bool Compras = false,
                                 const std::string& Proveedor = {}, std::int32_t* IdRepartoRM = nullptr);

    // --- pipe lists: the lot, serial and position lists a grid cell carries, "|L1|L2|". Any text reads as
    // a list; none of these can fail. Arrays are reset and end with one empty slot after the items.
    // The distinct non-blank items, each trimmed and after one blank, in order of first appearance.
    static std::string StrSerieLote(const std::string& Serie_Lote);
    static void DescomponeSerieLote(const std::string& Serie_Lote, std::vector<std::string>& Arreglo);
    // Each position item "position*quantity" split at its first star (no star: all position, no
    // quantity), and the lots as DescomponeSerieLote gives them.
    static void DescomponePosicionCantidadLote(const std::string& Posicion_Lote, const std::string& PIPELotes,
                                               std::vector<std::string>& ArrPosiciones,
                                               std::vector<std::string>& ArrCantidades,
                                               std::vector<std::string>& ArrLote);
    // The movements a line's series, or when it has none its lots, stand for: the distinct non-blank
    // items, or with SinConsolidar every item.
    static std::int32_t Cuenta_Series_Lotes(const std::string& PipeSeries, const std::string& PIPELotes,
                                            bool SinConsolidar = false);
    // The item at a 1-based position, untrimmed; "" outside the list.
    static std::string ExtraeSerieLote(const std::string& Serie_Lote, std::int32_t QuePosicion);
    static std::int32_t Cantidad_Series_Lotes(const std::string& Pipes);
    // The list with character 255 after every item: "|a|b|" becomes "|aÿ|bÿ|".
    static std::string InsertaCHR255(const std::string& iPipe);

    // --- the lot and serial-number dialog (defined with the dialog)
    // Asks the numbers of an incoming line, one row per unit: a quantity of 0 gives empty lists and no
    // dialog; a negative one, or more units than the dialog gives rows to, is told and hands the earlier
    // lists back, as a cancelled dialog does.
    void PideSerieLote(const std::string& Articulo, double Cantidad, const std::string& SerieAnt,
                       const std::string& LoteAnt, std::string& SerieNvo, std::string& LoteNvo, bool* Serie = nullptr,
                       bool* Lote = nullptr, bool* Talle = nullptr);
    // Asks what an outgoing line takes from the lots and series the warehouse holds, less what the grid's
    // other lines of the article take. `Deposito` empty becomes the "DepositoDefault" setting. Without
    // `MostrarForm` (True by default) the proposal is accepted unseen. A cancel, or an unseen accept that
    // the stock cannot cover, hands back the earlier lists and the quantity unchanged; so does a negative
    // quantity, which is told and opens nothing.
    void PideSerieLote_Salidas(ui::FlexGrid& Grilla, const std::string& Articulo, const std::string& Descripcion,
                               double& Cantidad, const std::string& SeriesLoteAnt, const std::string& CantidadANT,
                               std::string& SeriesLoteNvo, std::string& CantidadesNvo, bool Lote, bool Serie,
                               bool Talle, std::string* Deposito = nullptr, bool* MostrarForm = nullptr);
    // The lot lists (column 21) and quantity lists (column 22) of the grid's rows of the article, each
    // joined into one pipe list. A grid without those columns raises.
    static void CuentaLotesEnGrilla(const ui::FlexGrid& Grilla, const std::string& Articulo, std::string& LotesEnGrid,
                                    std::string& CantidadesEnGrid);

    // --- the storage-position and lot dialog (defined with the dialog)
    // Asks where among the warehouse's positions (and lots) a line's quantity goes. A quantity of 0 gives
    // empty lists and no dialog; a negative one is told, opens nothing and hands back the earlier lists. An
    // accept hands back the new lists and, in Cantidad, the accepted total; a cancel, or an accept in a mode
    // without positions, hands back the earlier lists.
    void PidePosicionLote(const std::string& Articulo, const std::string& IdUnidad, double& Cantidad,
                          const std::string& Deposito, const std::string& PosicionAnt, const std::string& LoteAnt,
                          std::string& PosicionNVO, std::string& LoteNvo, bool Posicion = true, bool Lote = false);

    // --- stock balances
    // The balance of the article in UdBase and, when udEquivBuscada is given, in that unit (else 0).
    // UdBase, when empty, receives the article's unit.
    void ObtieneStockxEquiv(const std::string& IdDeposito, const std::string& IdArticulo, std::string& UdBase,
                            const std::string& udEquivBuscada, double& StockUdBase, double& StockEquiv);
    // The article's balance, narrowed to what is given. A null argument, or one holding "Ignorar", is not
    // given; for a balance by unit a warehouse or unit holding "Ignorar" gets the padded code used back.
    double ObtieneStock(const std::string& IdArticulo, std::string* IdDeposito = nullptr, std::string* NroLote = nullptr,
                        std::string* NroSerie = nullptr, std::string* IdPosicion = nullptr,
                        std::string* IdUnidad = nullptr);

    // --- pipe lists (continued)
    // The 1-based position of the first item equal to QueSerieLote (trimmed, without regard to case); 0
    // when none is.
    static std::int32_t Busca_Lotes_Series(const std::string& PipeSeriesLotes, const std::string& QueSerieLote);

    // --- line limits and counts. A line is a data row whose trimmed column 0 is not blank; a null grid
    // holds none.
    // Whether the lines in use plus Agragarle still fit the printed form of the type and letter (limit 0 or
    // no row: no limit). LineasAnteriores -1 takes CantLineas as the limit instead of reading it. The limit
    // and the lines counted come back in CantLineas and CantLineasUsadas; a failure goes to the error
    // treatment, and leaving it answers False.
    bool ValidaCantidadLineasCpte(const std::string& TC, const std::string& Letra, const ui::FlexGrid* MSFlexGrid1,
                                  const ui::FlexGrid* MSFlexGrid2, const ui::FlexGrid* MSFlexGrid3,
                                  std::int32_t* CantLineas = nullptr, std::int32_t* CantLineasUsadas = nullptr,
                                  std::int32_t Agragarle = 0, std::int32_t LineasAnteriores = 0);
    // The lines of the three grids, with the lines of each and the article units (the quantities summed
    // exactly, rounded half to even at the end).
    std::int32_t CuentaItems(const ui::FlexGrid* MSFlexGrid1, const ui::FlexGrid* MSFlexGrid2,
                             const ui::FlexGrid* MSFlexGrid3, std::int32_t* CantTareas = nullptr,
                             std::int32_t* CantArticulos = nullptr, std::int32_t* CantOtrosConceptos = nullptr,
                             std::int32_t* TotUnidades = nullptr);

    // --- the current row in the status bar. A panel the bar lacks raises 381, except for the articles,
    // which show what they can.
    void MuestraDetalleTareas(const ui::FlexGrid& MSFlexGrid1, ui::StatusBar& StatB);
    // Code and description in panel Columna, and the available stock in the panel keyed "Stock".
    void MuestraDetalleArticulos(const ui::FlexGrid& MSFlexGrid2, ui::StatusBar& StatB, std::int32_t Columna = 4);
    void MuestraDetalleOtrosConceptos(const ui::FlexGrid& MSFlexGrid3, ui::StatusBar& StatB);
    void MuestraDetalle(const std::string& Detalle, ui::StatusBar& StatB, std::int32_t Columna = 4);

    // --- control totals
    // Fills the control grid with a row per visible tab (lines and hours, lines and units, lines) and, under
    // the articles, a row per group of lines: by rubro, by type or by article. A failure goes to the error
    // treatment; leaving it keeps the grid as far as it was filled.
    void TotalizadorControl(const ui::FlexGrid& MSFlexGrid1, const ui::FlexGrid& MSFlexGrid2,
                            const ui::FlexGrid& MSFlexGrid3, ui::FlexGrid& MSFlexGrid4, const ui::TabControl& SSTab1,
                            bool AbiertoPorRubro = false, bool AbiertoPorTipo = false);

    // --- painting and repeated lines
    // Colours the whole row; the current cell ends on that row, in the column it was in.
    void PintarFila(std::int32_t Fila, ui::FlexGrid& MsFlexGrid, ui::Color Color = 65535);
    // Colours the column from FilaDesde (-1: row 0) to FilaHasta (-1: the last row), skipping cells outside
    // the grid; the current cell ends in that column, on the row it was on.
    void PintarColuma(std::int32_t Columna, ui::FlexGrid& MsFlexGrid, std::int32_t FilaDesde = -1,
                      std::int32_t FilaHasta = -1, ui::Color Color = 65535);
    // Whether another data row (not FilaIgnorar) holds the code, trimmed and without regard to case; the
    // first such row comes back in FilaEncontrada.
    bool TareaRepetida(const ui::FlexGrid& MSFlexGrid1, const std::string& Tarea, std::int32_t FilaIgnorar = -1,
                       std::int32_t* FilaEncontrada = nullptr);
    bool ArticuloRepetido(const ui::FlexGrid& MSFlexGrid2, const std::string& Articulo, std::int32_t FilaIgnorar = -1,
                          std::int32_t* FilaEncontrada = nullptr);
    bool OtrosConceptosRepetidos(const ui::FlexGrid& MSFlexGrid3, const std::string& OtroConcepto,
                                 std::int32_t FilaIgnorar = -1, std::int32_t* FilaEncontrada = nullptr);
    // Whether the number has a fractional part. A Null raises.
    static bool NumeroEsFraccion(const base::Value& Numero);

    double PIVA = 0;                      // the general VAT percentage
    double PIVARec = 0;                   // the surcharge VAT percentage
    bool AsientosXStock = false;          // stock movements carry their accounting entry
    std::int32_t UltimoNroAsiento = 0;    // the entry number the stock entry used last; 0: none yet
};
