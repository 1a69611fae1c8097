#include "platform/RecoveryKeeper.h"

#include "platform/FileError.h"
#include "platform/RecoveryStore.h"

#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QMutex>
#include <QUndoStack>

#include <utility>

namespace {

QMutex& FolderMutex() {
    static QMutex mutex;
    return mutex;
}

QString& SharedFolder() {
    static QString folder;
    return folder;
}

} // namespace

RecoveryKeeper::RecoveryKeeper(State state, QObject* parent)
    : QObject(parent), m_state(std::move(state)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::Keep);
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::applicationStateChanged, this,
                &RecoveryKeeper::ApplicationStateChanged);
}

RecoveryKeeper::~RecoveryKeeper() {
    Clean();
}

void RecoveryKeeper::SetFolder(const QString& folder) {
    const QMutexLocker lock(&FolderMutex());
    SharedFolder() = folder;
}

QString RecoveryKeeper::Folder() {
    const QMutexLocker lock(&FolderMutex());
    return SharedFolder();
}

void RecoveryKeeper::Changed() {
    m_pending = true;
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryKeeper::Clean() {
    m_pending = false;
    m_timer.stop();
    if (m_name.isEmpty())
        return;
    RecoveryStore(m_folder).Remove(m_name);
    m_name.clear();
}

void RecoveryKeeper::Follow(QUndoStack& steps) {
    connect(&steps, &QUndoStack::indexChanged, this, &RecoveryKeeper::Changed);
    connect(&steps, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            Clean();
    });
}

void RecoveryKeeper::Keep() {
    m_pending = false;
    m_timer.stop();
    const QString folder = Folder();
    std::optional<RecoveryFile> file;
    if (!folder.isEmpty())
        file = m_state();
    if (!file) {
        Clean();
        return;
    }
    if (folder != m_folder)
        Clean();
    file->time = QDateTime::currentDateTime();
    file->process = ProcessIdentity::Current();
    if (m_name.isEmpty())
        m_name = RecoveryStore::NewName();
    m_folder = folder;
    try {
        RecoveryStore(folder).Write(m_name, *file);
    } catch (const FileError& e) {
        // A safety net that cannot be laid out (a full disk) must not stop the work nor ask
        // every half minute; the older file, if any, stays.
        qWarning("%s", qUtf8Printable(e.Message()));
    }
}

QString RecoveryKeeper::FilePath() const {
    return m_name.isEmpty() ? QString() : QDir(m_folder).filePath(m_name);
}

void RecoveryKeeper::ApplicationStateChanged(Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive && m_pending)
        Keep();
}
