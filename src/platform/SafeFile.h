#pragma once

#include <QIODevice>
#include <QString>

// The one way Plenova writes a file the user names. The new contents go to a temporary file in
// the target's folder, every write is checked, and only when all of it is on the disk (flushed
// and synced) does the temporary take the target's place: a full disk, a file size limit or a
// failing device leaves the old file exactly as it was and no temporary behind. Where the
// system allows, the temporary has no name until it is complete, so that not even a killed run
// leaves one.
//
// - A symbolic link is followed and the file it names is written; the link stays a link.
// - A character device the user names on purpose (/dev/stdout, /dev/null, a terminal) is
//   written directly: there is nothing to replace and nothing a temporary could protect. So is
//   the program's standard output, named "-" or by a path to it, whatever it is (a pipe too).
// - A file made read-only is refused, even for a user whom the system would let replace it.
// - Any other target that exists and is not a regular file (a directory, a FIFO, a socket, a
//   block device) is refused, so a writer never replaces a special file by a regular one nor
//   blocks on a FIFO no one reads.
// - A new file gets the user's umask; a replaced file keeps its permissions.
//
// Failures are FileError, naming the file as the user gave it, with the system's reason in
// Spanish. A SafeFile destroyed without Commit() removes its temporary.
class SafeFile : public QIODevice {
public:
    explicit SafeFile(const QString& path);
    ~SafeFile() override;
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Checks the target and starts the temporary (or opens the device) for writing.
    void Open();
    // Throws the first write that failed, if any; a writer that stopped for a reason of its own
    // calls it to tell a full disk from its own trouble.
    void CheckWrites() const;
    // Syncs the new contents to the disk and puts them in the target's place.
    void Commit();
    // Gives up: removes the temporary and leaves the target alone.
    void Discard();

    // The name as the user gave it, for messages.
    const QString& Path() const { return m_path; }
    bool WritesDirectly() const { return m_direct; }
    // A path to the temporary being written, for a writer that can only be given a path (the
    // printer); empty when writing directly into a device.
    const QString& TemporaryPath() const { return m_temporary; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    [[noreturn]] void Fail(const QString& what, int errorNumber);
    void ResolveTarget();
    void CreateTemporary();
    QString TemporaryName() const;

    QString m_path;
    QString m_target;
    QString m_temporary;
    int m_fd = -1;
    int m_writeError = 0;
    bool m_direct = false;
    bool m_standardOutput = false;
    bool m_replaces = false;
    bool m_unnamed = false; // the temporary has no name in the folder until it is complete
    unsigned m_mode = 0;
};
