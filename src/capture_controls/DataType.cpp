#include "capture_controls/DataType.h"

QStringList DataType::Names() {
    return {QStringLiteral("Texto"), QStringLiteral("Número"), QStringLiteral("Número calculado"),
            QStringLiteral("Moneda"), QStringLiteral("Moneda calculado")};
}

QString DataType::Name(int code) {
    const QStringList names = Names();
    return code >= 0 && code < names.size() ? names[code] : QString();
}

int DataType::FromName(const QString& name) {
    return static_cast<int>(Names().indexOf(name));
}
