#pragma once

// A format's control list made in code for the calculation tests: text lines by name, numbered
// in the order they are added, and the user leaving a field with a new text.
#include "capture_model/CTextlineVar.h"
#include "capture_model/CalculatedFields.h"
#include "model/Format.h"
#include "model/FormatSettings.h"

#include <QLocale>

#include <memory>

struct CalculationForm {
    ControlList controls;
    FormatSettings settings;

    // A typed number field, or a calculated one when an expression is given.
    CTextlineVar& Line(const QString& name, const QString& expression = QString(),
                       DataTypeCode type = DataTypeCode::NumeroCalculado) {
        auto line = std::make_unique<CTextlineVar>();
        line->text = name;
        line->expression = expression;
        line->dataType = expression.isEmpty() ? DataTypeCode::Numero : type;
        line->captureOrder = static_cast<int>(controls.size()) + 1;
        CTextlineVar& made = *line;
        controls.push_back(std::move(line));
        return made;
    }

    std::unique_ptr<CalculatedFields> Engine() {
        return std::make_unique<CalculatedFields>(controls, settings, QLocale::c());
    }
};

// The user types text into the field and leaves it.
inline void Leave(CalculatedFields& engine, CTextlineVar& field, const QString& text) {
    field.SetValue(text);
    engine.Recalculate(CalculatedFields::Identifier(field));
}
