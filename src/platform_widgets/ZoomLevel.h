#pragma once

#include <QSize>
#include <QString>

#include <array>
#include <optional>

// How much larger than true size a designer shows its sheet, in percent: the steps the zoom box
// offers and the keys and the wheel walk through, and any value typed in between. Zoom is how
// the sheet is looked at, never part of the format.
class QAbstractScrollArea;

class ZoomLevel {
public:
    static constexpr int kMinimum = 50;
    static constexpr int kMaximum = 400;
    static constexpr int kTrueSize = 100;
    static constexpr std::array<int, 7> kSteps{50, 75, 100, 150, 200, 300, 400};

    static int Clamp(int percent);
    // The next step above or below percent, which need not be a step itself; the limits stay.
    static int Larger(int percent);
    static int Smaller(int percent);
    // The largest zoom at which a sheet of that size (pixels at true size) fits in room, within
    // the limits.
    static int Fitting(double width, double height, double roomWidth, double roomHeight);

    // The room a view has for what it fits: its viewport, less the scroll bars not shown yet,
    // which a larger zoom may bring.
    static QSize Room(const QAbstractScrollArea& view);

    // "150 %", with the locale's digits.
    static QString Text(int percent);
    // A zoom the user typed, with or without the percent sign, not yet clamped; nothing when the
    // text holds no number.
    static std::optional<int> Read(const QString& text);

    // The scroll position that keeps the sheet's point under pixel (pixel plus the old position,
    // in old device pixels) under the same pixel once every length is newScale / oldScale larger.
    static int ScrollKeeping(int pixel, int oldScroll, double oldScale, double newScale);
};
