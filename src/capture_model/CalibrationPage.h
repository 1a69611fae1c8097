#pragma once

#include "model/Format.h"
#include "model/FormatPrinter.h"

#include <QImage>
#include <QSizeF>

class QPagedPaintDevice;

// A sheet for measuring where a printer really puts its ink: three crosses and two millimetre
// scales at known distances from the paper's top-left corner, with short instructions. It is
// printed as a format is, shifted by the margin offsets it is made for, so that the user measures
// the printer as the formats will find it. The sheet says which offsets it was printed with.
//
// From the two distances the user measures to the centre of cross A (from the paper's left edge
// and from its top edge), OffsetsFromMeasures gives the offsets that bring the ink back to
// where the page places it.
class CalibrationPage {
public:
    // Cross A, the one the user measures, 30 mm from the left and the top edge of the paper.
    static constexpr int kCrossAX = 300;
    static constexpr int kCrossAY = 300;
    // Crosses B and C, 150 mm to the right of A and 210 mm below it, show whether the printer
    // stretches the page.
    static constexpr int kCrossBX = 1800;
    static constexpr int kCrossCY = 2400;
    // Each arm of a cross reaches 10 mm from its centre.
    static constexpr int kArm = 100;
    // The largest offset a measurement may give, in page units: a metre, well past any sheet.
    static constexpr int kMaxOffset = 10000;

    // The sheet as printed with the given offsets.
    explicit CalibrationPage(FormatPrinter::Offsets offsets);

    FormatPrinter::Offsets Offsets() const { return m_offsets; }
    const ControlList& Controls() const { return m_controls; }

    // One sheet on a printer (or a PDF file through it) whose job the caller has named; false
    // when the job could not start or finish.
    bool Print(QPagedPaintDevice& printer) const;
    // The sheet as a white picture of the paper, in millimetres, at dpi.
    QImage ToImage(QSizeF paperMillimetres, int dpi) const;

    // The offsets that put cross A where the page places it, from where the printer put it on a
    // sheet printed with `printedWith`: millimetres from the paper's left edge and from its top
    // edge to the cross's centre. Each offset is bounded by kMaxOffset.
    static FormatPrinter::Offsets OffsetsFromMeasures(double leftMillimetres, double topMillimetres,
                                                      FormatPrinter::Offsets printedWith);

private:
    void AddCross(int x, int y, const QString& name);
    void AddScales();
    void AddInstructions();

    FormatPrinter::Offsets m_offsets;
    ControlList m_controls;
};
