#include "shell/RecoveryOffer.h"

#include "shell/CMainFrame.h"
#include "shell/RecoveryDialog.h"

#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <utility>

RecoveryOffer::RecoveryOffer(CMainFrame& frame, const QString& folder)
    : m_frame(frame), m_store(folder) {}

QString RecoveryOffer::Describe(const RecoveryFile& file) {
    const QString name = file.formatPath.isEmpty() ? QStringLiteral("(nuevo)")
                                                   : QFileInfo(file.formatPath).fileName();
    QString what;
    switch (file.window) {
    case RecoveryFile::Window::Design:
        what = QStringLiteral("diseño del formato");
        break;
    case RecoveryFile::Window::Screen:
        what = QStringLiteral("diseño de la pantalla de captura");
        break;
    case RecoveryFile::Window::Capture:
        what = file.capturePath.isEmpty() ? QStringLiteral("datos capturados")
                                          : QStringLiteral("datos capturados en %1")
                                                .arg(QFileInfo(file.capturePath).fileName());
        break;
    }
    return QStringLiteral("%1 (%2), %3")
        .arg(name, what, QLocale().toString(file.time, QLocale::ShortFormat));
}

int RecoveryOffer::Run() {
    if (m_frame.AsksNothing())
        return 0;
    const RecoveryStore::Leftovers leftovers = m_store.FindLeftovers();
    if (leftovers.recoverable.empty() && leftovers.damaged.empty())
        return 0;
    std::optional<std::vector<int>> chosen;
    if (!leftovers.recoverable.empty()) {
        chosen = m_choose ? m_choose(leftovers) : RecoveryDialog::Ask(leftovers, &m_frame);
    } else {
        QStringList lines{QStringLiteral("Plenova se cerró sin guardar, pero no se puede "
                                         "recuperar lo que dejó en %1:")
                              .arg(m_store.Folder())};
        for (const RecoveryStore::Damaged& damaged : leftovers.damaged)
            lines << damaged.message;
        m_frame.ShowMessage(lines.join(QLatin1Char('\n')));
    }

    int recovered = 0;
    for (int i = 0; i < static_cast<int>(leftovers.recoverable.size()); ++i) {
        const RecoveryStore::Leftover& leftover = leftovers.recoverable.at(static_cast<size_t>(i));
        const bool wanted = chosen && std::find(chosen->begin(), chosen->end(), i) != chosen->end();
        if (wanted && !Recover(leftover.file))
            continue;
        recovered += wanted ? 1 : 0;
        m_store.Remove(leftover.name);
    }
    return recovered;
}

bool RecoveryOffer::Recover(const RecoveryFile& file) {
    switch (file.window) {
    case RecoveryFile::Window::Design:
        return m_frame.RecoverDesign(file) != nullptr;
    case RecoveryFile::Window::Screen:
        return m_frame.RecoverScreenDesign(file) != nullptr;
    case RecoveryFile::Window::Capture:
        return m_frame.RecoverCapture(file) != nullptr;
    }
    return false;
}
