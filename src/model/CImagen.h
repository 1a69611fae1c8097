#pragma once

#include "imaging/CPictureBitmap.h"
#include "model/CControles.h"

#include <QByteArray>

#include <memory>

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
    void Serialize(Archive& ar) override;
    void UpdateHandles() override;
    void ResizeByHandle(Handle handle, int dx, int dy) override;
    void Draw(DrawingSurface& dc) override;
    void Print(DrawingSurface& dc) override;
    void DescribeOwnFields(ControlFields& fields) const override;

    // Normalizes the page rectangle and resamples the picture to its size.
    void FitPicture();

    const CPictureBitmap& Picture() const { return m_picture; }
    const QString& Path() const { return m_path; }
    bool OwnsFile() const { return m_ownsFile; }

    static constexpr int kMinimumImageSide = 5;

private:
    // The bytes the format would carry and their extension, or nothing when the file is gone.
    bool ReadPictureFile(QByteArray& bytes, QString& extension) const;
    // Writes the embedded bytes to a new temporary file; empty when none could be made.
    static QString WriteTemporaryCopy(const QByteArray& bytes, const QString& extension);

    bool m_ownsFile = true;
    CPictureBitmap m_picture;
    QString m_path;
    // The embedded bytes, kept only when no temporary copy could be written, so that the
    // picture still travels with the format.
    QByteArray m_unwritten;
    QString m_unwrittenExtension;
};
