// Draws Plenova's built-in pictures and writes them as a C++ source of byte arrays: two
// Windows bitmaps (the about box and the workspace background) and one JPEG (the start-up
// picture). Run by the build; the output depends only on this code.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

struct Canvas {
    int width;
    int height;
    std::vector<std::uint8_t> rgb;

    Canvas(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3) {}

    void Set(int x, int y, int r, int g, int b) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        p[0] = static_cast<std::uint8_t>(r);
        p[1] = static_cast<std::uint8_t>(g);
        p[2] = static_cast<std::uint8_t>(b);
    }
    void Fill(int x0, int y0, int x1, int y1, int r, int g, int b) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                Set(x, y, r, g, b);
    }
};

// A sheet of stationery on a blue ground: a ruled form with boxes, and a large "P" of bars.
Canvas DrawSheet(int width, int height, int tint) {
    Canvas c(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            c.Set(x, y, 20 + tint, 60 + y * 80 / height, 120 + x * 100 / width);
    const int left = width / 8, top = height / 10, right = width - width / 8,
              bottom = height - height / 10;
    c.Fill(left + 6, top + 6, right + 6, bottom + 6, 10, 30, 60); // shadow
    c.Fill(left, top, right, bottom, 250, 248, 238);
    for (int y = top + 40; y < bottom - 10; y += 18)
        c.Fill(left + 20, y, right - 20, y + 1, 150, 160, 190);
    for (int i = 0; i < 6; ++i)
        c.Fill(right - 120 + i * 16, top + 14, right - 106 + i * 16, top + 30, 200, 60, 50);
    const int px = left + 24, py = top + 12;
    c.Fill(px, py, px + 8, py + 40, 30, 70, 160);
    c.Fill(px, py, px + 28, py + 8, 30, 70, 160);
    c.Fill(px + 20, py, px + 28, py + 24, 30, 70, 160);
    c.Fill(px, py + 18, px + 28, py + 26, 30, 70, 160);
    return c;
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
    if (argc != 2) {
        std::fprintf(stderr, "usage: plenova_make_pictures OUTPUT.cpp\n");
        return 1;
    }
    const auto about = EncodeBmp(DrawSheet(360, 220, 0));
    const auto background = EncodeBmp(DrawSheet(240, 160, 40));
    const auto splash = EncodeJpeg(DrawSheet(480, 300, 10));
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
