#include "grid/CListCell.h"

#include "grid/GridKeys.h"

#include <QApplication>
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
            this, [this, key] { emit EditEnded(key); }, Qt::QueuedConnection);
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CListCell::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // Opening the list's own pop-up, or another application taking the focus for a while, does
    // not end the choice.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    hide();
    if (!m_quietHide)
        emit EditEnded(Qt::Key_Return);
    if (QApplication::focusWidget() != parentWidget())
        emit FocusLeftGrid();
}
