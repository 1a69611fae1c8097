#include "platform/SafeFile.h"

#include "platform/FileError.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCannotCreate = QStringLiteral("no se puede crear");
const QString kCannotWrite = QStringLiteral("no se pudo escribir");
const QString kCannotReplace = QStringLiteral("no se pudo reemplazar");

// As many links as the system itself follows before it gives up.
constexpr int kMostLinks = 40;
// A temporary's name keeps enough of the target's for the user to tell whose it was.
constexpr qsizetype kNameKept = 100;

QString NotARegularFile(mode_t mode) {
    if (S_ISFIFO(mode))
        return QStringLiteral("es una tubería (FIFO), no un archivo normal");
    if (S_ISSOCK(mode))
        return QStringLiteral("es un socket, no un archivo normal");
    if (S_ISBLK(mode))
        return QStringLiteral("es un dispositivo de bloques, no un archivo normal");
    return QStringLiteral("no es un archivo normal");
}

QString RandomTag() {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString tag;
    for (int i = 0; i < 8; ++i)
        tag += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(36)]);
    return tag;
}

// Once renamed, the new name must survive a crash too: the folder's entry is synced as well.
// A file system that cannot sync a folder has nothing more to lose, so failure is not an error.
void SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

SafeFile::SafeFile(const QString& path) : m_path(path) {}

SafeFile::~SafeFile() {
    Discard();
}

void SafeFile::Open() {
    if (m_path.isEmpty())
        throw FileError(m_path, kCannotCreate,
                        QStringLiteral("no se indicó el nombre del archivo"));
    ResolveTarget();
    if (m_direct) {
        int fd = -1;
        do {
            // Standard output is taken as it was given, whatever it is: reopening it by name
            // fails for a socket.
            fd = m_standardOutput ? ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0)
                                  : ::open(QFile::encodeName(m_target).constData(),
                                           O_WRONLY | O_NOCTTY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0)
            throw FileError(m_path, kCannotCreate, errno);
        m_fd = fd;
    } else {
        CreateTemporary();
    }
    m_writeError = 0;
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

void SafeFile::ResolveTarget() {
    const QByteArray name = QFile::encodeName(m_path);
    struct stat st {};
    struct stat out {};
    const bool hasOutput = ::fstat(STDOUT_FILENO, &out) == 0;
    if (m_path == QLatin1String("-")) {
        if (!hasOutput)
            throw FileError(m_path, kCannotCreate, errno);
        m_standardOutput = m_direct = true;
        m_target = m_path;
        return;
    }
    if (::stat(name.constData(), &st) == 0) {
        // The program's own standard output named by a path (/dev/stdout, /dev/fd/1): a pipe
        // to the next program in a script is written as it is, not refused as a FIFO.
        if (hasOutput && st.st_dev == out.st_dev && st.st_ino == out.st_ino &&
            !S_ISREG(st.st_mode)) {
            m_standardOutput = m_direct = true;
            m_target = m_path;
            return;
        }
        if (S_ISCHR(st.st_mode)) {
            m_direct = true;
            m_target = m_path;
            return;
        }
        if (S_ISDIR(st.st_mode))
            throw FileError(m_path, kCannotCreate, EISDIR);
        if (!S_ISREG(st.st_mode))
            throw FileError(m_path, kCannotCreate, NotARegularFile(st.st_mode));
        char* real = ::realpath(name.constData(), nullptr);
        if (!real)
            throw FileError(m_path, kCannotCreate, errno);
        // A file made read-only is kept, whoever runs the program: replacing it through a
        // temporary would succeed wherever the folder is writable, and root passes every
        // permission check, so the file's own write bits decide.
        const bool readOnly = ::access(real, W_OK) != 0 ? errno == EACCES || errno == EROFS
                                                        : (st.st_mode & 0222) == 0;
        m_target = QFile::decodeName(real);
        std::free(real);
        if (readOnly)
            throw FileError(m_path, QStringLiteral("no se puede reemplazar"),
                            QStringLiteral("el archivo es de solo lectura"));
        m_replaces = true;
        m_mode = st.st_mode & 07777;
        return;
    }
    if (errno != ENOENT)
        throw FileError(m_path, kCannotCreate, errno);
    // Nothing there yet, or a link to a file still to be made: the file goes where the links
    // lead, and the links stay.
    QString current = m_path;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        const QByteArray bytes = QFile::encodeName(current);
        if (::lstat(bytes.constData(), &st) != 0) {
            if (errno != ENOENT)
                throw FileError(m_path, kCannotCreate, errno);
            m_target = current;
            return;
        }
        if (!S_ISLNK(st.st_mode))
            throw FileError(m_path, kCannotCreate, NotARegularFile(st.st_mode));
        char link[PATH_MAX];
        const ssize_t length = ::readlink(bytes.constData(), link, sizeof link - 1);
        if (length < 0)
            throw FileError(m_path, kCannotCreate, errno);
        const QString next = QFile::decodeName(QByteArray(link, length));
        current = next.startsWith(QLatin1Char('/'))
                      ? next
                      : QFileInfo(current).path() + QLatin1Char('/') + next;
    }
    throw FileError(m_path, kCannotCreate, ELOOP);
}

QString SafeFile::TemporaryName() const {
    const QFileInfo target(m_target);
    return target.path() + QStringLiteral("/.") + target.fileName().left(kNameKept) +
           QLatin1Char('.') + RandomTag() + QStringLiteral(".tmp");
}

void SafeFile::CreateTemporary() {
    // 0666 less the user's umask, as any new file of the user's; a replaced file's own mode.
    const auto keepMode = [this] {
        if (m_replaces && ::fchmod(m_fd, static_cast<mode_t>(m_mode)) != 0)
            Fail(kCannotCreate, errno);
    };
#ifdef O_TMPFILE
    // A file with no name yet vanishes with the process: a run killed half-way through leaves
    // nothing behind. The printer reaches it through its descriptor's name under /proc.
    if (::access("/proc/self/fd", X_OK) == 0) {
        const int fd = ::open(QFile::encodeName(QFileInfo(m_target).path()).constData(),
                              O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_unnamed = true;
            m_temporary = QStringLiteral("/proc/self/fd/%1").arg(fd);
            keepMode();
            return;
        }
        // A file system that cannot make one gets a named temporary; anything else is the
        // folder's fault and said so.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            throw FileError(m_path, kCannotCreate, errno);
    }
#endif
    int fd = -1;
    QString candidate;
    for (int attempt = 0; fd < 0; ++attempt) {
        candidate = TemporaryName();
        fd = ::open(QFile::encodeName(candidate).constData(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100))
            throw FileError(m_path, kCannotCreate, errno);
    }
    m_fd = fd;
    m_temporary = candidate;
    keepMode();
}

qint64 SafeFile::readData(char*, qint64) {
    return -1;
}

qint64 SafeFile::writeData(const char* data, qint64 size) {
    if (m_writeError != 0 || m_fd < 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<qint64>(size - done, 1 << 30));
        const ssize_t written = ::write(m_fd, data + done, chunk);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            m_writeError = errno;
            setErrorString(FileError::Reason(m_writeError));
            return -1;
        }
        done += written;
    }
    return done;
}

void SafeFile::CheckWrites() const {
    if (m_writeError != 0)
        throw FileError(m_path, kCannotWrite, m_writeError);
}

void SafeFile::Fail(const QString& what, int errorNumber) {
    Discard();
    throw FileError(m_path, what, errorNumber);
}

void SafeFile::Commit() {
    if (m_fd < 0)
        throw FileError(m_path, kCannotWrite, QStringLiteral("el archivo no está abierto"));
    if (m_writeError != 0)
        Fail(kCannotWrite, m_writeError);
    if (m_direct) {
        const int fd = m_fd;
        m_fd = -1;
        QIODevice::close();
        if (::close(fd) != 0 && errno != EINTR)
            throw FileError(m_path, kCannotWrite, errno);
        return;
    }
    if (::fsync(m_fd) != 0)
        Fail(kCannotWrite, errno);
    if (m_unnamed) {
        // Named beside the target only now that it is complete, for the rename to put in place.
        for (int attempt = 0;; ++attempt) {
            const QString candidate = TemporaryName();
            if (::linkat(AT_FDCWD, QFile::encodeName(m_temporary).constData(), AT_FDCWD,
                         QFile::encodeName(candidate).constData(), AT_SYMLINK_FOLLOW) == 0) {
                m_unnamed = false;
                m_temporary = candidate;
                break;
            }
            if (errno != EEXIST || attempt >= 100)
                Fail(kCannotReplace, errno);
        }
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        Fail(kCannotWrite, errno);
    if (::rename(QFile::encodeName(m_temporary).constData(),
                 QFile::encodeName(m_target).constData()) != 0)
        Fail(kCannotReplace, errno);
    m_temporary.clear();
    QIODevice::close();
    SyncFolder(QFileInfo(m_target).path());
}

void SafeFile::Discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    // A temporary with no name went with its descriptor.
    if (!m_temporary.isEmpty() && !m_unnamed)
        ::unlink(QFile::encodeName(m_temporary).constData());
    m_temporary.clear();
    m_unnamed = false;
    if (isOpen())
        QIODevice::close();
}
