#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

// How far a batch of sheets has gone, in words for a person waiting on it: the sheets done of
// the total, the sheets a second and the time left ("Hoja 370 de 1,000 · 212 hojas/s · faltan
// 3 s"). It tells when a report is due: at the first sheet, at most ten times a second after
// that, and at the last, so that a terminal or a dialog is not redrawn for every sheet.
class BatchProgress {
public:
    explicit BatchProgress(int total, const QLocale& locale = QLocale());

    // The sheet count after one more sheet, elapsedMs after the batch started. True when the
    // report is due.
    bool Done(int done, std::int64_t elapsedMs);
    QString Text() const;

private:
    QLocale m_locale;
    int m_total;
    int m_done = 0;
    std::int64_t m_elapsedMs = 0;
    std::int64_t m_reportedMs = -1;
};
