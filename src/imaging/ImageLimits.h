#pragma once

#include <QString>

#include <cstdint>

// The largest picture a reader builds, counting every frame of an animation. A file that
// declares more is refused before anything is allocated, so a few hostile bytes cannot claim
// gigabytes. The fuzzing harnesses lower the limit to keep each run short.
class ImageLimits {
public:
    static constexpr std::int64_t kDefaultMaxPixels = 100'000'000;

    static std::int64_t MaxPixels();
    static void SetMaxPixels(std::int64_t pixels);

    // True when width x height (both positive) stays within the limit.
    static bool Allows(std::int64_t width, std::int64_t height);
    // The message shown when a picture is refused for its size.
    static QString TooLargeMessage(std::int64_t width, std::int64_t height);
};
