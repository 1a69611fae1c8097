#pragma once

#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "model/Format.h"
#include "model/FormatFile.h"

#include <QString>

// Writes at path a format with one text field placed on the capture screen, so that every kind
// of window has something to show and to change.
inline QString FieldFormat(const QString& path) {
    CaptureControlTypes::RegisterAll();
    Format format;
    auto field = CTextlineVar::Create(100, -100);
    field->screenRect = ScreenRect{20, 20, 220, 40};
    field->captureOrder = 1;
    format.controls.push_back(std::move(field));
    FormatFile::Save(path, format, FormatSettings());
    return path;
}
