#include "commands/DesignerPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <functional>
#include <map>

namespace {

// One palette for every picture, so the two toolbars read as one set.
const QColor kInk(36, 36, 36);
const QColor kEdge(96, 96, 96);
const QColor kShade(168, 168, 168);
const QColor kPaper(255, 255, 255);
const QColor kAccent(36, 98, 196);
const QColor kAccentLight(192, 214, 244);
const QColor kFolder(238, 196, 84);
const QColor kFolderEdge(168, 124, 30);
const QColor kRed(204, 40, 40);
const QColor kGreen(28, 136, 56);

using Draw = std::function<void(QPainter&)>;

// Pictures are drawn in the pixels of ratio 1; a coordinate names a pixel cell, and a stroke of
// one cell runs through the cells' centres with square ends, so that it covers them exactly at
// ratio 1 and is the same stroke, twice as fine, at ratio 2.
QPen CellPen(const QColor& color, qreal width = 1) {
    return QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void Line(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2, const QColor& color,
          qreal width = 1) {
    p.setPen(CellPen(color, width));
    p.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
}

// A stroke with round ends, for the slanting strokes of letters and marks.
void Stroke(QPainter& p, const QPolygonF& points, const QColor& color, qreal width) {
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
}

void Fill(QPainter& p, qreal x, qreal y, qreal w, qreal h, const QColor& color) {
    p.fillRect(QRectF(x, y, w, h), color);
}

// A box of w x h cells with a one-cell border.
void Box(QPainter& p, qreal x, qreal y, qreal w, qreal h, const QColor& border,
         const QColor& inside) {
    Fill(p, x, y, w, h, inside);
    p.setPen(CellPen(border));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
}

void Polygon(QPainter& p, const QPolygonF& points, const QColor& border, const QColor& inside) {
    p.setPen(QPen(border, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(inside);
    p.drawPolygon(points);
}

// A capital A standing on (x, base), h cells high.
void LetterA(QPainter& p, qreal x, qreal base, qreal h, const QColor& color, qreal width) {
    const qreal w = h * 0.8;
    Stroke(p, {QPointF(x, base), QPointF(x + w / 2, base - h), QPointF(x + w, base)}, color, width);
    Stroke(p, {QPointF(x + w * 0.24, base - h * 0.36), QPointF(x + w * 0.76, base - h * 0.36)},
           color, width);
}

// ---- Toolbar 130 ------------------------------------------------------------------------------

// A sheet with its upper right corner turned down.
void Sheet(QPainter& p) {
    const QPolygonF outline{QPointF(2.5, 0.5), QPointF(9.5, 0.5), QPointF(13.5, 4.5),
                            QPointF(13.5, 14.5), QPointF(2.5, 14.5)};
    Polygon(p, outline, kEdge, kPaper);
    Polygon(p, {QPointF(9.5, 0.5), QPointF(9.5, 4.5), QPointF(13.5, 4.5)}, kEdge, kShade);
}

void DrawNew(QPainter& p) {
    Sheet(p);
    // A spark: this sheet is new.
    Line(p, 6, 6, 6, 10, kAccent);
    Line(p, 4, 8, 8, 8, kAccent);
}

void DrawOpen(QPainter& p) {
    // The folder's back with its tab, a sheet sticking out, and the front flap opened forward.
    Polygon(p,
            {QPointF(0.5, 2.5), QPointF(5.5, 2.5), QPointF(6.5, 3.5), QPointF(12.5, 3.5),
             QPointF(12.5, 13.5), QPointF(0.5, 13.5)},
            kFolderEdge, kFolder.darker(112));
    Box(p, 3, 5, 8, 5, kEdge, kPaper);
    Polygon(p, {QPointF(0.5, 13.5), QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(12.5, 13.5)},
            kFolderEdge, kFolder);
}

void DrawSave(QPainter& p) {
    // A diskette: the body, the label above and the shutter below.
    Polygon(p,
            {QPointF(1.5, 0.5), QPointF(12.5, 0.5), QPointF(14.5, 2.5), QPointF(14.5, 14.5),
             QPointF(1.5, 14.5)},
            kInk, kAccent);
    Box(p, 4, 1, 8, 6, kEdge, kPaper);
    Line(p, 5, 3, 10, 3, kShade);
    Line(p, 5, 5, 10, 5, kShade);
    Fill(p, 4, 9, 8, 5, kShade);
    Fill(p, 9, 10, 2, 3, kInk);
}

void DrawCut(QPainter& p) {
    // Open scissors, blades up: two crossing blades and the rings of their handles.
    Stroke(p, {QPointF(4.5, 0.5), QPointF(10.2, 9.6)}, kInk, 1.4);
    Stroke(p, {QPointF(11.5, 0.5), QPointF(5.8, 9.6)}, kInk, 1.4);
    p.setPen(QPen(kRed, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.3, 11.8), 2.4, 2.4);
    p.drawEllipse(QPointF(11.7, 11.8), 2.4, 2.4);
    Fill(p, 7.5, 5.5, 1, 1, kShade);
}

// A sheet with three lines of text on it.
void WrittenSheet(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    Box(p, x, y, w, h, kEdge, kPaper);
    for (qreal line = y + 2; line <= y + h - 3; line += 2)
        Line(p, x + 2, line, x + w - 3, line, kShade);
}

void DrawCopy(QPainter& p) {
    // The original and its copy laid over it.
    WrittenSheet(p, 0, 0, 9, 11);
    WrittenSheet(p, 6, 4, 10, 11);
}

void DrawPaste(QPainter& p) {
    // A clipboard with its clip, and the sheet about to be laid down beside it.
    Box(p, 1, 1, 11, 14, kFolderEdge, kFolder);
    Box(p, 4, 0, 5, 3, kInk, kShade);
    WrittenSheet(p, 7, 5, 9, 10);
}

void DrawSettings(QPainter& p) {
    // A sheet with a cog wheel: the settings of the format.
    Sheet(p);
    const QPointF centre(8.0, 9.0);
    p.save();
    p.translate(centre);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int i = 0; i < 8; ++i) {
        p.drawRect(QRectF(-0.9, -4.6, 1.8, 2.2));
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 3.1, 3.1);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(0, 0), 1.3, 1.3);
    p.restore();
}

// Snapping: a grid of points with a piece of ruler under it; the object's corner sits on a
// point. The fine grid and ruler are millimetres, the coarse ones centimetres.
void DrawSnap(QPainter& p, int step) {
    for (int y = 1; y <= 7; y += step) {
        for (int x = 1; x <= 15; x += step)
            Fill(p, x, y, 1, 1, kEdge);
    }
    // The object's corner on a point of the grid, clear of the ruler.
    const int left = step > 2 ? 1 + step : 5;
    const int top = step > 2 ? 1 : 3;
    Box(p, left, top, 7, 5, kAccent, kAccentLight);
    Box(p, 0, 10, 16, 5, kFolderEdge, QColor(250, 232, 170));
    for (int x = 1; x <= 15; x += step)
        Line(p, x, 11, x, step > 2 ? 13 : 12, kInk);
}

void DrawSnapMillimetre(QPainter& p) {
    DrawSnap(p, 2);
}

void DrawSnapCentimetre(QPainter& p) {
    DrawSnap(p, 7);
}

// The arrow of the selection tool, with its tip at (x, y) and h cells long.
QPolygonF ArrowOutline(qreal x, qreal y, qreal h) {
    const qreal u = h / 16.0;
    return QPolygonF{QPointF(x, y),
                     QPointF(x, y + 14 * u),
                     QPointF(x + 3.5 * u, y + 10.5 * u),
                     QPointF(x + 6 * u, y + 16 * u),
                     QPointF(x + 8.5 * u, y + 15 * u),
                     QPointF(x + 6 * u, y + 9.5 * u),
                     QPointF(x + 10.5 * u, y + 9.5 * u)};
}

void DrawSelect(QPainter& p) {
    Polygon(p, ArrowOutline(3.5, 0.5, 13.5), kInk, kPaper);
}

void DrawDelete(QPainter& p) {
    Stroke(p, {QPointF(3.5, 2.5), QPointF(12.5, 11.5)}, kRed, 2.6);
    Stroke(p, {QPointF(12.5, 2.5), QPointF(3.5, 11.5)}, kRed, 2.6);
}

void DrawProperties(QPainter& p) {
    // A small window of names and values.
    Box(p, 0, 0, 16, 15, kEdge, kPaper);
    Fill(p, 1, 1, 14, 3, kAccent);
    for (int y = 6; y <= 12; y += 3) {
        Line(p, 2, y, 5, y, kInk);
        Box(p, 7, y - 1, 7, 3, kShade, kAccentLight);
    }
}

// An entry field: what a capture control is on the screen.
void Field(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    Box(p, x, y, w, h, kEdge, kPaper);
    Line(p, x + 1, y + 1, x + w - 2, y + 1, kShade);
}

void DrawTextLine(QPainter& p) {
    Field(p, 0, 3, 16, 10);
    LetterA(p, 2.6, 10.8, 5.6, kInk, 1.3);
    Line(p, 10, 5, 10, 10, kAccent);
}

void DrawParagraph(QPainter& p) {
    Field(p, 0, 0, 16, 15);
    for (int y = 4; y <= 10; y += 3)
        Line(p, 3, y, 12, y, kInk);
    Line(p, 3, 13, 7, 13, kInk);
    Line(p, 8, 12, 8, 13, kAccent);
}

void DrawDate(QPainter& p) {
    // A calendar leaf: the red band, the rings and the days.
    Box(p, 1, 2, 14, 13, kEdge, kPaper);
    Fill(p, 2, 3, 12, 3, kRed);
    Line(p, 4, 1, 4, 3, kInk);
    Line(p, 11, 1, 11, 3, kInk);
    for (int y = 8; y <= 12; y += 2) {
        for (int x = 3; x <= 12; x += 3)
            Fill(p, x, y, 2, 1, kEdge);
    }
    Fill(p, 9, 10, 2, 1, kRed);
}

void DrawBoxes(QPainter& p) {
    // A word written one letter to a box.
    for (int i = 0; i < 3; ++i)
        Box(p, i * 5, 3, 6, 9, kEdge, kPaper);
    LetterA(p, 1.6, 9.8, 4.6, kInk, 1.1);
    Stroke(p, {QPointF(7.3, 5.5), QPointF(7.3, 9.8)}, kInk, 1.1);
    Stroke(p,
           {QPointF(7.3, 5.5), QPointF(8.7, 6.4), QPointF(7.3, 7.5), QPointF(8.9, 8.6),
            QPointF(7.3, 9.8)},
           kInk, 1.1);
    p.setPen(QPen(kInk, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(11.4, 5.4, 3.8, 4.4), 50 * 16, 260 * 16);
}

void DrawCheckMark(QPainter& p) {
    Box(p, 1, 1, 13, 13, kEdge, kPaper);
    Stroke(p, {QPointF(4, 7.6), QPointF(6.6, 10.4), QPointF(11.4, 4.2)}, kGreen, 2.1);
}

void DrawTable(QPainter& p) {
    Box(p, 0, 1, 16, 13, kEdge, kPaper);
    Fill(p, 1, 2, 14, 3, kAccentLight);
    Line(p, 1, 5, 14, 5, kEdge);
    Line(p, 1, 9, 14, 9, kShade);
    Line(p, 5, 2, 5, 12, kEdge);
    Line(p, 10, 2, 10, 12, kEdge);
}

void DrawConstantText(QPainter& p) {
    // Printed letters, with no field around them.
    LetterA(p, 0.8, 13.2, 11.5, kInk, 2.1);
    Stroke(p, {QPointF(11.2, 7.0), QPointF(11.2, 13.2)}, kInk, 1.5);
    Stroke(p,
           {QPointF(11.2, 9.2), QPointF(13.4, 8.6), QPointF(14.6, 10.4), QPointF(13.4, 12.8),
            QPointF(11.2, 12.4)},
           kInk, 1.3);
}

void DrawConstantParagraph(QPainter& p) {
    for (int y = 1; y <= 10; y += 3)
        Line(p, 1, y, 14, y, kInk);
    Line(p, 1, 13, 8, 13, kInk);
}

void DrawImage(QPainter& p) {
    // A framed landscape: the sun and two hills.
    Box(p, 0, 1, 16, 13, kEdge, QColor(214, 232, 250));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 180, 30));
    p.drawEllipse(QPointF(11.5, 4.8), 1.9, 1.9);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF{QPointF(1, 13), QPointF(5.5, 6.5), QPointF(9.5, 13)});
    p.setBrush(kGreen.lighter(140));
    p.drawPolygon(QPolygonF{QPointF(6, 13), QPointF(10.5, 8.5), QPointF(15, 13)});
}

void DrawLine(QPainter& p) {
    Stroke(p, {QPointF(2.5, 12.5), QPointF(13.5, 2.5)}, kInk, 1.6);
    Fill(p, 1, 11, 3, 3, kAccent);
    Fill(p, 12, 1, 3, 3, kAccent);
}

void DrawRectangle(QPainter& p) {
    Box(p, 1, 2, 14, 11, kInk, Qt::transparent);
    Box(p, 2, 3, 12, 9, kInk, Qt::transparent);
}

void DrawLabel(QPainter& p) {
    // A tag with its eyelet: a label shows on the screen and never prints.
    Polygon(p,
            {QPointF(0.5, 3.5), QPointF(11.5, 3.5), QPointF(15.5, 7.5), QPointF(11.5, 11.5),
             QPointF(0.5, 11.5)},
            kFolderEdge, QColor(250, 232, 170));
    Box(p, 11, 6, 3, 3, kFolderEdge, kPaper);
    Line(p, 2, 6, 8, 6, kInk);
    Line(p, 2, 9, 6, 9, kInk);
}

// ---- Toolbar 136 ------------------------------------------------------------------------------

void DrawFont(QPainter& p) {
    // A large and a small A.
    LetterA(p, 0.6, 13.5, 12.5, kInk, 1.9);
    LetterA(p, 10.0, 13.5, 6.0, kAccent, 1.3);
}

void DrawColour(QPainter& p) {
    // A painter's palette.
    p.setPen(QPen(kFolderEdge, 1));
    p.setBrush(QColor(244, 222, 176));
    QPainterPath palette;
    palette.addEllipse(QRectF(0.5, 1.5, 15, 12));
    QPainterPath thumb;
    thumb.addEllipse(QRectF(8.5, 8.5, 4, 3.5));
    p.drawPath(palette.subtracted(thumb));
    p.setPen(Qt::NoPen);
    const QColor dabs[] = {kRed, QColor(240, 180, 30), kGreen, kAccent};
    const QPointF places[] = {QPointF(4, 6.5), QPointF(7.5, 4.3), QPointF(11.5, 5.2),
                              QPointF(4.6, 10.3)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(dabs[i]);
        p.drawEllipse(places[i], 1.6, 1.6);
    }
}

// Lines of text set left, centred or right: the long and short lines of each pair in turn.
void DrawAlignment(QPainter& p, int where) {
    for (int i = 0; i < 5; ++i) {
        const int y = 2 + i * 3 - (i == 4 ? 1 : 0);
        const int length = i % 2 == 0 ? 14 : 8;
        int x = 1;
        if (where == 1)
            x = 1 + (14 - length) / 2;
        else if (where == 2)
            x = 15 - length;
        if (i < 4)
            Line(p, x, y, x + length - 1, y, kInk);
    }
}

void DrawAlignLeft(QPainter& p) {
    DrawAlignment(p, 0);
}

void DrawAlignCentre(QPainter& p) {
    DrawAlignment(p, 1);
}

void DrawAlignRight(QPainter& p) {
    DrawAlignment(p, 2);
}

// Two controls lined up on the edge drawn in the accent colour.
void TwoControls(QPainter& p, const QRectF& first, const QRectF& second) {
    Box(p, first.x(), first.y(), first.width(), first.height(), kInk, Qt::white);
    Box(p, second.x(), second.y(), second.width(), second.height(), kInk, Qt::white);
}

void DrawAlignLeftEdges(QPainter& p) {
    TwoControls(p, QRectF(2, 2, 12, 4), QRectF(2, 9, 7, 4));
    Line(p, 1, 0, 1, 14, kAccent);
}

void DrawAlignRightEdges(QPainter& p) {
    TwoControls(p, QRectF(2, 2, 12, 4), QRectF(7, 9, 7, 4));
    Line(p, 14, 0, 14, 14, kAccent);
}

void DrawAlignTopEdges(QPainter& p) {
    TwoControls(p, QRectF(2, 2, 4, 11), QRectF(9, 2, 4, 7));
    Line(p, 0, 1, 15, 1, kAccent);
}

void DrawAlignBottomEdges(QPainter& p) {
    TwoControls(p, QRectF(2, 2, 4, 11), QRectF(9, 6, 4, 7));
    Line(p, 0, 13, 15, 13, kAccent);
}

// Three controls with equal gaps, the gaps marked in the accent colour.
void DrawDistributeHorizontally(QPainter& p) {
    for (int x : {0, 6, 12})
        Box(p, x, 4, 4, 7, kInk, Qt::white);
    Line(p, 4, 7, 5, 7, kAccent);
    Line(p, 10, 7, 11, 7, kAccent);
}

void DrawDistributeVertically(QPainter& p) {
    for (int y : {0, 6, 12})
        Box(p, 3, y, 10, 3, kInk, Qt::white);
    Line(p, 8, 3, 8, 5, kAccent);
    Line(p, 8, 9, 8, 11, kAccent);
}

void DrawUpperCase(QPainter& p) {
    // The capitals key: a hollow arrow upward over a bar, and a capital.
    Polygon(p,
            {QPointF(4.5, 1.5), QPointF(8.5, 6.5), QPointF(6.5, 6.5), QPointF(6.5, 10.5),
             QPointF(2.5, 10.5), QPointF(2.5, 6.5), QPointF(0.5, 6.5)},
            kInk, kPaper);
    Fill(p, 2, 12, 5, 2, kInk);
    LetterA(p, 9.0, 13.6, 8.2, kAccent, 1.6);
}

// A line of the format with its two grip squares.
void DrawHorizontalLine(QPainter& p) {
    Line(p, 2, 7, 13, 7, kInk, 2);
    Fill(p, 0, 6, 3, 3, kAccent);
    Fill(p, 13, 6, 3, 3, kAccent);
}

void DrawVerticalLine(QPainter& p) {
    Line(p, 7, 2, 7, 12, kInk, 2);
    Fill(p, 6, 0, 3, 3, kAccent);
    Fill(p, 6, 12, 3, 3, kAccent);
}

// Two overlapping sheets; the selected one (blue) is in front or behind.
void DrawLayers(QPainter& p, bool front) {
    if (front) {
        Box(p, 0, 0, 10, 9, kEdge, kPaper);
        Box(p, 6, 6, 10, 9, kAccent.darker(130), kAccent);
    } else {
        Box(p, 6, 6, 10, 9, kAccent.darker(130), kAccent);
        Box(p, 0, 0, 10, 9, kEdge, kPaper);
    }
}

void DrawFront(QPainter& p) {
    DrawLayers(p, true);
}

void DrawBack(QPainter& p) {
    DrawLayers(p, false);
}

// ---- Toolbar 148 ------------------------------------------------------------------------------

// A small window of the capture screen: a title strip over a field.
void ScreenWindow(QPainter& p, qreal x, qreal y) {
    Box(p, x, y, 9, 8, kEdge, kPaper);
    Fill(p, x + 1, y + 1, 7, 2, kAccent);
    Box(p, x + 2, y + 4, 5, 3, kEdge, kAccentLight);
}

void DrawOpenScreen(QPainter& p) {
    // The open folder with a capture screen standing in it.
    Polygon(p,
            {QPointF(0.5, 3.5), QPointF(5.5, 3.5), QPointF(6.5, 4.5), QPointF(12.5, 4.5),
             QPointF(12.5, 14.5), QPointF(0.5, 14.5)},
            kFolderEdge, kFolder.darker(112));
    ScreenWindow(p, 6, 0);
    Polygon(p, {QPointF(0.5, 14.5), QPointF(2.5, 9.5), QPointF(14.5, 9.5), QPointF(12.5, 14.5)},
            kFolderEdge, kFolder);
}

// A caption's words as two short strokes, and the field it names.
void DrawCaptionLeft(QPainter& p) {
    Line(p, 0, 6, 4, 6, kInk, 2);
    Line(p, 0, 9, 3, 9, kInk);
    Box(p, 6, 4, 10, 7, kEdge, kPaper);
    Line(p, 8, 7, 8, 7, kAccent);
}

void DrawCaptionAbove(QPainter& p) {
    Line(p, 1, 2, 7, 2, kInk, 2);
    Line(p, 9, 2, 11, 2, kInk, 2);
    Box(p, 0, 6, 16, 7, kEdge, kPaper);
    Line(p, 2, 9, 2, 9, kAccent);
}

void DrawCaptureOrder(QPainter& p) {
    // Three fields in a column, each with its number on the red tag the screen shows in order
    // mode.
    for (int i = 0; i < 3; ++i) {
        const int y = i * 5;
        Box(p, 6, y, 10, 5, kEdge, kPaper);
        Fill(p, 0, y, 5, 5, kRed);
        for (int dot = 0; dot <= i; ++dot)
            Fill(p, 1 + dot, y + 2, 1, 1, kPaper);
    }
}

void DrawAbout(QPainter& p) {
    // A question mark in a round button.
    p.setPen(QPen(kAccent.darker(130), 1));
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(0.5, 0.5, 14, 14));
    Stroke(p,
           {QPointF(5.2, 5.6), QPointF(5.6, 4.2), QPointF(7.5, 3.5), QPointF(9.6, 4.2),
            QPointF(10.0, 5.8), QPointF(7.8, 7.6), QPointF(7.5, 9.4)},
           kPaper, 1.6);
    Fill(p, 6.7, 10.8, 1.7, 1.7, kPaper);
}

struct DrawnPicture {
    ToolPicture picture;
    Draw draw;
};

// The buttons of toolbar 130, then of toolbar 136, in their toolbar order; then those that only
// toolbar 148 adds (its "Guardar" is toolbar 130's).
const std::vector<DrawnPicture>& ToolPictures() {
    static const std::vector<DrawnPicture> pictures{
        {ToolPicture::New, DrawNew},
        {ToolPicture::Open, DrawOpen},
        {ToolPicture::Save, DrawSave},
        {ToolPicture::Cut, DrawCut},
        {ToolPicture::Copy, DrawCopy},
        {ToolPicture::Paste, DrawPaste},
        {ToolPicture::Settings, DrawSettings},
        {ToolPicture::SnapMillimetre, DrawSnapMillimetre},
        {ToolPicture::SnapCentimetre, DrawSnapCentimetre},
        {ToolPicture::Select, DrawSelect},
        {ToolPicture::Delete, DrawDelete},
        {ToolPicture::Properties, DrawProperties},
        {ToolPicture::TextLine, DrawTextLine},
        {ToolPicture::Paragraph, DrawParagraph},
        {ToolPicture::Date, DrawDate},
        {ToolPicture::Boxes, DrawBoxes},
        {ToolPicture::CheckMark, DrawCheckMark},
        {ToolPicture::Table, DrawTable},
        {ToolPicture::ConstantText, DrawConstantText},
        {ToolPicture::ConstantParagraph, DrawConstantParagraph},
        {ToolPicture::Image, DrawImage},
        {ToolPicture::Line, DrawLine},
        {ToolPicture::Rectangle, DrawRectangle},
        {ToolPicture::Label, DrawLabel},
        {ToolPicture::Font, DrawFont},
        {ToolPicture::Colour, DrawColour},
        {ToolPicture::AlignLeft, DrawAlignLeft},
        {ToolPicture::AlignCentre, DrawAlignCentre},
        {ToolPicture::AlignRight, DrawAlignRight},
        {ToolPicture::UpperCase, DrawUpperCase},
        {ToolPicture::HorizontalLine, DrawHorizontalLine},
        {ToolPicture::VerticalLine, DrawVerticalLine},
        {ToolPicture::Front, DrawFront},
        {ToolPicture::Back, DrawBack},
        {ToolPicture::AlignLeftEdges, DrawAlignLeftEdges},
        {ToolPicture::AlignRightEdges, DrawAlignRightEdges},
        {ToolPicture::AlignTopEdges, DrawAlignTopEdges},
        {ToolPicture::AlignBottomEdges, DrawAlignBottomEdges},
        {ToolPicture::DistributeHorizontally, DrawDistributeHorizontally},
        {ToolPicture::DistributeVertically, DrawDistributeVertically},
        {ToolPicture::OpenScreen, DrawOpenScreen},
        {ToolPicture::CaptionLeft, DrawCaptionLeft},
        {ToolPicture::CaptionAbove, DrawCaptionAbove},
        {ToolPicture::CaptureOrder, DrawCaptureOrder},
        {ToolPicture::About, DrawAbout},
    };
    return pictures;
}

// ---- Cursors ----------------------------------------------------------------------------------

// Cursors are black with a white rim, so that they show on the white paper and on dark parts
// of the screen alike.
void CursorShape(QPainter& p, const QPainterPath& shape) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(shape);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::black);
    p.drawPath(shape);
}

// A double-headed arrow along x, centred on (0, 0), for the pictures turned as needed.
QPainterPath DoubleArrow() {
    QPainterPath path;
    path.addPolygon(QPolygonF{QPointF(-10, 0), QPointF(-5, -5), QPointF(-5, -2), QPointF(5, -2),
                              QPointF(5, -5), QPointF(10, 0), QPointF(5, 5), QPointF(5, 2),
                              QPointF(-5, 2), QPointF(-5, 5), QPointF(-10, 0)});
    return path;
}

// A single thick arrow pointing along +x with its tip at (0, 0).
QPainterPath PointingArrow() {
    QPainterPath path;
    path.addPolygon(QPolygonF{QPointF(0, 0), QPointF(-7, -7), QPointF(-7, -3), QPointF(-15, -3),
                              QPointF(-15, 3), QPointF(-7, 3), QPointF(-7, 7), QPointF(0, 0)});
    return path;
}

void DrawCrossHair(QPainter& p) {
    // Two hairs through (15, 15) with a gap at the centre, where the control will go.
    for (const auto& [from, to] : {std::pair{3, 12}, std::pair{18, 27}}) {
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(QPointF(from + 0.5, 15.5), QPointF(to + 0.5, 15.5));
        p.drawLine(QPointF(15.5, from + 0.5), QPointF(15.5, to + 0.5));
    }
    for (const auto& [from, to] : {std::pair{3, 12}, std::pair{18, 27}}) {
        Line(p, from, 15, to, 15, Qt::black);
        Line(p, 15, from, 15, to, Qt::black);
    }
    Fill(p, 15, 15, 1, 1, Qt::black);
}

void DrawArrowCursor(QPainter& p) {
    QPainterPath path;
    path.addPolygon(ArrowOutline(1.5, 1.5, 19));
    path.closeSubpath();
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::black);
    p.drawPath(path);
}

void DrawTurned(QPainter& p, const QPainterPath& shape, QPointF at, qreal degrees) {
    p.save();
    p.translate(at);
    p.rotate(degrees);
    CursorShape(p, shape);
    p.restore();
}

struct CursorPicture {
    int id;
    QPoint hotSpot;
    Draw draw;
};

const std::vector<CursorPicture>& CursorPictures() {
    static const std::vector<CursorPicture> pictures{
        {DesignerPictures::kCrossHairCursor, QPoint(15, 15), DrawCrossHair},
        {DesignerPictures::kArrowCursor, QPoint(1, 1), DrawArrowCursor},
        {DesignerPictures::kSizeWidthCursor, QPoint(15, 15),
         [](QPainter& p) { DrawTurned(p, DoubleArrow(), QPointF(15.5, 15.5), 0); }},
        {DesignerPictures::kSizeHeightCursor, QPoint(15, 15),
         [](QPainter& p) { DrawTurned(p, DoubleArrow(), QPointF(15.5, 15.5), 90); }},
        {DesignerPictures::kSelectColumnCursor, QPoint(15, 28),
         [](QPainter& p) { DrawTurned(p, PointingArrow(), QPointF(15.5, 28.5), 90); }},
        {DesignerPictures::kSelectRowCursor, QPoint(28, 15),
         [](QPainter& p) { DrawTurned(p, PointingArrow(), QPointF(28.5, 15.5), 0); }},
    };
    return pictures;
}

QPixmap Render(int width, int height, qreal ratio, const Draw& draw) {
    QPixmap pixmap(qRound(width * ratio), qRound(height * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return pixmap;
}

} // namespace

QPixmap DesignerPictures::CursorPixmap(int id, qreal ratio) {
    for (const CursorPicture& picture : CursorPictures()) {
        if (picture.id == id)
            return Render(kCursorSize, kCursorSize, ratio, picture.draw);
    }
    return QPixmap();
}

QPoint DesignerPictures::CursorHotSpot(int id) {
    for (const CursorPicture& picture : CursorPictures()) {
        if (picture.id == id)
            return picture.hotSpot;
    }
    return QPoint();
}

QCursor DesignerPictures::Cursor(int id) {
    const QPixmap pixmap = CursorPixmap(id);
    if (pixmap.isNull())
        return QCursor(Qt::ArrowCursor);
    const QPoint hot = CursorHotSpot(id);
    return QCursor(pixmap, hot.x(), hot.y());
}

QPixmap DesignerPictures::ToolPixmap(ToolPicture tool, qreal ratio) {
    for (const DrawnPicture& picture : ToolPictures()) {
        if (picture.picture == tool)
            return Render(kToolWidth, kToolHeight, ratio, picture.draw);
    }
    return QPixmap();
}

QIcon DesignerPictures::ToolIcon(ToolPicture tool) {
    const QPixmap normal = ToolPixmap(tool, 1);
    if (normal.isNull())
        return QIcon();
    QIcon icon;
    icon.addPixmap(normal);
    icon.addPixmap(ToolPixmap(tool, 2));
    return icon;
}

QList<int> DesignerPictures::CursorIds() {
    QList<int> ids;
    for (const CursorPicture& picture : CursorPictures())
        ids.append(picture.id);
    return ids;
}

QList<ToolPicture> DesignerPictures::Tools() {
    QList<ToolPicture> tools;
    for (const DrawnPicture& picture : ToolPictures())
        tools.append(picture.picture);
    return tools;
}
