#pragma once

#include <QApplication>
#include <QFocusEvent>

// What an in-place cell editor (a box or a list) does when it loses the focus. A menu, the
// editor's own pop-up or another application taking the focus for a while does not end the edit.
// Otherwise the editor hides and, unless it was hidden on purpose, ends the edit as Enter would;
// the grid also hears when the focus went to a window other than itself.
template <typename Editor>
void EndEditOnFocusOut(Editor& editor, const QFocusEvent& event) {
    if (event.reason() == Qt::PopupFocusReason || event.reason() == Qt::ActiveWindowFocusReason)
        return;
    editor.hide();
    if (!editor.QuietHide())
        emit editor.editEnded(Qt::Key_Return);
    if (QApplication::focusWidget() != editor.parentWidget())
        emit editor.focusLeftGrid();
}
