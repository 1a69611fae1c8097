#pragma once

#include <QImage>
#include <QJsonObject>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <functional>

class QPainter;

// A scan or a photo of the real stationery laid under the page while a format is designed, so
// that its boxes and lines can be traced at their true place. It is a working aid of the
// designer only: it is never printed and never written into the .fmt; its record is kept beside
// the format among Plenova's own settings of it ("factura.fmt.plenova"), which travel with the
// format when its folder is copied.
//
// The picture is a PNG, JPEG or BMP file or one page of a PDF, held in memory at most
// kMaxHeldPixels large. Its placement is a rectangle of the page in page units (0.1 mm, y
// upward): the picture's top-left corner and its true width and height, so that it does not
// depend on how many pixels are held.
class ReferenceBackdrop {
public:
    // Turns one page (counted from 1) of a PDF into a PNG file in folder, at most maxPixels
    // large, and returns its path; dpi is set to the resolution it was drawn at. It throws
    // PlenovaError with a sentence for the user. A PDF needs a program to be drawn, and the
    // model starts none: the windows hand it one of these.
    using PdfPageRenderer = std::function<QString(
        const QString& pdf, int page, const QString& folder, std::int64_t maxPixels, double& dpi)>;

    // How faint the picture may be made, in percent.
    static constexpr int kMinOpacity = 10;
    static constexpr int kMaxOpacity = 100;
    static constexpr int kDefaultOpacity = 50;
    // A picture file larger than this is not read.
    static constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
    // A larger picture is scaled down as it is read: an A3 sheet at 300 dpi still fits.
    static constexpr std::int64_t kMaxHeldPixels = 18'000'000;

    ReferenceBackdrop() = default;

    // Reads a picture (page counts from 1 and matters only for a PDF) and places it at the
    // page's corner at its true size when it carries its resolution, else at 100 dpi until it is
    // sized. A file that cannot be read throws PlenovaError with a sentence for the user and
    // leaves the backdrop as it was; so does a PDF when no renderer is given.
    void Load(const QString& picturePath, int page = 1, const PdfPageRenderer& pdf = {});
    // No picture any more.
    void Clear();

    bool IsSet() const { return !m_picture.isNull(); }
    const QString& PicturePath() const { return m_path; }
    int Page() const { return m_page; }
    const QImage& Picture() const { return m_picture; }
    // The resolution the file declares, in dots per inch along x; 0 when it declares none.
    double DeclaredDpi() const { return m_declaredDpi; }

    // ---- Placement --------------------------------------------------------------------------

    // Left x, top y (the upper edge: y grows upward) and the true width and height, in page
    // units.
    QRectF Placement() const { return m_place; }
    void SetPlacement(const QRectF& place);
    // True size at dpi dots per inch, the top-left corner kept where it is.
    void SizeAtDpi(double dpi);
    // True size from the picture's own resolution; false (and nothing changed) when it has none.
    bool SizeAtDeclaredResolution();
    // Two marks the user clicked at pageA and pageB (where the picture shows them now) lie
    // trueDistance page units apart and the first one belongs at targetA: the picture is scaled
    // about its proportions and moved so. False, and nothing changed, when the marks coincide or
    // the distance is not positive.
    bool CalibrateTwoPoints(QPointF pageA, QPointF pageB, double trueDistance, QPointF targetA);

    // ---- Showing ----------------------------------------------------------------------------

    int Opacity() const { return m_opacity; }
    // Clamped to kMinOpacity..kMaxOpacity.
    void SetOpacity(int percent);
    bool IsShown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }

    // Draws the picture onto a painter that maps page units (0.1 mm, y upward) to its device:
    // the design view, or a preview laying a page over it. Nothing when no picture is held or
    // it is hidden.
    void Draw(QPainter& painter) const;

    // ---- The file beside the format ---------------------------------------------------------

    // The record kept among the format's own settings: the picture (by a name relative to the
    // format's folder when it lies there or below), its page, placement and how it is shown.
    // Empty when no picture is held.
    QJsonObject Record(const QString& formatPath) const;
    // Takes the backdrop a record describes, replacing what is held. An empty record leaves the
    // backdrop empty and returns an empty text; a record that does not read, or whose picture
    // is gone or broken, leaves it empty and returns what to tell the user.
    QString Restore(const QJsonObject& record, const QString& formatPath,
                    const PdfPageRenderer& pdf = {});
    // Writes the backdrop into the settings kept beside the format, the rest of them as they
    // are on the disk, through a safe write. Throws PlenovaError when it cannot.
    void SaveFor(const QString& formatPath) const;
    // Reads the backdrop kept beside the format, as Restore; a settings file that cannot be
    // read whole adds its own warning.
    QString LoadFor(const QString& formatPath, const PdfPageRenderer& pdf = {});

private:
    // Sets the picture held and its path; the placement is the caller's.
    void Take(QImage picture, const QString& path, int page, double declaredDpi);

    QImage m_picture;
    QString m_path;
    int m_page = 1;
    double m_declaredDpi = 0;
    QRectF m_place;
    int m_opacity = kDefaultOpacity;
    bool m_shown = true;
};
