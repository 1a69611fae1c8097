#pragma once

#include "platform/RecoveryFile.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

// Keeps one window's unsaved changes in a recovery file, so that a power cut or a killed
// Plenova loses at most the last half minute of work. The window tells it only that something
// changed and that its changes were saved or dropped; the keeper asks the window for its state
// when it writes: at most once every interval after a change (not once per keystroke), and at
// once when the application loses the focus, which is when a logout or a shutdown comes.
//
// The file goes when the changes are saved or undone, and with the keeper (the window closed,
// whether its changes were saved or the user chose not to). Nothing is written while no folder
// is set: runs that nobody watches and the tests of the windows leave nothing behind.
class QUndoStack;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // The window's state, or nothing when it has no unsaved changes. The keeper fills in the
    // time and the process.
    using State = std::function<std::optional<RecoveryFile>()>;

    static constexpr int kIntervalMs = 30 * 1000;

    explicit RecoveryKeeper(State state, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // The folder of this run's recovery files; empty (the default) keeps none.
    static void SetFolder(const QString& folder);
    static QString Folder();

    void SetInterval(int ms) { m_timer.setInterval(ms); }

    // Something changed: the state is written once the interval is over.
    void Changed();
    // The changes were saved or dropped: the file goes.
    void Clean();
    // A document whose changes are the steps of an undo stack: every step is a change, and the
    // stack back at its clean state (saved, or every change undone) is clean.
    void Follow(QUndoStack& steps);
    // Writes the state now, or removes the file when there are no unsaved changes.
    void Keep();
    // The file written, with its folder; empty while there is none.
    QString FilePath() const;

private:
    void ApplicationStateChanged(Qt::ApplicationState state);

    State m_state;
    QTimer m_timer;
    // The folder and name of the file last written, so that it goes from where it was even if
    // the folder is changed meanwhile.
    QString m_folder;
    QString m_name;
    bool m_pending = false;
};
