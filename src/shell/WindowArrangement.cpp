#include "shell/WindowArrangement.h"

#include <algorithm>
#include <cmath>

namespace {

// The rectangle of a window wanted at place with size: at least its smallest size, at most the
// area, and moved back inside the area when it would reach past it.
QRect Fit(const QSize& area, QPoint place, const QSize& size, const QSize& minimum) {
    const QSize fitted = size.expandedTo(minimum).boundedTo(area);
    place.setX(std::clamp(place.x(), 0, area.width() - fitted.width()));
    place.setY(std::clamp(place.y(), 0, area.height() - fitted.height()));
    return {place, fitted};
}

} // namespace

QList<QRect> WindowArrangement::Cascade(const QSize& area, const QList<QSize>& minimums, int step) {
    QList<QRect> places;
    const int count = static_cast<int>(minimums.size());
    if (count == 0 || area.isEmpty())
        return places;
    step = std::max(step, 1);
    const int steps = (count - 1) * step;
    const QSize size = QSize(area.width() - steps, area.height() - steps)
                           .expandedTo(QSize(area.width() * 2 / 3, area.height() * 2 / 3));
    // How many steps fit before a window of that size would leave the area.
    const int cycle = std::max(
        1, std::min(area.width() - size.width(), area.height() - size.height()) / step + 1);
    for (int i = 0; i < count; ++i) {
        const int offset = (i % cycle) * step;
        places << Fit(area, QPoint(offset, offset), size, minimums.at(i));
    }
    return places;
}

QList<QRect> WindowArrangement::Tile(const QSize& area, const QList<QSize>& minimums) {
    QList<QRect> places;
    const int count = static_cast<int>(minimums.size());
    if (count == 0 || area.isEmpty())
        return places;
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    const int height = area.height() / rows;
    for (int i = 0; i < count; ++i) {
        const int row = i / columns;
        const int inRow = std::min(columns, count - row * columns);
        const int width = area.width() / inRow;
        const QPoint place((i % columns) * width, row * height);
        places << Fit(area, place, QSize(width, height), minimums.at(i));
    }
    return places;
}
