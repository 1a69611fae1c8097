// Draws Plenova's pictures for the desktop and writes them in the layout of an icon theme:
// the application's mark (apps/plenova) and the icons of its two kinds of document, formats
// (mimetypes/application-x-plenova-format) and captured data
// (mimetypes/application-x-plenova-captura), as a PNG at every size asked for and as a scalable
// drawing. Run by the build; the output depends only on this code.
//
//   plenova_make_icons OUTPUT_FOLDER SIZE...
//
// Every picture is laid out on a square of 256 units and drawn at each size from the same
// outline, its edges put on whole pixels so that the small sizes stay sharp; below 32 pixels a
// picture shows fewer rows, so that the rows it keeps do not run together.
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kDesignSize = 256;

// One filled shape of a picture: a box (with rounded corners when radius is not 0, shaded from
// top to bottom when bottom is valid), a filled polygon, or a line of the given width along the
// points.
struct Shape {
    enum class Kind { Box, Polygon, Line };
    Kind kind = Kind::Box;
    QRectF box;
    qreal radius = 0;
    QPolygonF points;
    qreal width = 0;
    QColor color;
    QColor bottom;
};
using Picture = std::vector<Shape>;

// Plenova's colours: a calm blue for the mark and for formats, a green for filled-in data, an
// amber accent for the total of a form.
const QColor kBlue(0x2b, 0x63, 0xad);
const QColor kDeepBlue(0x17, 0x3b, 0x6e);
const QColor kGreen(0x2e, 0x8a, 0x57);
const QColor kAmber(0xe9, 0xa2, 0x36);
const QColor kPaper(0xfd, 0xfc, 0xf8);
const QColor kPaperEdge(0x8c, 0x96, 0xa6);
const QColor kFold(0xdc, 0xe1, 0xe8);
const QColor kLabel(0xa9, 0xb4, 0xc4);
const QColor kInk(0x2f, 0x3a, 0x48);
const QColor kShadow(0x0a, 0x1a, 0x33, 0x55);

// Turns the 256 units of the design into the pixels of one size, on whole pixels.
class Scale {
public:
    explicit Scale(int size) : m_size(size) {}

    int Size() const { return m_size; }
    qreal At(qreal units) const { return std::round(units * m_size / kDesignSize); }
    // A box from its edges in units; at least one pixel each way, however small the size.
    QRectF Box(qreal left, qreal top, qreal right, qreal bottom) const {
        const qreal x0 = At(left), y0 = At(top);
        return QRectF(x0, y0, std::max(At(right) - x0, 1.0), std::max(At(bottom) - y0, 1.0));
    }
    // A line's width in pixels, never thinner than one.
    qreal Width(qreal units) const { return std::max(1.0, units * m_size / kDesignSize); }

private:
    int m_size;
};

void AddBox(Picture& picture, const QRectF& box, const QColor& color, qreal radius = 0,
            const QColor& bottom = QColor()) {
    Shape shape;
    shape.box = box;
    shape.radius = radius;
    shape.color = color;
    shape.bottom = bottom;
    picture.push_back(shape);
}

// A field to fill in: an outline of the given colour around paper.
void AddField(Picture& picture, const Scale& s, const QRectF& box, const QColor& color) {
    AddBox(picture, box, color);
    const qreal w = s.Width(4);
    if (box.width() > 2 * w && box.height() > 2 * w)
        AddBox(picture, box.adjusted(w, w, -w, -w), kPaper);
}

void AddPolygon(Picture& picture, const QPolygonF& points, const QColor& color) {
    Shape shape;
    shape.kind = Shape::Kind::Polygon;
    shape.points = points;
    shape.color = color;
    picture.push_back(shape);
}

void AddLine(Picture& picture, const QPolygonF& points, qreal width, const QColor& color) {
    Shape shape;
    shape.kind = Shape::Kind::Line;
    shape.points = points;
    shape.width = width;
    shape.color = color;
    picture.push_back(shape);
}

// The application's mark: a sheet of stationery on a blue tile, with a title band, three
// labelled fields, a row of letter boxes and the amber total.
Picture ApplicationMark(const Scale& s) {
    Picture p;
    const int size = s.Size();
    AddBox(p, s.Box(12, 12, 244, 244), kBlue, s.At(48) + (size <= 24 ? 1 : 0), kDeepBlue);
    if (size <= 24) {
        // The sheet, its title band and three rows: all a title bar and a task list can show.
        const QRectF sheet = s.Box(64, 32, 192, 224);
        AddBox(p, sheet, kPaper);
        const qreal left = sheet.left() + 1, right = sheet.right() - 1;
        const qreal step = size <= 16 ? 3 : 4;
        AddBox(p, QRectF(left, sheet.top() + 1, right - left, size <= 16 ? 1 : 2), kDeepBlue);
        for (int row = 0; row < 3; ++row) {
            const qreal y = sheet.top() + (size <= 16 ? 4 : 6) + row * step;
            const bool total = row == 2;
            const qreal x0 = total ? sheet.center().x() : left;
            AddBox(p, QRectF(x0, y, right - x0, size <= 16 ? 1 : 2), total ? kAmber : kBlue);
        }
        return p;
    }
    if (size >= 48)
        AddBox(p, s.Box(70, 44, 200, 232), kShadow, s.At(6));
    AddBox(p, s.Box(60, 34, 196, 224), kPaper, s.At(6));
    AddBox(p, s.Box(76, 50, 180, 66), kDeepBlue);
    const int rows = size >= 48 ? 3 : 2;
    for (int row = 0; row < rows; ++row) {
        const qreal y = (size >= 48 ? 84 : 88) + row * (size >= 48 ? 30 : 40);
        AddBox(p, s.Box(76, y + 6, 100, y + 14), kLabel);
        AddField(p, s, s.Box(106, y, 180, y + 22), kBlue);
    }
    if (size >= 48) {
        for (int box = 0; box < 5; ++box) {
            const qreal x = 76 + box * 16;
            AddField(p, s, s.Box(x, 176, x + 14, 194), kBlue);
        }
    }
    AddBox(p, s.Box(144, 200, 180, 212), kAmber);
    return p;
}

// The icon of a document: a page with its top right corner folded over, laid out as a form.
// A format shows its fields empty and its title band blue; captured data shows them written
// in, a ticked check mark and a green title band.
Picture Document(const Scale& s, bool captured) {
    Picture p;
    const int size = s.Size();
    const QColor band = captured ? kGreen : kBlue;
    const qreal left = s.At(40), top = s.At(16), right = s.At(216), bottom = s.At(240);
    const qreal fold = std::max(s.At(56), 3.0);
    const qreal edge = s.Width(4);
    const QPolygonF outline(
        {{left, top}, {right - fold, top}, {right, top + fold}, {right, bottom}, {left, bottom}});
    AddPolygon(p, outline, kPaperEdge);
    AddPolygon(p,
               QPolygonF({{left + edge, top + edge},
                          {right - fold - edge * 0.4, top + edge},
                          {right - edge, top + fold + edge * 0.4},
                          {right - edge, bottom - edge},
                          {left + edge, bottom - edge}}),
               kPaper);
    AddPolygon(p, QPolygonF({{right - fold, top}, {right - fold, top + fold}, {right, top + fold}}),
               kFold);
    if (size <= 24) {
        // The title band, then rows: empty lines for a format, written ones for captured data.
        const qreal x0 = left + 2, x1 = right - 2;
        const qreal thick = size <= 16 ? 1 : 2;
        AddBox(p, QRectF(x0, top + 2, right - fold - 1 - x0, thick + (size <= 16 ? 1 : 0)), band);
        const qreal step = size <= 16 ? 3 : 5;
        for (int row = 0; row < 3; ++row) {
            const qreal y = top + fold + 1 + row * step;
            if (captured) {
                AddBox(p, QRectF(x0, y, std::round((x1 - x0) * (row % 2 ? 0.6 : 0.85)), thick),
                       kInk);
            } else {
                AddBox(p, QRectF(x0, y, x1 - x0, thick), kBlue);
            }
        }
        return p;
    }
    AddBox(p, s.Box(60, 36, 152, 58), band);
    const int rows = size >= 48 ? 3 : 2;
    for (int row = 0; row < rows; ++row) {
        const qreal y = (size >= 48 ? 84 : 90) + row * (size >= 48 ? 34 : 44);
        AddBox(p, s.Box(60, y + 8, 88, y + 16), kLabel);
        AddField(p, s, s.Box(96, y, 196, y + 24), kBlue);
        if (captured)
            AddBox(p, s.Box(106, y + 9, row == 1 ? 152 : 182, y + 15), kInk);
    }
    if (size >= 48) {
        for (int box = 0; box < 5; ++box) {
            const qreal x = 60 + box * 19;
            AddField(p, s, s.Box(x, 190, x + 16, 212), kBlue);
            if (captured)
                AddBox(p, s.Box(x + 6, 196, x + 10, 206), kInk);
        }
    }
    const QRectF mark = s.Box(162, 186, 196, 216);
    AddField(p, s, mark, kBlue);
    // Below 48 pixels a tick would be a smudge: the ticked box is filled instead.
    if (captured && size < 48)
        AddBox(p, mark, kGreen);
    else if (captured)
        AddLine(p,
                QPolygonF({{s.At(168), s.At(200)}, {s.At(177), s.At(210)}, {s.At(192), s.At(186)}}),
                s.Width(10), kGreen);
    return p;
}

void Paint(QPainter& painter, const Shape& shape) {
    painter.setPen(Qt::NoPen);
    switch (shape.kind) {
    case Shape::Kind::Box:
        if (shape.bottom.isValid()) {
            QLinearGradient shade(shape.box.topLeft(), shape.box.bottomLeft());
            shade.setColorAt(0, shape.color);
            shade.setColorAt(1, shape.bottom);
            painter.setBrush(shade);
        } else {
            painter.setBrush(shape.color);
        }
        // Square boxes sit on whole pixels and are drawn without smoothing, so they stay sharp.
        painter.setRenderHint(QPainter::Antialiasing, shape.radius > 0);
        painter.drawRoundedRect(shape.box, shape.radius, shape.radius);
        break;
    case Shape::Kind::Polygon:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(shape.color);
        painter.drawPolygon(shape.points);
        break;
    case Shape::Kind::Line:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(shape.color, shape.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(shape.points);
        break;
    }
}

QImage Render(const Picture& picture, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (const Shape& shape : picture)
        Paint(painter, shape);
    painter.end();
    return image;
}

QByteArray Number(qreal v) {
    return QByteArray::number(v, 'g', 6);
}

// The colour as SVG attributes: the colour, and its opacity when it is not opaque.
QByteArray Colour(const char* attribute, const QColor& color) {
    QByteArray out = QByteArray(attribute) + "=\"" + color.name(QColor::HexRgb).toLatin1() + '"';
    if (color.alpha() != 255)
        out += QByteArray(" ") + attribute + "-opacity=\"" + Number(color.alphaF()) + '"';
    return out;
}

QByteArray Points(const QPolygonF& points) {
    QByteArray out;
    for (const QPointF& point : points)
        out += (out.isEmpty() ? "" : " ") + Number(point.x()) + ',' + Number(point.y());
    return out;
}

// The picture as a scalable drawing on the 256 units of the design.
QByteArray Svg(const Picture& picture) {
    QByteArray defs;
    QByteArray body;
    int shades = 0;
    for (const Shape& shape : picture) {
        switch (shape.kind) {
        case Shape::Kind::Box: {
            QByteArray fill;
            if (shape.bottom.isValid()) {
                const QByteArray id = "shade" + QByteArray::number(++shades);
                defs += "    <linearGradient id=\"" + id +
                        "\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
                        "      <stop offset=\"0\" stop-color=\"" +
                        shape.color.name().toLatin1() +
                        "\"/>\n"
                        "      <stop offset=\"1\" stop-color=\"" +
                        shape.bottom.name().toLatin1() + "\"/>\n    </linearGradient>\n";
                fill = "fill=\"url(#" + id + ")\"";
            } else {
                fill = Colour("fill", shape.color);
            }
            body += "  <rect x=\"" + Number(shape.box.x()) + "\" y=\"" + Number(shape.box.y()) +
                    "\" width=\"" + Number(shape.box.width()) + "\" height=\"" +
                    Number(shape.box.height()) + '"';
            if (shape.radius > 0)
                body += " rx=\"" + Number(shape.radius) + '"';
            body += ' ' + fill + "/>\n";
            break;
        }
        case Shape::Kind::Polygon:
            body += "  <polygon points=\"" + Points(shape.points) + "\" " +
                    Colour("fill", shape.color) + "/>\n";
            break;
        case Shape::Kind::Line:
            body += "  <polyline points=\"" + Points(shape.points) + "\" fill=\"none\" " +
                    Colour("stroke", shape.color) + " stroke-width=\"" + Number(shape.width) +
                    "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
            break;
        }
    }
    const QByteArray side = QByteArray::number(kDesignSize);
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                     side + "\" height=\"" + side + "\" viewBox=\"0 0 " + side + ' ' + side +
                     "\">\n";
    if (!defs.isEmpty())
        out += "  <defs>\n" + defs + "  </defs>\n";
    return out + body + "</svg>\n";
}

bool Write(const QString& path, const QByteArray& bytes) {
    std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(bytes.constData(), 1, bytes.size(), f) ==
                         static_cast<std::size_t>(bytes.size());
    return std::fclose(f) == 0 && written;
}

// Writes one picture as NxN/CONTEXT/NAME.png for every size and scalable/CONTEXT/NAME.svg.
bool WriteIcon(const QString& folder, const char* context, const char* name,
               Picture (*draw)(const Scale&), const std::vector<int>& sizes) {
    for (int size : sizes) {
        const QString dir =
            QStringLiteral("%1/hicolor/%2x%2/%3").arg(folder).arg(size).arg(QLatin1String(context));
        const QString path = QStringLiteral("%1/%2.png").arg(dir, QLatin1String(name));
        if (!QDir().mkpath(dir) || !Render(draw(Scale(size)), size).save(path, "PNG")) {
            std::fprintf(stderr, "plenova_make_icons: cannot write %s\n",
                         QFile::encodeName(path).constData());
            return false;
        }
    }
    const QString dir =
        QStringLiteral("%1/hicolor/scalable/%2").arg(folder, QLatin1String(context));
    const QString path = QStringLiteral("%1/%2.svg").arg(dir, QLatin1String(name));
    if (!QDir().mkpath(dir) || !Write(path, Svg(draw(Scale(kDesignSize))))) {
        std::fprintf(stderr, "plenova_make_icons: cannot write %s\n",
                     QFile::encodeName(path).constData());
        return false;
    }
    return true;
}

Picture FormatDocument(const Scale& s) {
    return Document(s, false);
}
Picture CapturedDocument(const Scale& s) {
    return Document(s, true);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "plenova_make_icons: %s is no icon size (16 to 1024)\n", argv[i]);
            return 1;
        }
        sizes.push_back(size);
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: plenova_make_icons OUTPUT_FOLDER SIZE...\n");
        return 1;
    }
    const QString folder = QFile::decodeName(argv[1]);
    const bool ok =
        WriteIcon(folder, "apps", "plenova", ApplicationMark, sizes) &&
        WriteIcon(folder, "mimetypes", "application-x-plenova-format", FormatDocument, sizes) &&
        WriteIcon(folder, "mimetypes", "application-x-plenova-captura", CapturedDocument, sizes);
    return ok ? 0 : 1;
}
