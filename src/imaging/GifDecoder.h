#pragma once

#include "imaging/DecodedPicture.h"

// The decoder of GIF pictures (GIF87a and GIF89a): every image of the file becomes one frame of
// the logical screen's size, painted over the background colour at the image's offsets, and
// the frames are stacked one above the other in a single bitmap. Failures are silent; frames
// decoded before a damaged part of the file remain.
//
// Choices for files that break the rules: pixels outside the logical screen are dropped; a
// code that points past the string table ends its image (the rest of that frame keeps the
// background); colour indices past the end of a colour table are black; a file without a
// global colour table colours the background, and images without a table of their own, with
// the grey ramp (index i is red = green = blue = i).
class GifDecoder {
public:
    static DecodedPicture Decode(ByteView bytes);
};
