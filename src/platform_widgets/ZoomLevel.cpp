#include "platform_widgets/ZoomLevel.h"

#include <QAbstractScrollArea>
#include <QLocale>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <limits>

int ZoomLevel::Clamp(int percent) {
    return std::clamp(percent, kMinimum, kMaximum);
}

int ZoomLevel::Larger(int percent) {
    for (int step : kSteps) {
        if (step > percent)
            return step;
    }
    return kMaximum;
}

int ZoomLevel::Smaller(int percent) {
    for (auto step = kSteps.rbegin(); step != kSteps.rend(); ++step) {
        if (*step < percent)
            return *step;
    }
    return kMinimum;
}

int ZoomLevel::Fitting(double width, double height, double roomWidth, double roomHeight) {
    if (!(width > 0 && height > 0) || roomWidth <= 0 || roomHeight <= 0)
        return kTrueSize;
    const double fit = 100.0 * std::min(roomWidth / width, roomHeight / height);
    return Clamp(static_cast<int>(std::clamp(std::floor(fit), 0.0, 1e6)));
}

QSize ZoomLevel::Room(const QAbstractScrollArea& view) {
    QSize room = view.viewport()->size();
    if (!view.verticalScrollBar()->isVisible())
        room.rwidth() -= view.verticalScrollBar()->sizeHint().width();
    if (!view.horizontalScrollBar()->isVisible())
        room.rheight() -= view.horizontalScrollBar()->sizeHint().height();
    return room;
}

QString ZoomLevel::Text(int percent) {
    return QStringLiteral("%1 %").arg(QLocale().toString(percent));
}

std::optional<int> ZoomLevel::Read(const QString& text) {
    QString number = text.trimmed();
    if (number.endsWith(QLatin1Char('%')))
        number.chop(1);
    number = number.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(number, &ok);
    if (!ok)
        value = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // Far beyond the limits a number still only means "as far as it goes".
    constexpr double kBound = std::numeric_limits<int>::max() / 2.0;
    return static_cast<int>(std::lround(std::clamp(value, -kBound, kBound)));
}

int ZoomLevel::ScrollKeeping(int pixel, int oldScroll, double oldScale, double newScale) {
    const double sheet = (static_cast<double>(pixel) + oldScroll) / oldScale;
    return static_cast<int>(std::lround(sheet * newScale - pixel));
}
