#include "grid/CEditCell.h"

#include "grid/CellEditorFocus.h"
#include "grid/GridKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>

CEditCell::CEditCell(QWidget* grid) : QLineEdit(grid) {
    setObjectName(QStringLiteral("CEditCell"));
    // A thin border and no inner margins: the box is exactly as high as a grid row.
    setFrame(false);
    setStyleSheet(QStringLiteral("CEditCell { border: 1px solid black; padding: 0px 1px; }"));
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void CEditCell::PostEnd(int key) {
    m_keepCaret = false;
    QMetaObject::invokeMethod(
        this, [this, key] { emit editEnded(key); }, Qt::QueuedConnection);
}

void CEditCell::keyPressEvent(QKeyEvent* event) {
    const int key = GridKeys::Normalized(event->key());
    if (key == Qt::Key_Return) {
        PostEnd(key);
        return;
    }
    bool ends = key == Qt::Key_Escape || key == Qt::Key_Up || key == Qt::Key_Down ||
                GridKeys::IsEditFunctionKey(key);
    if (!m_keepCaret && (key == Qt::Key_Left || key == Qt::Key_Right))
        ends = true;
    if (ends && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        PostEnd(key);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CEditCell::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // The caret goes after the last character, nothing selected, however the focus came.
    deselect();
    end(false);
}

void CEditCell::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    EndEditOnFocusOut(*this, *event);
}
