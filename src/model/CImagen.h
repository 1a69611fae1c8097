#pragma once

#include "imaging/CPictureBitmap.h"
#include "model/CControles.h"

#include <QByteArray>
#include <QSize>

#include <cstdint>
#include <memory>
#include <optional>

// A picture on the page. The picture's file travels whole inside the format; while the format
// is open the control shows it from a temporary copy (or, for a newly inserted image, from the
// user's own file), resampled to the page rectangle at one pixel per page unit.
class CImagen : public CControles {
public:
    CImagen();
    ~CImagen() override;

    // A new image from the user's file with its top-left corner at the page point (x, y), one
    // page unit per pixel. nullptr when the file is no picture this program can read; a file
    // that a reader refuses throws PictureError with the reader's words.
    static std::unique_ptr<CImagen> Create(const QString& path, int x, int y);

    // Neither direction stops for the picture: a picture file gone at the time the format is
    // written leaves the record empty, and embedded bytes that cannot be decoded still travel
    // with the format; both leave a warning in the archive.
    void WriteRecord(Archive& ar) const override;
    void ReadRecord(Archive& ar) override;
    void UpdateHandles() override;
    void ResizeByHandle(Handle handle, int dx, int dy) override;
    void Draw(DrawingSurface& dc) const override;
    void Print(DrawingSurface& dc) const override;
    void DescribeOwnFields(ControlFields& fields) const override;

    // Normalizes the page rectangle and resamples the picture to its size, whichever way each
    // side goes. A picture that is held and cannot be resampled (too large for any picture, or
    // no memory for it) is dropped, and the sentence telling the user so comes back.
    QString FitPicture();

    const CPictureBitmap& Picture() const { return m_picture; }
    const QString& Path() const { return m_path; }
    bool OwnsFile() const { return m_ownsFile; }

    static constexpr int kMinimumImageSide = 5;
    // The pixels the pictures of one format may hold between them, 300 MB at 24 bits: far beyond
    // a page covered many times over with pictures at one pixel per page unit. A format read
    // past it keeps the pictures that came first; the others travel with the format unshown.
    static constexpr std::int64_t kMostPixelsPerFormat = 100'000'000;

private:
    // The bytes the format would carry and their extension, or nothing when the file is gone.
    bool ReadPictureFile(QByteArray& bytes, QString& extension) const;
    // The bitmap size FitPicture makes for the page rectangle as it stands.
    QSize FittedSize() const;
    // Writes the embedded bytes to a new temporary file; empty when none could be made.
    static QString WriteTemporaryCopy(const QByteArray& bytes, const QString& extension);

    bool m_ownsFile = true;
    CPictureBitmap m_picture;
    QString m_path;
    // The extension as the format stored it, for an image read from one: the temporary copy's
    // name ends in it only as far as it makes a safe file name, and it goes back unchanged.
    std::optional<QString> m_storedExtension;
    // The embedded bytes, kept only when no temporary copy could be written, so that the
    // picture still travels with the format.
    QByteArray m_unwritten;
};
