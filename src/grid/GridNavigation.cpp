#include "grid/GridNavigation.h"

#include <Qt>

#include <algorithm>

GridPosition GridNavigation::Normalized(const GridPosition& position) const {
    GridPosition result = position;
    if (result.HasSelection()) {
        result.row = std::min(result.selectionFirst, result.selectionLast);
        result.column = 1;
        result.ClearSelection();
    }
    result.row = std::min(std::max(result.row, 1), m_rowLimit);
    result.column = std::min(std::max(result.column, 1), std::max(1, m_lastColumn));
    return result;
}

GridNavigation::Step GridNavigation::Apply(const GridPosition& position, int key) const {
    Step step;
    step.position = position;
    if (m_lastColumn < 1)
        return step;
    GridPosition& to = step.position;
    // Up and Down count as leaving the row even at the first or last row, where they stay.
    auto moveRow = [&](int target) {
        step.action = Action::Move;
        step.leftRow = target != position.row;
        to.row = std::clamp(target, 1, m_rowLimit);
        step.reveal = Reveal::Row;
        step.reportRow = true;
    };
    switch (key) {
    case Qt::Key_Return:
        step.action = Action::Move;
        if (position.column < m_lastColumn) {
            ++to.column;
            step.reveal = Reveal::Column;
        } else {
            // From the last column on to the first of the next row, the new row at most.
            to.column = 1;
            to.row = std::min(position.row + 1, m_rowLimit);
            step.leftRow = true;
            step.reveal = Reveal::Column | Reveal::Row;
            step.reportRow = true;
        }
        break;
    case Qt::Key_Left:
        step.action = Action::Move;
        to.column = std::max(1, position.column - 1);
        step.reveal = Reveal::Column;
        break;
    case Qt::Key_Right:
        step.action = Action::Move;
        to.column = std::min(m_lastColumn, position.column + 1);
        step.reveal = Reveal::Column;
        break;
    case Qt::Key_Up:
        moveRow(position.row - 1);
        break;
    case Qt::Key_Down:
        moveRow(position.row + 1);
        break;
    case Qt::Key_PageUp:
        moveRow(position.row - m_pageRows);
        break;
    case Qt::Key_PageDown:
        moveRow(position.row + m_pageRows);
        break;
    case Qt::Key_Home:
        step.action = Action::Move;
        step.leftRow = position.row != 1;
        to.column = 1;
        to.row = 1;
        step.reveal = Reveal::Origin;
        step.reportRow = true;
        break;
    case Qt::Key_End:
        // The new row, where a row is typed.
        step.action = Action::Move;
        step.leftRow = position.row != m_rowLimit;
        to.column = 1;
        to.row = m_rowLimit;
        step.reveal = Reveal::Column | Reveal::Row;
        step.reportRow = true;
        break;
    case Qt::Key_F2:
        step.action = Action::BeginEdit;
        break;
    case Qt::Key_Delete:
        step.action = Action::Delete;
        break;
    default:
        break;
    }
    return step;
}
