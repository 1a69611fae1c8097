#pragma once

#include "capture_model/BatchProgress.h"

#include <QElapsedTimer>
#include <QTextStream>

// The line on a terminal that says how far a batch has gone, written over in place at most ten
// times a second. It ends with a line break when it goes, so that whatever follows (an error,
// the prompt) starts on a line of its own. Not shown, it writes nothing at all.
class ProgressLine {
public:
    ProgressLine(bool shown, int total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // done sheets of the total are finished.
    void Show(int done);

private:
    bool m_shown;
    BatchProgress m_progress;
    QElapsedTimer m_clock;
    QTextStream m_err;
    qsizetype m_written = 0;
};
