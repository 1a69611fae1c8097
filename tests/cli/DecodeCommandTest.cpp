#include "cli/CliRunner.h"
#include "imaging/TestPictures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace TestPictures;

namespace {

CliResult Cli(const QStringList& args) {
    return RunCli(QStringList{QStringLiteral("decode")} + args);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(DecodeCommand, WritesEveryFrameAsPpmAfterResizeAndFlip) {
    QTemporaryDir dir;
    GifSpec g;
    g.width = 2;
    g.height = 1;
    g.globalTable = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    g.frames = {Frame(2, {1, 2}), Frame(2, {3, 3})};
    const QString gif = dir.filePath(QStringLiteral("a.gif"));
    ASSERT_TRUE(WriteFile(gif, MakeGif(g)));
    const QString out = dir.filePath(QStringLiteral("a.ppm"));

    ASSERT_EQ(Cli({gif, QStringLiteral("-o"), out}).exitCode, 0);
    EXPECT_EQ(Read(out), QByteArray("P6\n2 2\n255\n\xff\0\0\0\xff\0\0\0\xff\0\0\xff", 23));

    ASSERT_EQ(Cli({gif, QStringLiteral("-o"), out, QStringLiteral("--size"), QStringLiteral("4x2"),
                   QStringLiteral("--flip"), QStringLiteral("v")})
                  .exitCode,
              0);
    EXPECT_EQ(Read(out).left(11), QByteArray("P6\n4 2\n255\n"));
    EXPECT_EQ(Read(out).mid(11, 3), QByteArray("\0\0\xff", 3)); // the second frame, now on top

    // Narrower and taller at once: resampled all the same.
    ASSERT_EQ(Cli({gif, QStringLiteral("-o"), out, QStringLiteral("--size"), QStringLiteral("1x9")})
                  .exitCode,
              0);
    EXPECT_EQ(Read(out).left(11), QByteArray("P6\n1 9\n255\n"));

    const QString bad = dir.filePath(QStringLiteral("b.bmp"));
    ASSERT_TRUE(WriteFile(bad, Bytes{'B', 'M', 1, 2}));
    const CliResult failed = Cli({bad, QStringLiteral("-o"), out});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.Err().contains(QStringLiteral("Read Error!"))) << failed.err.toStdString();
    EXPECT_EQ(Cli({gif, QStringLiteral("-o"), out, QStringLiteral("--flip"), QStringLiteral("x")})
                  .exitCode,
              1);
}
