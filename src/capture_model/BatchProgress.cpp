#include "capture_model/BatchProgress.h"

#include <cmath>

namespace {

// Reports come at most this often.
constexpr std::int64_t kReportEveryMs = 100;

} // namespace

BatchProgress::BatchProgress(int total, const QLocale& locale) : m_locale(locale), m_total(total) {}

bool BatchProgress::Done(int done, std::int64_t elapsedMs) {
    m_done = done;
    m_elapsedMs = elapsedMs;
    const bool due =
        m_reportedMs < 0 || done >= m_total || elapsedMs - m_reportedMs >= kReportEveryMs;
    if (due)
        m_reportedMs = elapsedMs;
    return due;
}

QString BatchProgress::Text() const {
    QString text =
        QStringLiteral("Hoja %1 de %2").arg(m_locale.toString(m_done), m_locale.toString(m_total));
    // A rate needs time to mean anything: none is given for the first tenth of a second.
    if (m_elapsedMs < kReportEveryMs || m_done <= 0)
        return text;
    const double perSecond = m_done * 1000.0 / double(m_elapsedMs);
    text += QStringLiteral(" · %1 hojas/s")
                .arg(m_locale.toString(perSecond, 'f', perSecond < 10 ? 1 : 0));
    if (m_done < m_total) {
        const auto left = static_cast<std::int64_t>(std::ceil((m_total - m_done) / perSecond));
        text += left >= 60 ? QStringLiteral(" · faltan %1 min %2 s")
                                 .arg(m_locale.toString(left / 60))
                                 .arg(left % 60)
                           : QStringLiteral(" · faltan %1 s").arg(left);
    }
    return text;
}
