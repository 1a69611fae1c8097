#pragma once

// A format holding one capture control of each kind with its own fields set, for the suites that
// check what the format file and plenova-cli make of those fields.
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "model/Format.h"

// In list order: a calculated currency line "A+B", a paragraph, five boxes, a check mark "V"
// and a date written with the full month.
inline Format OneCaptureControlOfEachKind() {
    CaptureControlTypes::RegisterAll();
    Format format;
    auto line = CTextlineVar::Create(100, -200);
    line->expression = QStringLiteral("A+B");
    line->dataType = DataTypeCode::MonedaCalculado;
    auto boxes = CCuadrosVar::Create(100, -400);
    boxes->SetBoxCount(5);
    auto mark = CMarcaVar::Create(100, -600);
    mark->mark = QStringLiteral("V");
    auto date = CDateInput::Create(100, -800);
    date->dateLayout = DateText::Layout::FullMonth;
    format.controls.push_back(std::move(line));
    format.controls.push_back(CParrafoVar::Create(100, -300));
    format.controls.push_back(std::move(boxes));
    format.controls.push_back(std::move(mark));
    format.controls.push_back(std::move(date));
    return format;
}
