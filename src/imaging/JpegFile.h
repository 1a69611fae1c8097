#pragma once

#include "imaging/DecodedPicture.h"

// The reader of JPEG pictures, through libjpeg. Colour pictures come out as red, green, blue;
// grey ones with the grey value in all three. Decoder errors fail without a message.
class JpegFile {
public:
    static DecodedPicture Decode(ByteView bytes);
};
