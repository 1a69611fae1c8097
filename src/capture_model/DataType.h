#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The kind of value a text line or a table column holds. A code read from a file is held as it
// was written, even one outside this list (its value is then shown as a currency amount).
enum class DataTypeCode : std::int32_t {
    Texto = 0,
    Numero = 1,
    NumeroCalculado = 2,
    Moneda = 3,
    MonedaCalculado = 4,
};

class DataType {
public:
    // The names the properties window offers, in code order.
    static QStringList Names();
    // The name of a code, empty for a code outside the list.
    static QString Name(DataTypeCode code);
    // The code of a name, or nothing for a name that is not in the list.
    static std::optional<DataTypeCode> FromName(const QString& name);
    // Whether the value comes from an expression.
    static bool IsComputed(DataTypeCode code) {
        return code == DataTypeCode::NumeroCalculado || code == DataTypeCode::MonedaCalculado;
    }
};
