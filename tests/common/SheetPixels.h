#pragma once

// Reading printed sheets back as pictures: a PDF rendered by pdftoppm, and the centre of a cross
// found from its dark pixels.
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <vector>

// The single page of a PDF at dpi, or a null image when pdftoppm cannot read it.
inline QImage RenderPdf(const QString& pdf, int dpi) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), pdf, prefix});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The centre, in pixels from the picture's top-left corner, of the cross whose centre lies
// within reach pixels of guess: its arms are the column and the row that hold the most dark
// pixels there (a thick arm is several, weighed by their counts). NaN when there is no ink.
inline QPointF FindCross(const QImage& image, QPoint guess, int reach) {
    const int size = 2 * reach + 1;
    std::vector<int> columns(static_cast<std::size_t>(size)), rows(static_cast<std::size_t>(size));
    for (int dy = 0; dy < size; ++dy) {
        const int y = guess.y() - reach + dy;
        if (y < 0 || y >= image.height())
            continue;
        for (int dx = 0; dx < size; ++dx) {
            const int x = guess.x() - reach + dx;
            if (x >= 0 && x < image.width() && qGray(image.pixel(x, y)) < 128) {
                ++columns[static_cast<std::size_t>(dx)];
                ++rows[static_cast<std::size_t>(dy)];
            }
        }
    }
    const auto centre = [](const std::vector<int>& counts, int origin) {
        const int most = *std::max_element(counts.begin(), counts.end());
        if (most == 0)
            return std::nan("");
        double sum = 0, weight = 0;
        for (std::size_t i = 0; i < counts.size(); ++i) {
            if (2 * counts[i] < most)
                continue;
            // Pixel i covers [i, i + 1): its middle is half a pixel in.
            sum += counts[i] * (static_cast<double>(i) + 0.5);
            weight += counts[i];
        }
        return origin + sum / weight;
    };
    return {centre(columns, guess.x() - reach), centre(rows, guess.y() - reach)};
}
