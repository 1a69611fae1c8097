#include "shell/ShellPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// One palette for the four pictures, close to the designer's toolbar pictures so that the
// buttons of the access bar and the windows they open read as one set.
const QColor kInk(36, 36, 36);
const QColor kEdge(88, 88, 88);
const QColor kShade(176, 176, 176);
const QColor kLightShade(222, 222, 222);
const QColor kPaper(255, 255, 255);
const QColor kAccent(36, 98, 196);
const QColor kAccentLight(192, 214, 244);
const QColor kRed(204, 40, 40);
const QColor kGreen(28, 136, 56);
const QColor kPencil(238, 184, 52);
const QColor kPencilEdge(160, 112, 20);

constexpr int kGrid = 32;

QPen Pen(const QColor& color, qreal width = 1) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with its upper right corner turned down, standing in the grid's cells from
// (left, top) to (right, bottom).
void Sheet(QPainter& p, qreal left, qreal top, qreal right, qreal bottom) {
    const qreal fold = 7;
    p.setPen(Pen(kEdge));
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF{QPointF(left, top), QPointF(right - fold, top),
                            QPointF(right, top + fold), QPointF(right, bottom),
                            QPointF(left, bottom)});
    p.setBrush(kLightShade);
    p.drawPolygon(QPolygonF{QPointF(right - fold, top), QPointF(right - fold, top + fold),
                            QPointF(right, top + fold)});
}

// Lines of text written on a sheet, in the colour given.
void TextLines(QPainter& p, qreal left, qreal top, const QList<qreal>& lengths, const QColor& color,
               qreal spacing = 3.5) {
    p.setPen(Pen(color, 1.4));
    qreal y = top;
    for (const qreal length : lengths) {
        p.drawLine(QPointF(left, y), QPointF(left + length, y));
        y += spacing;
    }
}

void NewFormat(QPainter& p) {
    Sheet(p, 5.5, 2.5, 24.5, 29.5);
    // A green plus on a round badge: something comes into being.
    p.setPen(Pen(kGreen.darker(130)));
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(23, 23), 7.5, 7.5);
    p.setPen(Pen(kPaper, 2.6));
    p.drawLine(QPointF(23, 19), QPointF(23, 27));
    p.drawLine(QPointF(19, 23), QPointF(27, 23));
}

void Design(QPainter& p) {
    Sheet(p, 3.5, 2.5, 24.5, 29.5);
    TextLines(p, 7, 8.5, {9, 12}, kShade);
    // A control being laid out: its outline with the red handles of a selection.
    p.setPen(Pen(kAccent, 1.2));
    p.setBrush(kAccentLight);
    p.drawRect(QRectF(7.5, 15.5, 12, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    for (const QPointF& corner :
         {QPointF(7.5, 15.5), QPointF(19.5, 15.5), QPointF(7.5, 22.5), QPointF(19.5, 22.5)})
        p.drawRect(QRectF(corner.x() - 1.5, corner.y() - 1.5, 3, 3));
    // The pencil that draws it, leaning across the sheet's lower right corner.
    p.save();
    p.translate(26, 8);
    p.rotate(45);
    p.setPen(Pen(kPencilEdge));
    p.setBrush(kPencil);
    p.drawRect(QRectF(-2.5, 0, 5, 17));
    p.setBrush(kShade);
    p.drawRect(QRectF(-2.5, -3, 5, 3));
    p.setBrush(QColor(244, 222, 180));
    p.drawPolygon(QPolygonF{QPointF(-2.5, 17), QPointF(2.5, 17), QPointF(0, 23)});
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF{QPointF(-0.9, 20.7), QPointF(0.9, 20.7), QPointF(0, 23)});
    p.restore();
}

void Capture(QPainter& p) {
    // The sheet being printed, its typed values in blue, rising out of the printer.
    Sheet(p, 8.5, 1.5, 23.5, 18);
    TextLines(p, 11, 6.5, {7, 9, 5}, kAccent, 3.2);
    // The printer: a body with its paper slot, a tray below and a green light.
    p.setPen(Pen(kEdge));
    p.setBrush(kShade);
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 14.5, 27, 11), 2, 2);
    p.drawPath(body);
    p.setBrush(kLightShade);
    p.drawRect(QRectF(6.5, 25.5, 19, 4));
    p.setPen(Pen(kInk, 1.4));
    p.drawLine(QPointF(7, 18.5), QPointF(25, 18.5));
    p.setPen(Pen(kGreen.darker(130)));
    p.setBrush(QColor(80, 200, 100));
    p.drawEllipse(QPointF(25.5, 22), 1.6, 1.6);
}

void ScreenDesign(QPainter& p) {
    // A capture screen: a window with a caption band, two captions and their entry boxes.
    p.setPen(Pen(kEdge));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 3.5, 27, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(QRectF(2, 4, 26, 4.5));
    TextLines(p, 4.5, 12.5, {6, 6}, kShade, 6);
    p.setPen(Pen(kEdge));
    p.setBrush(kAccentLight);
    p.drawRect(QRectF(12.5, 10.5, 13, 4));
    p.drawRect(QRectF(12.5, 16.5, 13, 4));
    // The four-way arrow that moves a field on the screen.
    p.save();
    p.translate(23.5, 24.5);
    p.setPen(Pen(kInk, 1.6));
    p.drawLine(QPointF(-5, 0), QPointF(5, 0));
    p.drawLine(QPointF(0, -5), QPointF(0, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int turn = 0; turn < 4; ++turn) {
        p.drawPolygon(QPolygonF{QPointF(7, 0), QPointF(4, -3), QPointF(4, 3)});
        p.rotate(90);
    }
    p.restore();
}

void DrawPicture(ShellPictures::Picture picture, QPainter& p) {
    switch (picture) {
    case ShellPictures::Picture::NewFormat:
        NewFormat(p);
        return;
    case ShellPictures::Picture::Design:
        Design(p);
        return;
    case ShellPictures::Picture::Capture:
        Capture(p);
        return;
    case ShellPictures::Picture::ScreenDesign:
        ScreenDesign(p);
        return;
    }
}

} // namespace

QPixmap ShellPictures::Pixmap(Picture picture, int size, qreal ratio) {
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / kGrid, qreal(size) / kGrid);
    DrawPicture(picture, painter);
    return pixmap;
}

QIcon ShellPictures::Icon(Picture picture) {
    QIcon icon;
    for (const int size : {16, 20, 24, 32}) {
        icon.addPixmap(Pixmap(picture, size, 1));
        icon.addPixmap(Pixmap(picture, size, 2));
    }
    return icon;
}

QList<ShellPictures::Picture> ShellPictures::Pictures() {
    return {Picture::NewFormat, Picture::Design, Picture::Capture, Picture::ScreenDesign};
}
