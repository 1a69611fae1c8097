#include "grid/CListCell.h"

#include "grid/CellEditorFocus.h"
#include "grid/GridKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>

CListCell::CListCell(QWidget* grid) : QComboBox(grid) {
    setObjectName(QStringLiteral("CListCell"));
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
    setMaxVisibleItems(8);
    hide();
}

bool CListCell::SelectPrefix(const QString& prefix) {
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(prefix, Qt::CaseInsensitive)) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

void CListCell::keyPressEvent(QKeyEvent* event) {
    const int key = GridKeys::Normalized(event->key());
    if (key == Qt::Key_Return || key == Qt::Key_Escape || key == Qt::Key_Left ||
        key == Qt::Key_Right) {
        QMetaObject::invokeMethod(
            this, [this, key] { emit editEnded(key); }, Qt::QueuedConnection);
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CListCell::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    EndEditOnFocusOut(*this, *event);
}
