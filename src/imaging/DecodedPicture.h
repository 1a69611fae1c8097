#pragma once

#include "platform/ColorRef.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>

// What a reader makes of a picture file: the bitmap in 24-bit RGB (Format_RGB888, rows from top
// to bottom, frames of an animation stacked one above the other), or a null bitmap and the
// message that says why not. An empty message means the reader fails without a word.
struct DecodedPicture {
    QImage bitmap;
    int frameCount = 0;
    int frameHeight = 0;
    ColorRef transparentColor = 0;
    QString message;

    bool Ok() const { return !bitmap.isNull(); }
    static DecodedPicture Failure(const QString& message = QString()) {
        DecodedPicture p;
        p.message = message;
        return p;
    }
};

// The bytes of a picture file as they are on disk.
struct ByteView {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};
