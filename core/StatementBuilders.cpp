#include "core/StatementBuilders.h"

#include "core/DB_Dll.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Prompter.h"

namespace {

std::string joined(const ListaCampos& campos, std::string ParCampoValor::*member)
{
    std::string text;
    for (std::size_t i = 0; i < campos.size(); ++i) text += (i ? "," : "") + campos[i].*member;
    return text;
}

}  // namespace

void AgregaCampo(std::string_view nombreCampo, const base::Value& valor, std::string_view tipo, bool primero)
{
    if (primero) gCampos.assign(1, ParCampoValor{});
    else gCampos.emplace_back();
    ParCampoValor& campo = gCampos.back();
    campo.NombreCampo = nombreCampo;
    const bool nullWord = valor.kind() == base::Value::Kind::Text && base::equalsIgnoringCase(valor.asText(), "NULL");
    campo.ValorCampo = nullWord ? "Null" : gDB_Dll().SQLValue(valor, tipo);
}

void TextoInsercion::nombre(std::string_view columna)
{
    if (nombres_.empty()) {
        nombres_.reserve(512);
        valores_.reserve(1024);
    } else {
        nombres_ += ',';
        valores_ += ',';
    }
    nombres_ += columna;
}

void TextoInsercion::texto(std::string_view columna, std::string_view valor)
{
    nombre(columna);
    if (base::equalsIgnoringCase(valor, "NULL")) valores_ += "Null";
    else DB_Dll::agregaTextoSQL(valores_, valor);
}

void TextoInsercion::valor(std::string_view columna, const base::Value& valor, std::string_view tipo)
{
    if (valor.kind() == base::Value::Kind::Text && tipo == "'") return texto(columna, valor.asText());
    nombre(columna);
    if (valor.kind() == base::Value::Kind::Text && base::equalsIgnoringCase(valor.asText(), "NULL")) valores_ += "Null";
    else gDB_Dll().agregaSQLValue(valores_, valor, tipo);
}

void TextoInsercion::fecha(std::string_view columna, base::DateTime valor)
{
    nombre(columna);
    valores_ += gDB_Dll().gCnn.dateLiteral(valor);
}

std::string TextoInsercion::sentencia(std::string_view tabla) const
{
    std::string texto;
    texto.reserve(tabla.size() + nombres_.size() + valores_.size() + 24);
    texto += "INSERT INTO ";
    texto += tabla;
    texto += " (";
    texto += nombres_;
    texto += ") VALUES (";
    texto += valores_;
    texto += ')';
    return texto;
}

void ArmaSentencia(ListaCampos& campos, ListaSentencias& sentencias, std::string_view tabla, bool actualiza,
                   std::string& condicion, bool mantieneLista)
{
    if (campos.empty()) throw base::Error(9, "Subscript out of range: the field list has no columns", "ArmaSentencia");
    std::string statement;
    if (actualiza) {
        std::string assignments;
        for (std::size_t i = 0; i < campos.size(); ++i)
            assignments += (i ? "," : "") + campos[i].NombreCampo + " = " + campos[i].ValorCampo;
        if (base::inStr(condicion, "WHERE") == 0) condicion = " WHERE " + condicion;
        statement = "UPDATE " + std::string(tabla) + " SET " + assignments + " " + condicion;
    } else {
        statement = "INSERT INTO " + std::string(tabla) + " " + "(" + joined(campos, &ParCampoValor::NombreCampo) + ")" +
                    " VALUES (" + joined(campos, &ParCampoValor::ValorCampo) + ")";
    }
    sentencias.push_back(std::move(statement));
    sentencias.emplace_back();
    if (!mantieneLista) campos.assign(1, ParCampoValor{});
}

void ArmaValores(std::string& texto, ListaCampos& campos, bool limpia)
{
    texto += "(" + joined(campos, &ParCampoValor::NombreCampo) + ")" + " VALUES (" +
             joined(campos, &ParCampoValor::ValorCampo) + ")";
    if (limpia) campos.clear();
}

std::string ArmaCondicion(std::string_view campo, std::string_view operador, const std::vector<std::string>& valores,
                          std::string_view conector, std::string_view delimitador, std::optional<bool> incluyeNulos,
                          bool saltaBlancos)
{
    if (valores.empty()) {
        // A condition that matched every row here would let an UPDATE or DELETE reach the whole table.
        gDB_Dll().TratamientoErrores(base::Error(9, "Subscript out of range: no values to build the condition on " +
                                                        std::string(campo), "ArmaCondicion"),
                                     ui::vbOKOnly | ui::vbCritical, "ArmaCondicion");
        return "1=0";
    }
    const std::string column(campo), op(operador), delimiter(delimitador);
    std::string condition = column + op + delimiter + valores[0] + delimiter;
    for (std::size_t i = 1; i < valores.size(); ++i) {
        if (saltaBlancos && base::trim(valores[i]).empty()) continue;
        condition += std::string(conector) + column + op + delimiter + valores[i] + delimiter;
    }
    if (incluyeNulos.value_or(false)) condition += std::string(conector) + column + " is null ";
    return condition;
}
