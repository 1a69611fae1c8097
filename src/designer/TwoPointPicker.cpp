#include "designer/TwoPointPicker.h"

#include "commands/DesignerPictures.h"
#include "designer/CFmtdesignView.h"

#include <QKeyEvent>
#include <QMouseEvent>

TwoPointPicker::TwoPointPicker(CFmtdesignView& view) : QObject(&view), m_view(view) {}

void TwoPointPicker::Start() {
    m_marks.clear();
    if (!m_picking) {
        m_view.viewport()->installEventFilter(this);
        m_view.installEventFilter(this);
    }
    m_picking = true;
    m_view.viewport()->setCursor(DesignerPictures::Cursor(DesignerPictures::kCrossHairCursor));
    m_view.setFocus();
}

void TwoPointPicker::Cancel() {
    if (!m_picking)
        return;
    Stop();
    emit cancelled();
}

void TwoPointPicker::Stop() {
    m_picking = false;
    m_view.viewport()->removeEventFilter(this);
    m_view.removeEventFilter(this);
    m_view.viewport()->setCursor(DesignerPictures::Cursor(m_view.CursorId()));
}

bool TwoPointPicker::eventFilter(QObject* watched, QEvent* event) {
    if (!m_picking)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            Cancel();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (watched != m_view.viewport())
            break;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            Cancel();
            return true;
        }
        if (mouse->button() != Qt::LeftButton)
            return true;
        m_marks.push_back(m_view.ToFormat(mouse->position().toPoint()));
        if (m_marks.size() == 1) {
            emit firstPicked(m_marks[0]);
        } else {
            const Point first = m_marks[0];
            const Point second = m_marks[1];
            Stop();
            emit picked(first, second);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        // Neither a drag nor the view's cursor changes while marks are being picked.
        return watched == m_view.viewport();
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
