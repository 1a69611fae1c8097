#include "platform/SafeFile.h"
#include "common/FileSizeLimit.h"
#include "platform/FileError.h"
#include "platform/InputFile.h"

#include "common/FileContents.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The message of the FileError that `body` throws, or "" when it throws none.
template <typename Body>
QString FailureOf(Body body) {
    try {
        body();
    } catch (const FileError& e) {
        return e.Message();
    }
    return QString();
}

void SaveAll(const QString& path, const QByteArray& bytes) {
    SafeFile file(path);
    file.Open();
    file.write(bytes);
    file.Commit();
}

} // namespace

TEST(SafeFileTest, ReplacesOnlyWhenEverythingIsWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    WriteFile(path, "viejo");
    ::chmod(QFile::encodeName(path).constData(), 0600);

    // Given up, or failed on the way: the old file stays, no temporary is left.
    {
        SafeFile file(path);
        file.Open();
        file.write("nuevo");
    }
    // Killed half-way, with no chance to clean up.
    const pid_t child = ::fork();
    if (child == 0) {
        SafeFile file(path);
        file.Open();
        file.write(QByteArray(100000, 'x'));
        ::raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(ReadFile(path), "viejo");
    EXPECT_EQ(NamesIn(dir.path()), QStringList{QStringLiteral("datos.cap")});
    {
        const FileSizeLimit limit(1024);
        EXPECT_EQ(FailureOf([&] { SaveAll(path, QByteArray(4096, 'x')); }),
                  path + QStringLiteral(": no se pudo escribir (El archivo es demasiado grande)"));
        SafeFile file(path);
        file.Open();
        EXPECT_EQ(file.write(QByteArray(4096, 'x')), -1);
        EXPECT_FALSE(FailureOf([&] { file.CheckWrites(); }).isEmpty());
    }
    EXPECT_EQ(ReadFile(path), "viejo");
    EXPECT_EQ(NamesIn(dir.path()), QStringList{QStringLiteral("datos.cap")});

    // Complete: the new contents, with the old file's permissions.
    SaveAll(path, "nuevo");
    EXPECT_EQ(ReadFile(path), "nuevo");
    EXPECT_EQ(ModeOf(path), 0600u);
    EXPECT_EQ(NamesIn(dir.path()), QStringList{QStringLiteral("datos.cap")});

    // A new file takes the user's umask.
    const mode_t saved = ::umask(027);
    SaveAll(dir.filePath(QStringLiteral("otro.cap")), "x");
    ::umask(saved);
    EXPECT_EQ(ModeOf(dir.filePath(QStringLiteral("otro.cap"))), 0640u);
}

TEST(SafeFileTest, FollowsLinksAndRefusesWhatItCannotReplace) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString real = dir.filePath(QStringLiteral("sub/real.fmt"));
    const QString link = dir.filePath(QStringLiteral("enlace.fmt"));
    const QString chain = dir.filePath(QStringLiteral("cadena.fmt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("sub/real.fmt"), link));
    ASSERT_TRUE(QFile::link(QStringLiteral("enlace.fmt"), chain));

    // Through a chain of relative links to a file not yet there, then over it.
    SaveAll(chain, "uno");
    EXPECT_EQ(ReadFile(real), "uno");
    SaveAll(chain, "dos");
    EXPECT_EQ(ReadFile(real), "dos");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo(chain).isSymLink());
    EXPECT_EQ(NamesIn(dir.filePath(QStringLiteral("sub"))),
              QStringList{QStringLiteral("real.fmt")});

    const QString loop = dir.filePath(QStringLiteral("ciclo"));
    ASSERT_TRUE(QFile::link(QStringLiteral("ciclo"), loop));
    EXPECT_EQ(FailureOf([&] { SaveAll(loop, "x"); }),
              loop + QStringLiteral(": no se puede crear (Hay demasiados enlaces simbólicos en la "
                                    "ruta)"));

    EXPECT_EQ(FailureOf([&] { SaveAll(dir.filePath(QStringLiteral("sub")), "x"); }),
              dir.filePath(QStringLiteral("sub")) +
                  QStringLiteral(": no se puede crear (Es un directorio)"));
    const QString nowhere = dir.filePath(QStringLiteral("falta/x.fmt"));
    EXPECT_EQ(FailureOf([&] { SaveAll(nowhere, "x"); }),
              nowhere +
                  QStringLiteral(": no se puede crear (No existe el archivo o el directorio)"));
}

TEST(InputFileTest, ReadsOnlyRegularFilesWithinTheBound) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.fmt"));
    WriteFile(path, "0123456789");
    {
        InputFile file(path, 10);
        EXPECT_EQ(file.Size(), 10);
        EXPECT_EQ(file.Device().readAll(), "0123456789");
    }
    EXPECT_EQ(FailureOf([&] { InputFile(path, 9); }),
              path + QStringLiteral(": no se puede abrir (El archivo es demasiado grande: 10 "
                                    "bytes; se leen hasta 9 bytes)"));
    EXPECT_EQ(FailureOf([&] { InputFile(dir.path(), 10); }),
              dir.path() + QStringLiteral(": no se puede abrir (Es un directorio)"));
}
