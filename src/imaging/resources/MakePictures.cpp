// Draws Plenova's built-in pictures and writes them as a C++ source of byte arrays: two
// Windows bitmaps (the about box and the workspace background) and one JPEG (the start-up
// picture). Run by the build; the output depends only on this code and the version it is given.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>

namespace {

struct Color {
    int r, g, b;
};

// Plenova's colours: a deep blue for the name, a teal for the marks, greys for the words.
constexpr Color kNavy{27, 54, 93};
constexpr Color kNavyLight{44, 82, 130};
constexpr Color kTeal{38, 150, 138};
constexpr Color kPaper{252, 252, 249};
constexpr Color kInk{52, 58, 70};
constexpr Color kQuiet{112, 120, 134};
constexpr Color kRule{198, 206, 218};
constexpr Color kWhite{255, 255, 255};

struct Canvas {
    int width;
    int height;
    std::vector<std::uint8_t> rgb;

    Canvas(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3) {}

    std::uint8_t* At(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
    // Lays colour c over pixel (x, y) with coverage a (0 to 1).
    void Blend(int x, int y, Color c, double a) {
        if (x < 0 || y < 0 || x >= width || y >= height || a <= 0)
            return;
        std::uint8_t* p = At(x, y);
        const int channel[3] = {c.r, c.g, c.b};
        for (int i = 0; i < 3; ++i)
            p[i] = static_cast<std::uint8_t>(
                std::lround(p[i] + (channel[i] - p[i]) * std::min(a, 1.0)));
    }
};

// Draws at four times the size and averages each 4 x 4 block at the end, so that edges, strokes
// and letters come out smooth. Coordinates are those of the finished picture, y downward.
class Sketch {
public:
    static constexpr int kScale = 4;

    Sketch(int w, int h, Color ground) : m_big(w * kScale, h * kScale), m_width(w), m_height(h) {
        Rect(0, 0, w, h, ground);
    }

    void Rect(double x0, double y0, double x1, double y1, Color c, double alpha = 1) {
        RoundRect(x0, y0, x1, y1, 0, c, alpha);
    }
    // A rectangle with corners rounded to radius r.
    void RoundRect(double x0, double y0, double x1, double y1, double r, Color c,
                   double alpha = 1) {
        const int bx0 = Big(x0), by0 = Big(y0), bx1 = Big(x1), by1 = Big(y1);
        const double br = r * kScale;
        for (int y = by0; y < by1; ++y)
            for (int x = bx0; x < bx1; ++x) {
                const double cx = std::clamp(x + 0.5, bx0 + br, bx1 - br);
                const double cy = std::clamp(y + 0.5, by0 + br, by1 - br);
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                if (dx * dx + dy * dy <= br * br)
                    m_big.Blend(x, y, c, alpha);
            }
    }
    // A soft shadow under a rectangle: layers that fade outwards.
    void Shadow(double x0, double y0, double x1, double y1, double r, double spread) {
        for (double d = spread; d > 0; d -= 1)
            RoundRect(x0 - d * 0.5, y0 - d * 0.3 + spread * 0.5, x1 + d * 0.5,
                      y1 + d * 0.6 + spread * 0.5, r + d, Color{20, 30, 50}, 0.018);
    }
    // Blends from colour a at the top to b at the bottom.
    void VerticalGradient(double x0, double y0, double x1, double y1, Color a, Color b) {
        for (int y = Big(y0); y < Big(y1); ++y) {
            const double t = (y - Big(y0)) / std::max(1.0, double(Big(y1) - Big(y0)));
            const Color c{int(a.r + (b.r - a.r) * t), int(a.g + (b.g - a.g) * t),
                          int(a.b + (b.b - a.b) * t)};
            for (int x = Big(x0); x < Big(x1); ++x)
                m_big.Blend(x, y, c, 1);
        }
    }
    // A straight stroke of the given width with round ends.
    void Line(double x0, double y0, double x1, double y1, double width, Color c) {
        const double ax = x0 * kScale, ay = y0 * kScale, bx = x1 * kScale, by = y1 * kScale;
        const double hw = width * kScale / 2;
        const int left = int(std::floor(std::min(ax, bx) - hw)),
                  right = int(std::ceil(std::max(ax, bx) + hw)),
                  top = int(std::floor(std::min(ay, by) - hw)),
                  bottom = int(std::ceil(std::max(ay, by) + hw));
        const double vx = bx - ax, vy = by - ay, length2 = vx * vx + vy * vy;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const double px = x + 0.5 - ax, py = y + 0.5 - ay;
                const double t =
                    length2 > 0 ? std::clamp((px * vx + py * vy) / length2, 0.0, 1.0) : 0.0;
                const double dx = px - t * vx, dy = py - t * vy;
                if (dx * dx + dy * dy <= hw * hw)
                    m_big.Blend(x, y, c, 1);
            }
    }

    Canvas Finish() const {
        Canvas out(m_width, m_height);
        const Canvas& big = m_big;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                for (int i = 0; i < 3; ++i) {
                    int sum = 0;
                    for (int dy = 0; dy < kScale; ++dy)
                        for (int dx = 0; dx < kScale; ++dx)
                            sum +=
                                big.rgb[((static_cast<std::size_t>(y) * kScale + dy) * big.width +
                                         x * kScale + dx) *
                                            3 +
                                        i];
                    out.At(x, y)[i] = static_cast<std::uint8_t>(sum / (kScale * kScale));
                }
        return out;
    }

private:
    static int Big(double v) { return int(std::lround(v * kScale)); }

    Canvas m_big;
    int m_width;
    int m_height;
};

// A plain geometric letter drawn with strokes: lines and arcs on a grid where the small letters
// are 5 units high, the capitals 7, the tall letters 7.5 and the descenders reach -2.5 (y up).
struct Glyph {
    double advance;
    std::vector<std::vector<std::pair<double, double>>> strokes;
};

using Stroke = std::vector<std::pair<double, double>>;

// Points along an ellipse from angle a0 to a1 (degrees, counter-clockwise, 0 to the right).
Stroke Arc(double cx, double cy, double rx, double ry, double a0, double a1) {
    Stroke points;
    const int steps = std::max(8, int(std::abs(a1 - a0) / 6));
    for (int i = 0; i <= steps; ++i) {
        const double a = (a0 + (a1 - a0) * i / steps) * 3.14159265358979 / 180;
        points.emplace_back(cx + rx * std::cos(a), cy + ry * std::sin(a));
    }
    return points;
}

Stroke Join(Stroke a, const Stroke& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Glyph Letter(char32_t c) {
    const Stroke bowl = Arc(2.6, 2.5, 2.6, 2.5, 0, 360);
    switch (c) {
    case U'a':
        return {5.2, {bowl, {{5.2, 5}, {5.2, 0}}}};
    case U'c':
        return {4.9, {Arc(2.6, 2.5, 2.6, 2.5, 40, 320)}};
    case U'd':
        return {5.2, {bowl, {{5.2, 7.5}, {5.2, 0}}}};
    case U'e':
        return {5.2, {Join({{0.1, 2.5}, {5.2, 2.5}}, Arc(2.6, 2.5, 2.6, 2.5, 0, 320))}};
    case U'f':
        return {2.8, {Join({{1.1, 0}}, Arc(2.5, 6.1, 1.4, 1.4, 180, 40)), {{0, 5}, {2.8, 5}}}};
    case U'i':
        return {0, {{{0, 0}, {0, 5}}, {{0, 6.7}, {0, 6.75}}}};
    case U'l':
        return {0, {{{0, 0}, {0, 7.5}}}};
    case U'm':
        return {7.6,
                {{{0, 0}, {0, 5}},
                 Join(Join({{0, 3.1}}, Arc(1.9, 3.1, 1.9, 1.9, 180, 0)), {{3.8, 0}}),
                 Join(Arc(5.7, 3.1, 1.9, 1.9, 180, 0), {{7.6, 0}})}};
    case U'n':
        return {4.6, {{{0, 0}, {0, 5}}, Join(Arc(2.3, 2.7, 2.3, 2.3, 180, 0), {{4.6, 0}})}};
    case U'\u00F1':
        return {4.6,
                {{{0, 0}, {0, 5}},
                 Join(Arc(2.3, 2.7, 2.3, 2.3, 180, 0), {{4.6, 0}}),
                 {{0.4, 6.2}, {1.3, 6.8}, {2.3, 6.4}, {3.3, 6.0}, {4.2, 6.6}}}};
    case U'o':
        return {5.2, {bowl}};
    case U'\u00F3':
        return {5.2, {bowl, {{2.3, 6.1}, {3.5, 7.4}}}};
    case U'p':
        return {5.2, {bowl, {{0, 5}, {0, -2.5}}}};
    case U'r':
        return {3.2, {{{0, 0}, {0, 5}}, Arc(2.4, 2.6, 2.4, 2.4, 180, 60)}};
    case U's':
        return {3.9,
                {Join(Arc(2.0, 3.75, 1.9, 1.25, 20, 270), Arc(2.0, 1.25, 2.0, 1.25, 90, -160))}};
    case U't':
        return {2.6, {{{1.1, 0}, {1.1, 6.6}}, {{0, 5}, {2.6, 5}}}};
    case U'u':
        return {4.6, {Join({{0, 5}}, Arc(2.3, 2.3, 2.3, 2.3, 180, 360)), {{4.6, 5}, {4.6, 0}}}};
    case U'v':
        return {4.8, {{{0, 5}, {2.4, 0}, {4.8, 5}}}};
    case U'D':
        return {
            5.4,
            {Join({{0, 0}, {0, 7}, {1.9, 7}}, Join(Arc(1.9, 3.5, 3.5, 3.5, 90, -90), {{0, 0}}))}};
    case U'P':
        return {4.6,
                {Join({{0, 0}, {0, 7}, {2.6, 7}},
                      Join(Arc(2.6, 5.05, 2.0, 1.95, 90, -90), {{0, 3.1}}))}};
    case U'S':
        return {4.8,
                {Join(Arc(2.4, 5.25, 2.3, 1.75, 25, 270), Arc(2.4, 1.75, 2.4, 1.75, 90, -155))}};
    case U'T':
        return {5.2, {{{0, 7}, {5.2, 7}}, {{2.6, 7}, {2.6, 0}}}};
    case U'V':
        return {5.8, {{{0, 7}, {2.9, 0}, {5.8, 7}}}};
    case U'0':
        return {4.6, {Arc(2.3, 3.5, 2.3, 3.5, 0, 360)}};
    case U'1':
        return {2.2, {{{0, 5.6}, {2.2, 7}, {2.2, 0}}}};
    case U'2':
        return {4.4, {Join(Arc(2.2, 4.9, 2.1, 2.1, 160, -30), {{0, 0}, {4.4, 0}})}};
    case U'3':
        return {4.5,
                {Join(Arc(2.1, 5.25, 2.0, 1.75, 150, -90), Arc(2.1, 1.75, 2.3, 1.75, 90, -150))}};
    case U'4':
        return {4.6, {{{3.4, 0}, {3.4, 7}, {0, 2}, {4.6, 2}}}};
    case U'5':
        return {4.5, {Join({{4.2, 7}, {0.6, 7}, {0.3, 4.0}}, Arc(2.2, 2.2, 2.3, 2.2, 125, -150))}};
    case U'6':
        return {4.6, {Arc(2.3, 2.2, 2.3, 2.2, 0, 360), {{0.15, 2.8}, {3.2, 7}}}};
    case U'7':
        return {4.4, {{{0, 7}, {4.4, 7}, {1.3, 0}}}};
    case U'8':
        return {4.6, {Arc(2.3, 5.3, 1.9, 1.7, 0, 360), Arc(2.3, 1.9, 2.3, 1.9, 0, 360)}};
    case U'9':
        return {4.6, {Arc(2.3, 4.8, 2.3, 2.2, 0, 360), {{4.45, 4.2}, {1.4, 0}}}};
    case U',':
        return {0.8, {{{0.8, 0.4}, {0.2, -1.3}}}};
    case U'.':
        return {0.8, {{{0.4, 0.05}, {0.4, 0.1}}}};
    default:
        return {2.4, {}}; // a blank
    }
}

std::u32string Decode(const char* utf8) {
    std::u32string out;
    for (const auto* p = reinterpret_cast<const unsigned char*>(utf8); *p;) {
        if (*p < 0x80) {
            out += char32_t(*p++);
        } else {
            out += char32_t(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        }
    }
    return out;
}

enum class Align { Left, Centre, Right };

// Writes text with its baseline at y; size is the height of a capital in pixels, weight the
// stroke's width. Returns the width written.
double Write(Sketch& s, const char* text, double x, double y, double size, double weight, Color c,
             Align align = Align::Left, bool measureOnly = false) {
    const double unit = size / 7;
    const double gap = 1.25 + weight / unit;
    const std::u32string letters = Decode(text);
    double width = 0;
    for (std::size_t i = 0; i < letters.size(); ++i)
        width += Letter(letters[i]).advance + (i + 1 < letters.size() ? gap : 0);
    width *= unit;
    if (measureOnly)
        return width;
    if (align == Align::Centre)
        x -= width / 2;
    else if (align == Align::Right)
        x -= width;
    for (const char32_t letter : letters) {
        const Glyph g = Letter(letter);
        for (const Stroke& stroke : g.strokes)
            for (std::size_t i = 0; i + 1 < stroke.size(); ++i)
                s.Line(x + stroke[i].first * unit, y - stroke[i].second * unit,
                       x + stroke[i + 1].first * unit, y - stroke[i + 1].second * unit, weight, c);
        x += (g.advance + gap) * unit;
    }
    return width;
}

// Plenova's mark: a sheet of a form, its fields as lines and boxes, one box ticked.
void DrawMark(Sketch& s, double x, double y, double h, Color sheet, Color lines, Color tick) {
    const double w = h * 0.78, u = h / 20;
    s.RoundRect(x, y, x + w, y + h, u * 1.2, sheet);
    for (int i = 0; i < 3; ++i)
        s.Line(x + u * 3, y + u * (5 + i * 3.2), x + w - u * 3, y + u * (5 + i * 3.2), u * 0.9,
               lines);
    for (int i = 0; i < 4; ++i)
        s.RoundRect(x + u * (3 + i * 2.6), y + u * 13.2, x + u * (5 + i * 2.6), y + u * 15.2,
                    u * 0.3, lines);
    s.RoundRect(x + u * 3, y + u * 16.6, x + u * 5.4, y + u * 19.0 - u * 0.4, u * 0.3, lines);
    s.Line(x + u * 3.4, y + u * 17.6, x + u * 4.3, y + u * 18.4, u * 0.9, tick);
    s.Line(x + u * 4.3, y + u * 18.4, x + u * 6.6, y + u * 15.8, u * 0.9, tick);
}

const char* const kTagline = "Diseño, captura e impresión de formatos";

// The start-up picture: the mark on a blue band, the name and what it does on white.
Canvas DrawSplash(const char* version) {
    const int w = 480, h = 300;
    Sketch s(w, h, kPaper);
    s.VerticalGradient(0, 0, 168, h, kNavyLight, kNavy);
    s.Shadow(44, 90, 124, 192, 4, 10);
    DrawMark(s, 44, 90, 102, kPaper, kRule, kTeal);
    Write(s, "Plenova", 196, 138, 38, 4.4, kNavy);
    s.Rect(198, 156, 250, 159, kTeal);
    Write(s, "Diseño, captura e impresión", 197, 188, 11, 1.35, kInk);
    Write(s, "de formatos", 197, 207, 11, 1.35, kInk);
    const std::string line = std::string("Versión ") + version;
    Write(s, line.c_str(), 197, 266, 8, 1.05, kQuiet);
    Write(s, "Tarvel Soft", w - 24, 266, 8, 1.05, kQuiet, Align::Right);
    s.Rect(0, h - 6, w, h, kTeal);
    return s.Finish();
}

// The about picture: a blue band with the mark and the name, the rest plain, and the lower right
// corner left empty for the dialog's button.
Canvas DrawAbout(const char* version) {
    const int w = 360, h = 220;
    Sketch s(w, h, kWhite);
    s.VerticalGradient(0, 0, w, 84, kNavyLight, kNavy);
    DrawMark(s, 26, 19, 46, kPaper, kRule, kTeal);
    Write(s, "Plenova", 78, 58, 26, 3.1, kWhite);
    s.Rect(0, 84, w, 87, kTeal);
    Write(s, kTagline, 26, 118, 9, 1.15, kInk);
    const std::string line = std::string("Versión ") + version;
    Write(s, line.c_str(), 26, 146, 8, 1.0, kQuiet);
    Write(s, "Tarvel Soft", 26, 166, 8, 1.0, kQuiet);
    return s.Finish();
}

// Behind the child windows: the mark and the name, quietly, on the grey the windows' workspace
// usually has; that grey is the picture's corner, which the workspace may take as see-through.
Canvas DrawBackdrop() {
    const int w = 240, h = 160;
    const Color ground{160, 160, 160};
    Sketch s(w, h, ground);
    DrawMark(s, 92, 22, 72, Color{178, 178, 178}, Color{150, 150, 150}, Color{140, 140, 140});
    Write(s, "Plenova", w / 2.0, 132, 22, 2.8, Color{140, 140, 140}, Align::Centre);
    return s.Finish();
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<std::uint8_t> EncodeBmp(const Canvas& c) {
    const unsigned stride = (static_cast<unsigned>(c.width) * 3 + 3) & ~3u;
    const unsigned dataSize = stride * static_cast<unsigned>(c.height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + dataSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(c.width));
    Put32(out, static_cast<unsigned>(c.height));
    Put16(out, 1);
    Put16(out, 24);
    for (int i = 0; i < 6; ++i)
        Put32(out, i == 1 ? dataSize : 0);
    for (int y = c.height - 1; y >= 0; --y) {
        const std::uint8_t* p = &c.rgb[static_cast<std::size_t>(y) * c.width * 3];
        for (int x = 0; x < c.width; ++x, p += 3) {
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (unsigned k = static_cast<unsigned>(c.width) * 3; k < stride; ++k)
            out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeJpeg(const Canvas& c) {
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(c.width);
    info.image_height = static_cast<JDIMENSION>(c.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&c.rgb[info.next_scanline * c.width * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

void WriteArray(std::FILE* f, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::fprintf(f, "static const std::uint8_t %s[] = {", name.c_str());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        std::fprintf(f, "%s%u,", i % 24 == 0 ? "\n" : "", bytes[i]);
    std::fprintf(f, "\n};\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: plenova_make_pictures OUTPUT.cpp VERSION\n");
        return 1;
    }
    const auto about = EncodeBmp(DrawAbout(argv[2]));
    const auto background = EncodeBmp(DrawBackdrop());
    const auto splash = EncodeJpeg(DrawSplash(argv[2]));
    std::FILE* f = std::fopen(argv[1], "w");
    if (!f)
        return 1;
    std::fprintf(f, "// Generated by plenova_make_pictures; do not edit.\n#include <cstddef>\n"
                    "#include <cstdint>\n\n");
    WriteArray(f, "kBitmap102", about);
    WriteArray(f, "kBitmap161", background);
    WriteArray(f, "kJpg234", splash);
    std::fprintf(f, "\nstruct PictureEntry {\n    const char* type;\n    int id;\n"
                    "    const std::uint8_t* data;\n    std::size_t size;\n};\n"
                    "extern const PictureEntry kPictureEntries[];\n"
                    "extern const std::size_t kPictureEntryCount;\n"
                    "const PictureEntry kPictureEntries[] = {\n"
                    "    {\"BMP\", 102, kBitmap102, sizeof kBitmap102},\n"
                    "    {\"BMP\", 161, kBitmap161, sizeof kBitmap161},\n"
                    "    {\"JPG\", 234, kJpg234, sizeof kJpg234},\n};\n"
                    "const std::size_t kPictureEntryCount = 3;\n");
    return std::fclose(f) == 0 ? 0 : 1;
}
