#pragma once

#include <QColor>

class QWidget;

// The mark of an entry that holds what its field does not take (text in a number field, which
// counts 0): a light red background, on an entry box and on a grid's cell alike, so that the
// user sees at a glance which values will not count.
class WrongEntry {
public:
    static QColor Background();
    // Marks or unmarks an entry box; unmarked, it takes its parent's colours again.
    static void Mark(QWidget& entry, bool wrong);
    static bool IsMarked(const QWidget& entry);
};
