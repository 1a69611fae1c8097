#pragma once

#include "imaging/DecodedPicture.h"
#include "platform/ColorRef.h"

#include <QFlags>
#include <QImage>
#include <QString>

class DrawingSurface;
struct Rect;

// A picture ready to draw: a BMP, JPEG or GIF file or one of Plenova's own pictures decoded
// into a 24-bit bitmap, resampled, flipped, and drawn plainly, for printing, or fitted,
// centred, transparent and animated. An animation keeps its frames stacked one above the
// other in the one bitmap: frame k occupies rows k x height to k x height + height - 1.
class CPictureBitmap {
public:
    // How Show places the picture in its rectangle.
    enum class ShowOption {
        Centre = 1,      // in the middle of the rectangle, never left of or above it
        Fit = 2,         // resampled to fit, keeping its proportions (single pictures only)
        Transparent = 4, // pixels of the transparent colour leave the surface as it was
    };
    Q_DECLARE_FLAGS(ShowOptions, ShowOption)

    // What Flip reverses.
    enum class Reverse { Rows, Columns };

    CPictureBitmap() = default;

    // Reads a file, choosing the reader by the last three letters of the path: "jpg", "bmp"
    // or "gif" in any case. False when there is nothing to read (a missing file, another
    // ending, a reader that gives up without a word); a reader that says why the file cannot
    // be read throws PictureError with its message. Either way no picture is held afterwards,
    // except that a missing file keeps the one held before.
    bool LoadFile(const QString& path);
    // The same for a given surface; bitmaps here suit every surface alike.
    bool LoadFile(DrawingSurface& dc, const QString& path);
    // Plenova's own pictures: bitmaps 102 and 161, JPG picture 234.
    bool LoadBitmapResource(int id);
    bool LoadJpegResource(int id);
    // Reads picture bytes with the reader of the given three-letter ending; fails as LoadFile.
    bool LoadBytes(ByteView bytes, const QString& ending);

    // prefix + n + extension for an n from 1 to 9999 that names no file in the folder (the
    // run's own private temporary folder when folder is empty); empty when all are taken. The first
    // call for a folder, prefix and extension tries 1 upwards; later calls go on from the number
    // after the last one given, wrapping round. With a folder given the bare name comes back,
    // otherwise the full path.
    static QString MakeTempName(const QString& folder, const QString& prefix,
                                const QString& extension);

    // Resamples the whole bitmap (every frame) to w x h pixels, each taken modulo 65536.
    void Resize(int w, int h);
    void Flip(Reverse what);
    // The bitmap's top width x height pixels with their first row at (x, y), rows following in
    // the direction y grows on the surface.
    void DrawAt(DrawingSurface& dc, int x, int y) const;
    // The bitmap's bottom width x height pixels placed the same way.
    void PrintAt(DrawingSurface& dc, int x, int y) const;
    void Show(DrawingSurface& dc, int x1, int y1, int x2, int y2, ShowOptions options);
    void Show(DrawingSurface& dc, int x, int y) { Show(dc, x, y, x + 1, y + 1, {}); }

    bool IsLoaded() const { return m_loaded; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int FrameCount() const { return m_frameCount; }
    int CurrentFrame() const { return m_currentFrame; }
    bool IsTransparentMode() const { return m_transparentMode; }
    ColorRef TransparentColor() const { return m_transparentColor; }
    // The whole bitmap, every frame; null when none is held.
    const QImage& Bitmap() const { return m_bitmap; }
    // The mask of transparent pixels (one bit per pixel of every frame), once made.
    const QImage& Mask() const { return m_mask; }

private:
    bool Take(DecodedPicture picture);
    void Drop();
    void ResetAnimation();
    void MakeMask();
    // Draws the part source of image with its first row at (x, y).
    static void DrawRegion(DrawingSurface& dc, const QImage& image, const QRect& source, int x,
                           int y);

    QImage m_bitmap;
    int m_width = 0;
    int m_height = 0;
    bool m_loaded = false;
    bool m_transparentMode = false;
    int m_frameCount = 0;
    int m_currentFrame = 0;
    QImage m_mask;
    ColorRef m_transparentColor = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(CPictureBitmap::ShowOptions)
