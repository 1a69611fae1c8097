#pragma once

#include <QString>

// The control type codes written ahead of every control in a format file.
enum ControlTypeCode : int {
    kTypeTextlineVar = 0,
    kTypeParrafoVar = 1,
    kTypeCuadrosVar = 2,
    kTypeMarcaVar = 3,
    kTypeFmtGrid = 4,
    kTypeConsText = 5,
    kTypeConsParrafo = 6,
    kTypeLinea = 7,
    kTypeRectangulo = 8,
    kTypeImagen = 9,
    kTypeEtiqueta = 10,
    kTypeDateInput = 11,
};

// What every control of one type shares: its class, the name the properties window shows, and
// the flags the base keeps for it.
class ControlType {
public:
    int code;
    const char* className;
    const char* displayName; // UTF-8
    bool constantFlag;
    bool singleLineFlag;

    static constexpr int kFirstCode = 0;
    static constexpr int kLastCode = 11;

    // The entry of a code from 0 to 11, or nullptr for any other.
    static const ControlType* Find(int code);
    // The display name, empty for a code outside the table.
    static QString DisplayName(int code);
    static bool IsCaptureCode(int code) { return (code >= 0 && code <= 4) || code == 11; }
    static bool HasFont(int code) {
        return code != kTypeLinea && code != kTypeRectangulo && code != kTypeImagen;
    }
};
