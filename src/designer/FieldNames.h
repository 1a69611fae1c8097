#pragma once

#include "model/Format.h"

#include <QString>

class CControles;

// The rule a capture field's name keeps wherever the designer lets it be typed (the properties
// window, the field itself on the page): calculations, batches and the capture window find a
// field by its name, ignoring case, so a name must say something and name one field only.
class FieldNames {
public:
    // Why the capture field may not be called name in this list, as the user is told; empty when
    // it may. Its own name as it stands is always allowed, so that formats holding two fields of
    // one name (an insertion tool's) still open and keep their other edits. Controls that are no
    // capture field have no rule.
    static QString Refusal(const ControlList& controls, const CControles& field,
                           const QString& name);
};
