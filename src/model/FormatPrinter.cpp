#include "model/FormatPrinter.h"

#include "model/ReferenceBackdrop.h"
#include "platform/DrawingSurface.h"
#include "platform/PainterSurface.h"
#include "platform/Profile.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

FormatPrinter::Offsets FormatPrinter::Offsets::FromSettings() {
    const Profile profile;
    return Offsets{profile.GetInt(QStringLiteral("Config"), QStringLiteral("FacX"), 0),
                   profile.GetInt(QStringLiteral("Config"), QStringLiteral("FacY"), 0)};
}

void FormatPrinter::PrintPage(DrawingSurface& dc, const ControlList& controls, Offsets offsets) {
    const Point physical{dc.GetDeviceCaps(DeviceCap::PhysicalOffsetX),
                         dc.GetDeviceCaps(DeviceCap::PhysicalOffsetY)};
    dc.SetMapMode(MapMode::LoMetric);
    const Point margin = dc.DPtoLP(physical);
    dc.SetWindowOrg(Point{margin.x + offsets.facX, margin.y - offsets.facY});
    dc.SetMapMode(MapMode::LoMetric);
    for (const auto& control : controls)
        control->Print(dc);
}

bool FormatPrinter::PrintToPrinter(QPagedPaintDevice& printer, const ControlList& controls,
                                   Offsets offsets) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    {
        PainterSurface dc(painter);
        PrintPage(dc, controls, offsets);
    }
    return painter.end();
}

bool FormatPrinter::PrintOverBackdrop(QPagedPaintDevice& printer, const ControlList& controls,
                                      Offsets offsets, const ReferenceBackdrop& backdrop) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    {
        PainterSurface dc(painter);
        // Page units from the sheet's corner, y upward: the painter's origin is the corner of
        // the printable area.
        painter.save();
        painter.translate(-dc.GetDeviceCaps(DeviceCap::PhysicalOffsetX),
                          -dc.GetDeviceCaps(DeviceCap::PhysicalOffsetY));
        painter.scale(dc.GetDeviceCaps(DeviceCap::LogPixelsX) / 254.0,
                      -dc.GetDeviceCaps(DeviceCap::LogPixelsY) / 254.0);
        backdrop.Draw(painter);
        painter.restore();
        PrintPage(dc, controls, offsets);
    }
    return painter.end();
}

QImage FormatPrinter::PrintToImage(const ControlList& controls, QSizeF paper, int dpi,
                                   Offsets offsets) {
    const int width = static_cast<int>(std::lround(paper.width() / 25.4 * dpi));
    const int height = static_cast<int>(std::lround(paper.height() / 25.4 * dpi));
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        PainterSurface dc(painter);
        PrintPage(dc, controls, offsets);
    }
    painter.end();
    return image;
}
