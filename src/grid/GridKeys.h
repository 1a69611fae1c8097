#pragma once

#include <Qt>

// The keys the grid acts on, and those that end an in-place edit and are then handled by the
// grid as if pressed on it.
namespace GridKeys {

// The keyboard's two Enter keys are one key to the grid.
inline int Normalized(int key) {
    return key == Qt::Key_Enter ? Qt::Key_Return : key;
}

inline bool IsArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// F2 to F24: F1 stays with help.
inline bool IsEditFunctionKey(int key) {
    return key >= Qt::Key_F2 && key <= Qt::Key_F24;
}

// The keys whose end of edit stores the text.
inline bool Confirms(int key) {
    return key == Qt::Key_Return || IsArrow(key) || IsEditFunctionKey(key);
}

// The keys the grid acts on itself rather than typing them into a cell (Enter as Return).
inline bool IsCommand(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_F2:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

} // namespace GridKeys
