#pragma once

#include "platform/RecoveryFile.h"

#include <QString>

#include <vector>

// The folder where the windows of every run keep their recovery files, one file per window with
// unsaved changes, named after the run's process and the window's number in it. After a crash
// the next run finds there the files of runs that are gone; the files of a run still going
// (another Plenova of the same user) are left to it.
class RecoveryStore {
public:
    // Nobody keeps hundreds of windows open: a folder with more files is read up to this many.
    static constexpr int kMaxFiles = 200;

    explicit RecoveryStore(const QString& folder);

    // The user's own: "recuperacion" in the application's data folder.
    static QString DefaultFolder();
    const QString& Folder() const { return m_folder; }

    // A file name no other window of this run has.
    static QString NewName();
    // Writes the file under name, making the folder (for its user only) when it is missing.
    // A failure throws a FileError and leaves an older file of that name whole.
    void Write(const QString& name, const RecoveryFile& file) const;
    // Removes the file of that name, if it is there.
    void Remove(const QString& name) const;

    struct Leftover {
        QString name;
        RecoveryFile file;
    };
    struct Damaged {
        QString name;
        QString message;
    };
    struct Leftovers {
        // Oldest first.
        std::vector<Leftover> recoverable;
        std::vector<Damaged> damaged;
    };
    // The files left by runs that are gone, and those that cannot be read at all.
    Leftovers FindLeftovers() const;

private:
    QString m_folder;
};
