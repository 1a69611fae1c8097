#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The 60-byte logical-font record that formats store for every control. Heights and widths are
// in the logical units of the surface the font is made for: a negative height is the character
// height (em height), a positive one the cell height (ascent plus descent); width 0 means the
// font's natural width, any other value its average character width.
struct LogFont {
    static constexpr int kFaceSize = 32;
    static constexpr int kRecordSize = 60;

    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    // Windows-1252 text up to the first NUL; the bytes after it carry no meaning but are kept.
    std::array<char, kFaceSize> faceName{};

    QString Face() const;
    // Stores the name truncated to 31 bytes and NUL-terminated; the rest of the field is zeroed.
    void SetFace(const QString& face);

    // A font given by height, escapement, weight and face, everything else zero.
    static LogFont Make(std::int32_t height, std::int32_t escapement, std::int32_t weight,
                        const QString& face);

    friend bool operator==(const LogFont&, const LogFont&) = default;
};
