#pragma once

#include <QString>

#include <cstdint>

// The control type codes written ahead of every control in a format file. A value read from a
// file may be any 32-bit number; the table knows 0 to 11.
enum class ControlTypeCode : std::int32_t {
    TextlineVar = 0,
    ParrafoVar = 1,
    CuadrosVar = 2,
    MarcaVar = 3,
    FmtGrid = 4,
    ConsText = 5,
    ConsParrafo = 6,
    Linea = 7,
    Rectangulo = 8,
    Imagen = 9,
    Etiqueta = 10,
    DateInput = 11,
};

// What every control of one type shares: its class, the name the properties window shows, and
// the flags the base keeps for it.
struct ControlType {
    ControlTypeCode code;
    const char* className;
    const char* displayName; // UTF-8
    bool constantFlag;
    bool singleLineFlag;

    static constexpr int kFirstCode = 0;
    static constexpr int kLastCode = 11;

    // The entry of a code from 0 to 11, or nullptr for any other.
    static const ControlType* Find(ControlTypeCode code);
    // The display name, empty for a code outside the table.
    static QString DisplayName(ControlTypeCode code);
    // The capture controls: codes 0 to 4 and 11.
    static bool IsCaptureCode(ControlTypeCode code) {
        return (code >= ControlTypeCode::TextlineVar && code <= ControlTypeCode::FmtGrid) ||
               code == ControlTypeCode::DateInput;
    }
    static bool HasFont(ControlTypeCode code) {
        return code != ControlTypeCode::Linea && code != ControlTypeCode::Rectangulo &&
               code != ControlTypeCode::Imagen;
    }
};
