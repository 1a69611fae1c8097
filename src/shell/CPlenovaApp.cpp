#include "shell/CPlenovaApp.h"

#include "capture_model/CaptureControlTypes.h"
#include "platform/FileError.h"
#include "platform/Profile.h"
#include "platform_widgets/UserMessage.h"
#include "shell/CMainFrame.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>

namespace {

const QString kConfig = QStringLiteral("Config");

QString RecentKey(int slot) {
    return QStringLiteral("Last%1").arg(slot);
}

// Settings that cannot be written are worth telling, not worth stopping the work for.
void SyncOrWarn(Profile& profile) {
    try {
        profile.Sync();
    } catch (const FileError& e) {
        UserMessage::Warning(e.Message());
    }
}

} // namespace

CPlenovaApp::CPlenovaApp() = default;

CPlenovaApp::~CPlenovaApp() {
    m_mainFrame.reset();
    QCoreApplication::removeTranslator(&m_mexicoTranslator);
    QCoreApplication::removeTranslator(&m_qtTranslator);
}

void CPlenovaApp::InitInstance() {
    CaptureControlTypes::RegisterAll();
    UseSpanish();
    // The names the installation's settings are kept under, for Qt's own settings as for ours.
    QCoreApplication::setOrganizationName(QString::fromLatin1(Profile::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(Profile::kApplication));
    Profile profile;
    m_defaultFolder = ReadDefaultFolder(profile);
    m_mainFrame = std::make_unique<CMainFrame>(m_defaultFolder);
}

QString CPlenovaApp::ReadDefaultFolder(Profile& profile) {
    QString folder = profile.GetString(kConfig, QStringLiteral("Path"));
    if (folder.isEmpty()) {
        folder = QDir::toNativeSeparators(QDir::currentPath());
        if (!folder.endsWith(QDir::separator()))
            folder += QDir::separator();
        profile.WriteString(kConfig, QStringLiteral("Path"), folder);
        SyncOrWarn(profile);
    }
    return folder;
}

void CPlenovaApp::AddRecentFormat(Profile& profile, const QString& path, int slot) {
    // Each step writes the path into its slot and hands the entry it displaced on to the next
    // slot; an empty entry ends the chain, the fourth falls off the list.
    QString moving = path;
    for (int n = slot; n <= kRecentFormats && !moving.isEmpty(); ++n) {
        for (int i = 1; i <= kRecentFormats; ++i) {
            if (profile.GetString(kConfig, RecentKey(i)) == moving)
                profile.WriteString(kConfig, RecentKey(i), QString());
        }
        const QString old = profile.GetString(kConfig, RecentKey(n));
        profile.WriteString(kConfig, RecentKey(n), moving);
        moving = old;
    }
    SyncOrWarn(profile);
}

QStringList CPlenovaApp::RecentFormats(Profile& profile) {
    QStringList recent;
    for (int i = 1; i <= kRecentFormats; ++i)
        recent << profile.GetString(kConfig, RecentKey(i));
    return recent;
}

void CPlenovaApp::ReadSystemLocaleAsMexico() {
    const char* const kAll = "LC_ALL";
    const bool wasSet = qEnvironmentVariableIsSet(kAll);
    const QByteArray was = qgetenv(kAll);
    qputenv(kAll, "es_MX.UTF-8");
    // The first use reads and keeps it.
    QLocale::system();
    if (wasSet)
        qputenv(kAll, was);
    else
        qunsetenv(kAll);
}

bool CPlenovaApp::UseSpanish() {
    // The command line is read in Spanish before start-up loads it again.
    if (m_spanishChosen)
        return !m_qtTranslator.isEmpty();
    m_spanishChosen = true;
    const QLocale mexico(QLocale::Spanish, QLocale::Mexico);
    QLocale::setDefault(mexico);
    const bool qtSpanish =
        m_qtTranslator.load(mexico, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtSpanish)
        QCoreApplication::installTranslator(&m_qtTranslator);
    // Installed last, so that it is asked first: its words replace Spain's, and every text it
    // does not hold falls through to Qt's translation.
    if (m_mexicoTranslator.load(QStringLiteral(":/traducciones/qt_es_MX.qm")))
        QCoreApplication::installTranslator(&m_mexicoTranslator);
    return qtSpanish;
}
