#pragma once

#include "imaging/DecodedPicture.h"

// Plenova's compiled-in pictures, found by their type ("BMP" or "JPG") and number: bitmap 102
// (the about box), bitmap 161 (behind the child windows) and JPG picture 234 (the start-up
// picture). An unknown pair gives no bytes.
class PictureResources {
public:
    static ByteView Find(const char* type, int id);
};
