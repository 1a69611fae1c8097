#include "capture_model/DataType.h"

QStringList DataType::Names() {
    return {QStringLiteral("Texto"), QStringLiteral("Número"), QStringLiteral("Número calculado"),
            QStringLiteral("Moneda"), QStringLiteral("Moneda calculado")};
}

QString DataType::Name(DataTypeCode code) {
    const QStringList names = Names();
    const auto index = static_cast<qsizetype>(code);
    return index >= 0 && index < names.size() ? names[index] : QString();
}

std::optional<DataTypeCode> DataType::FromName(const QString& name) {
    const qsizetype index = Names().indexOf(name);
    if (index < 0)
        return std::nullopt;
    return static_cast<DataTypeCode>(index);
}
