#pragma once

#include "imaging/DecodedPicture.h"

// The reader of Windows bitmap files: uncompressed pictures of 1, 4, 8, 16, 24 or 32 bits per
// pixel, stored bottom-up or top-down, with any information header of 40 bytes or more (16 and
// 32 bits also with colour masks). Anything else is refused with a message for the user.
class BmpFile {
public:
    static DecodedPicture Decode(ByteView bytes);

    // The reader's messages, as the user sees them.
    static const QString& NotBmpMessage();
    static const QString& ReadErrorMessage(); // the headers or the palette end early
    static const QString& RowErrorMessage();  // the pixel rows end early
    static const QString& CompressedMessage();
    static const QString& CorruptPaletteMessage();
};
