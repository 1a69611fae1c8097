#include "designer/FieldNames.h"

#include "model/CControles.h"

QString FieldNames::Refusal(const ControlList& controls, const CControles& field,
                            const QString& name) {
    if (!field.IsCaptureControl() || name == field.text)
        return QString();
    if (name.trimmed().isEmpty())
        return QStringLiteral("El nombre del campo no puede quedar vacío.");
    for (const auto& control : controls) {
        if (control.get() != &field && control->IsCaptureControl() &&
            control->text.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Ya existe un campo llamado \"%1\". Escriba otro nombre.")
                .arg(control->text);
    }
    return QString();
}
