#include "cli/ProgressLine.h"

#include <algorithm>
#include <cstdio>

ProgressLine::ProgressLine(bool shown, int total)
    : m_shown(shown), m_progress(total), m_err(stderr) {
    m_clock.start();
}

ProgressLine::~ProgressLine() {
    if (m_written > 0) {
        m_err << '\n';
        m_err.flush();
    }
}

void ProgressLine::Show(int done) {
    if (!m_shown || !m_progress.Done(done, m_clock.elapsed()))
        return;
    const QString text = m_progress.Text();
    // A shorter line covers what is left of the longer one before it.
    m_err << '\r' << text
          << QString(std::max<qsizetype>(0, m_written - text.size()), QLatin1Char(' '));
    m_err.flush();
    m_written = text.size();
}
