#include "platform/InputFile.h"

#include "platform/FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCannotOpen = QStringLiteral("no se puede abrir");

} // namespace

InputFile::InputFile(const QString& path, qint64 maxBytes) {
    if (path.isEmpty())
        throw FileError(path, kCannotOpen, QStringLiteral("no se indicó el nombre del archivo"));
    // Without O_NONBLOCK opening a FIFO waits for a writer that may never come; the check that
    // follows refuses it anyway.
    int fd = -1;
    do {
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw FileError(path, kCannotOpen, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        throw FileError(path, kCannotOpen, error);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw FileError(path, kCannotOpen, EISDIR);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError(path, kCannotOpen,
                        QStringLiteral("no es un archivo normal, sino un dispositivo, una "
                                       "tubería o un socket"));
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        throw FileError(path, kCannotOpen,
                        QStringLiteral("El archivo es demasiado grande: %1; se leen hasta %2")
                            .arg(SizeText(st.st_size), SizeText(maxBytes)));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_size = st.st_size;
    if (!m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw FileError(path, kCannotOpen, m_file.errorString());
    }
}

QString InputFile::SizeText(qint64 bytes) {
    constexpr qint64 kMegabyte = 1024 * 1024;
    if (bytes < kMegabyte)
        return QStringLiteral("%1 bytes").arg(bytes);
    return QStringLiteral("%1 MB").arg((bytes + kMegabyte - 1) / kMegabyte);
}
