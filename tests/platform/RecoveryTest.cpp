#include "platform/FileError.h"
#include "platform/ProcessIdentity.h"
#include "platform/RecoveryFile.h"
#include "platform/RecoveryKeeper.h"
#include "platform/RecoveryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The number of a process that has just ended: no process has it until the system hands it
// out again, long after a test.
qint64 EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

RecoveryFile Sample(qint64 pid) {
    RecoveryFile file;
    file.window = RecoveryFile::Window::Capture;
    file.formatPath = QStringLiteral("/datos/cheque ñ.fmt");
    file.capturePath = QStringLiteral("/datos/cheque 7.cap");
    file.time = QDateTime(QDate(2024, 3, 9), QTime(17, 45, 12, 250));
    file.process = ProcessIdentity::Current();
    file.process.pid = pid;
    file.ownSettings = R"({"papel":"carta"})";
    // Every byte value, and NULs that must not end anything.
    for (int i = 0; i < 600; ++i)
        file.state.append(static_cast<char>(i % 256));
    return file;
}

bool WaitFor(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

} // namespace

TEST(RecoveryFileTest, WhatIsWrittenReadsBackAndDamageIsNamed) {
    const RecoveryFile file = Sample(4242);
    const QByteArray bytes = file.Encode();
    const RecoveryFile back = RecoveryFile::Decode(bytes, QStringLiteral("r"));
    EXPECT_EQ(back.window, file.window);
    EXPECT_EQ(back.formatPath, file.formatPath);
    EXPECT_EQ(back.capturePath, file.capturePath);
    EXPECT_EQ(back.time, file.time);
    EXPECT_EQ(back.process.pid, 4242);
    EXPECT_EQ(back.process.host, file.process.host);
    EXPECT_EQ(back.process.start, file.process.start);
    EXPECT_EQ(back.ownSettings, file.ownSettings);
    EXPECT_EQ(back.state, file.state);

    // Cut anywhere, the file is refused, never read short.
    for (qsizetype cut :
         {qsizetype{0}, qsizetype{5}, qsizetype{20}, bytes.size() / 2, bytes.size() - 1}) {
        try {
            RecoveryFile::Decode(bytes.left(cut), QStringLiteral("x.recuperacion"));
            ADD_FAILURE() << "cut at " << cut;
        } catch (const FileError& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("x.recuperacion: no se puede "
                                                              "recuperar")))
                << e.Message().toStdString();
        }
    }
    // A description whose length claims far more than there is, and a later layout.
    QByteArray huge = bytes;
    huge[12] = '\x7f';
    EXPECT_THROW(RecoveryFile::Decode(huge, QStringLiteral("h")), FileError);
    QByteArray later = bytes;
    later[11] = '\x02';
    EXPECT_THROW(RecoveryFile::Decode(later, QStringLiteral("v")), FileError);
}

TEST(RecoveryStoreTest, OffersOnlyTheFilesOfRunsThatAreGone) {
    QTemporaryDir dir;
    const RecoveryStore store(dir.filePath(QStringLiteral("recuperacion")));
    EXPECT_TRUE(store.FindLeftovers().recoverable.empty()); // no folder yet

    RecoveryFile gone = Sample(EndedProcess());
    gone.time = gone.time.addSecs(60);
    RecoveryFile older = Sample(EndedProcess());
    store.Write(QStringLiteral("a.recuperacion"), gone);
    store.Write(QStringLiteral("b.recuperacion"), older);
    // This very run, still going, and a later process that took an old run's number.
    store.Write(QStringLiteral("c.recuperacion"), Sample(::getpid()));
    RecoveryFile reused = Sample(::getpid());
    reused.process.start = QStringLiteral("1");
    store.Write(QStringLiteral("d.recuperacion"), reused);
    // Another machine sharing the folder: its run cannot be asked, so it is left to it.
    RecoveryFile elsewhere = Sample(EndedProcess());
    elsewhere.process.host = QSysInfo::machineHostName() + QStringLiteral("-otro");
    store.Write(QStringLiteral("e.recuperacion"), elsewhere);
    // Damaged files are named, not offered, and do not hide the others.
    QFile damaged(QDir(store.Folder()).filePath(QStringLiteral("f.recuperacion")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(older.Encode().left(40));
    damaged.close();

    EXPECT_EQ(QFileInfo(store.Folder()).permissions() & (QFile::ReadOther | QFile::ReadGroup),
              QFileDevice::Permissions());
    const RecoveryStore::Leftovers found = store.FindLeftovers();
    ASSERT_EQ(found.recoverable.size(), 3u);
    // Oldest first.
    EXPECT_EQ(found.recoverable.at(0).name, QStringLiteral("b.recuperacion"));
    EXPECT_EQ(found.recoverable.at(1).name, QStringLiteral("d.recuperacion"));
    EXPECT_EQ(found.recoverable.at(2).name, QStringLiteral("a.recuperacion"));
    EXPECT_EQ(found.recoverable.at(2).file.state, gone.state);
    ASSERT_EQ(found.damaged.size(), 1u);
    EXPECT_EQ(found.damaged.at(0).name, QStringLiteral("f.recuperacion"));
    EXPECT_TRUE(found.damaged.at(0).message.contains(QStringLiteral("f.recuperacion")));

    store.Remove(QStringLiteral("a.recuperacion"));
    EXPECT_EQ(store.FindLeftovers().recoverable.size(), 2u);
}

TEST(RecoveryKeeperTest, WritesAfterAChangeOrOnLeavingAndGoesWhenClean) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("recuperacion"));
    std::optional<RecoveryFile> state;
    int asked = 0;
    auto keeper = std::make_unique<RecoveryKeeper>([&] {
        ++asked;
        return state;
    });
    keeper->SetInterval(50);

    // No folder: a run that keeps nothing writes nothing.
    state = Sample(0);
    keeper->Keep();
    EXPECT_TRUE(keeper->FilePath().isEmpty());

    RecoveryKeeper::SetFolder(folder);
    // Many changes, one write once the interval is over.
    asked = 0;
    for (int i = 0; i < 20; ++i)
        keeper->Changed();
    EXPECT_EQ(asked, 0);
    ASSERT_TRUE(WaitFor([&] { return !keeper->FilePath().isEmpty(); }));
    EXPECT_EQ(asked, 1);
    const QString path = keeper->FilePath();
    const RecoveryFile written = RecoveryFile::Read(path);
    EXPECT_EQ(written.state, state->state);
    EXPECT_EQ(written.process.pid, ::getpid());
    EXPECT_TRUE(written.process.MayBeRunning());

    // Leaving the application writes what changed at once.
    state->state = "despues";
    keeper->SetInterval(60 * 1000);
    keeper->Changed();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(RecoveryFile::Read(path).state, QByteArray("despues"));

    // Changes undone: the next write removes the file instead.
    state.reset();
    keeper->Keep();
    EXPECT_FALSE(QFile::exists(path));

    // Saved, or the window closed: the file goes.
    state = Sample(0);
    keeper->Keep();
    EXPECT_TRUE(QFile::exists(keeper->FilePath()));
    const QString second = keeper->FilePath();
    keeper->Clean();
    EXPECT_FALSE(QFile::exists(second));
    keeper->Keep();
    const QString third = keeper->FilePath();
    EXPECT_TRUE(QFile::exists(third));
    keeper.reset();
    EXPECT_FALSE(QFile::exists(third));
    EXPECT_TRUE(QDir(folder).isEmpty());
    RecoveryKeeper::SetFolder(QString());
}
