#include "platform/FormatLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A lock file as another Plenova left it: pid, program, host, host id, boot id, user.
void WriteForeignLock(const QString& path, const QByteArray& content, const QDateTime& when) {
    QFile file(FormatLock::LockPathFor(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    ASSERT_TRUE(file.flush());
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

TEST(FormatLockTest, SecondTakerSeesTheHolderUntilReleased) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FACTURA.fmt"));
    qputenv("USER", "ana");
    FormatLock first;
    ASSERT_EQ(first.Take(path), FormatLock::Result::Taken);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("FACTURA.fmt.bloqueo"))));

    // Another window of this very process is told, not let in.
    FormatLock second;
    EXPECT_EQ(second.Take(path), FormatLock::Result::Held);
    EXPECT_FALSE(second.Holds());
    const std::optional<FormatLock::Holder> holder = FormatLock::HolderOf(path);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->user, QStringLiteral("ana"));
    EXPECT_EQ(holder->host, QSysInfo::machineHostName());
    EXPECT_FALSE(holder->elsewhere);
    EXPECT_FALSE(FormatLock::LooksForgotten(*holder, QDateTime::currentDateTime().addDays(3)));

    // The lock follows the holder to another file, and the first is free again.
    ASSERT_EQ(first.Take(dir.filePath(QStringLiteral("OTRO.fmt"))), FormatLock::Result::Taken);
    EXPECT_EQ(second.Take(path), FormatLock::Result::Taken);
    second.Release();
    EXPECT_FALSE(QFileInfo::exists(FormatLock::LockPathFor(path)));
    EXPECT_FALSE(FormatLock::HolderOf(path));
}

TEST(FormatLockTest, ProcessGoneFromThisHostIsTakenOverSilently) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FACTURA.fmt"));
    // No process has a number this large.
    WriteForeignLock(path,
                     "999999999\nplenova\n" + QSysInfo::machineHostName().toUtf8() + "\n\n\nluis\n",
                     QDateTime::currentDateTime());
    FormatLock lock;
    EXPECT_EQ(lock.Take(path), FormatLock::Result::Taken);
    EXPECT_EQ(FormatLock::HolderOf(path)->pid, QCoreApplication::applicationPid());
}

TEST(FormatLockTest, LockFromAnotherHostIsForgottenOnlyAfterADay) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FACTURA.fmt"));
    const QDateTime since(QDate(2025, 2, 3), QTime(9, 41));
    WriteForeignLock(path, "4242\nplenova\nCAJA2\nnot-this-machine\nboot\nLUIS\n", since);

    FormatLock lock;
    EXPECT_EQ(lock.Take(path), FormatLock::Result::Held);
    const std::optional<FormatLock::Holder> holder = FormatLock::HolderOf(path);
    ASSERT_TRUE(holder);
    EXPECT_TRUE(holder->elsewhere);
    EXPECT_EQ(FormatLock::HeldMessage(path, *holder),
              QStringLiteral("FACTURA.fmt está abierto por LUIS en CAJA2 desde el 03/02/2025 "
                             "09:41."));
    EXPECT_FALSE(FormatLock::LooksForgotten(*holder, since.addSecs(23 * 3600)));
    EXPECT_TRUE(FormatLock::LooksForgotten(*holder, since.addSecs(25 * 3600)));

    ASSERT_TRUE(FormatLock::RemoveForgotten(path));
    EXPECT_EQ(lock.Take(path), FormatLock::Result::Taken);
}
