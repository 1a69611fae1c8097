#pragma once

#include <QString>
#include <QStringList>

// The kind of value a text line or a table column holds.
enum DataTypeCode : int {
    kDataTexto = 0,
    kDataNumero = 1,
    kDataNumeroCalculado = 2,
    kDataMoneda = 3,
    kDataMonedaCalculado = 4,
};

class DataType {
public:
    // The names the properties window offers, in code order.
    static QStringList Names();
    // The name of a code, empty for a code outside 0 to 4.
    static QString Name(int code);
    // The code of a name, or -1.
    static int FromName(const QString& name);
    // Whether the value comes from an expression.
    static bool IsComputed(int code) {
        return code == kDataNumeroCalculado || code == kDataMonedaCalculado;
    }
};
