#pragma once

#include "imaging/DecodedPicture.h"
#include "platform/ColorRef.h"

#include <QImage>
#include <QString>

#include <functional>

class DrawingSurface;
struct Rect;

// A picture ready to draw: a BMP, JPEG or GIF file or one of Plenova's own pictures decoded
// into a 24-bit bitmap, resampled, flipped, and drawn plainly, for printing, or fitted,
// centred, transparent and animated. An animation keeps its frames stacked one above the
// other in the one bitmap: frame k occupies rows k x height to k x height + height - 1.
class CPictureBitmap {
public:
    // Flags of Show.
    static constexpr unsigned kCentre = 1;
    static constexpr unsigned kFit = 2;
    static constexpr unsigned kTransparent = 4;

    // Receives the readers' messages for the user: by default a message box where the program
    // has a screen, the warning channel elsewhere. An empty handler restores the default.
    using MessageHandler = std::function<void(const QString&)>;
    static void SetMessageHandler(MessageHandler handler);

    CPictureBitmap() = default;

    // Reads a file, choosing the reader by the last three letters of the path: "jpg", "bmp"
    // or "gif" in any case. A missing file or another ending fails without a message.
    bool LoadFile(const QString& path);
    // The same for a given surface; bitmaps here suit every surface alike.
    bool LoadFile(DrawingSurface& dc, const QString& path);
    // Plenova's own pictures: bitmaps 102 and 161, JPG picture 234.
    bool LoadBitmapResource(int id);
    bool LoadJpegResource(int id);
    // Reads picture bytes with the reader of the given three-letter ending.
    bool LoadBytes(ByteView bytes, const QString& ending);

    // prefix + n + extension for the first n from 1 to 9999 that names no file in the folder
    // (the system's temporary folder when folder is empty); empty when all are taken. With a
    // folder given the bare name comes back, otherwise the full path.
    static QString MakeTempName(const QString& folder, const QString& prefix,
                                const QString& extension);

    // Resamples the whole bitmap (every frame) to w x h pixels, each taken modulo 65536.
    void Resize(int w, int h);
    // Mirror 0 reverses the rows, 1 the columns.
    void Flip(int mirror);
    // The bitmap's top width x height pixels with their first row at (x, y), rows following in
    // the direction y grows on the surface.
    void DrawAt(DrawingSurface& dc, int x, int y) const;
    // The bitmap's bottom width x height pixels placed the same way.
    void PrintAt(DrawingSurface& dc, int x, int y) const;
    void Show(DrawingSurface& dc, int x1, int y1, int x2, int y2, unsigned flags);
    void Show(DrawingSurface& dc, int x, int y) { Show(dc, x, y, x + 1, y + 1, 0); }

    bool IsLoaded() const { return m_loaded != 0; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int FrameCount() const { return m_frameCount; }
    int CurrentFrame() const { return m_currentFrame; }
    bool IsTransparentMode() const { return m_transparentMode != 0; }
    ColorRef TransparentColor() const { return m_transparentColor; }
    // The whole bitmap, every frame; null when none is held.
    const QImage& Bitmap() const { return m_bitmap; }
    // The mask of transparent pixels (one bit per pixel of every frame), once made.
    const QImage& Mask() const { return m_mask; }
    // Why the last load failed, when a reader said so; empty otherwise.
    const QString& LastMessage() const { return m_message; }

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
    int m_loaded = 0;
    int m_transparentMode = 0;
    int m_frameCount = 0;
    int m_currentFrame = 0;
    QImage m_mask;
    ColorRef m_transparentColor = 0;
    QString m_message;
};
