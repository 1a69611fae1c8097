#include "platform_widgets/WrongEntry.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char kMarked[] = "wrongEntry";

} // namespace

QColor WrongEntry::Background() {
    return QColor(255, 204, 204);
}

void WrongEntry::Mark(QWidget& entry, bool wrong) {
    if (IsMarked(entry) == wrong)
        return;
    entry.setProperty(kMarked, wrong);
    if (!wrong) {
        entry.setPalette(QPalette());
        return;
    }
    QPalette palette = entry.palette();
    palette.setColor(QPalette::Base, Background());
    entry.setPalette(palette);
}

bool WrongEntry::IsMarked(const QWidget& entry) {
    return entry.property(kMarked).toBool();
}
