#pragma once

#include <QImage>

#include <vector>

// Resamples a 24-bit bitmap to a new size with weight tables: when reducing, every source pixel
// is spread over the one or two destination pixels it covers, in proportion to the part it
// covers; when enlarging, every destination pixel mixes the one or two source pixels under it.
// Channels are truncated to whole numbers. A change that enlarges one side while it reduces the
// other reduces that side first and then enlarges the other. A size of zero or one past the
// picture limit is refused (a null bitmap).
class PictureResampler {
public:
    // The weights of one position on one axis. w1 > 0 gives the part that belongs to the next
    // pixel; w1 = -1 marks a position that ends a pixel exactly; w1 = 0 one that does not.
    struct Weight {
        double w0 = 0;
        double w1 = 0;
    };
    static constexpr double kThreshold = 0.0001;

    // The table over L positions (the longer of the two lengths).
    static std::vector<Weight> BuildTable(int oldLength, int newLength, bool enlarging);

    // The resampled copy of source (any format; read as 24-bit), in Format_RGB888.
    static QImage Resize(const QImage& source, int width, int height);

private:
    static QImage Reduce(const QImage& source, int width, int height);
    static QImage Enlarge(const QImage& source, int width, int height);
};
