#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>

// The sheet a format is printed on: one of the sizes sold in Mexico or a size of its own, upright
// or lying. The design view draws its edge and printing lays the page on it.
struct Paper {
    enum class Size { Letter, Legal, A4, HalfLetter, Custom };

    // A custom sheet between a visiting card and a large drawing.
    static constexpr double kMinMillimetres = 50;
    static constexpr double kMaxMillimetres = 1200;
    // Most printers cannot ink the outer quarter inch of a sheet: the design view shows where
    // that band begins, so that nothing is placed where it would be cut off.
    static constexpr int kUnprintableUnits = 64;

    Size size = Size::Letter;
    // Width and height of a custom sheet standing upright, in millimetres; the other sizes
    // ignore it.
    QSizeF custom{215.9, 279.4};
    bool landscape = false;

    // The sheet's width and height as it lies, in millimetres and in page units (0.1 mm).
    QSizeF Millimetres() const;
    QSize Units() const;
    // The page size and a layout without margins, for a printer or a PDF writer.
    QPageSize PageSize() const;
    QPageLayout PageLayout() const;

    // The name a size is kept under in files and typed on the command line ("letter", "legal",
    // "a4", "half-letter", "custom"), and back; nothing for a name no size has.
    static QString Name(Size size);
    static std::optional<Size> FromName(const QString& name);
    // The upright width and height of a size, in millimetres; custom's is its own.
    QSizeF UprightMillimetres() const;
    static bool ValidCustom(QSizeF millimetres);

    friend bool operator==(const Paper&, const Paper&) = default;
};
