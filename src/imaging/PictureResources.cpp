#include "imaging/PictureResources.h"

#include <cstring>

// Generated at build time by the picture program (see resources/MakePictures.cpp).
struct PictureEntry {
    const char* type;
    int id;
    const std::uint8_t* data;
    std::size_t size;
};
extern const PictureEntry kPictureEntries[];
extern const std::size_t kPictureEntryCount;

ByteView PictureResources::Find(const char* type, int id) {
    for (std::size_t i = 0; i < kPictureEntryCount; ++i) {
        const PictureEntry& e = kPictureEntries[i];
        if (e.id == id && std::strcmp(e.type, type) == 0)
            return ByteView{e.data, e.size};
    }
    return ByteView{};
}
