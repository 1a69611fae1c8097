#include "platform/Profile.h"

#include "platform/FileError.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ProfileTest, ValuesKeepTheirSectionsAndBadNumbersReadAsDefault) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("p.ini"));
    Profile::UseFile(file);
    {
        Profile p;
        p.WriteInt(QStringLiteral("Config"), QStringLiteral("FacX"), -35);
        p.WriteString(QStringLiteral("Config"), QStringLiteral("FacY"), QStringLiteral("doce"));
        p.WriteString(QStringLiteral("Config"), QStringLiteral("Path"),
                      QStringLiteral("/home/ana/formatos"));
    }
    Profile p;
    EXPECT_EQ(p.GetInt(QStringLiteral("Config"), QStringLiteral("FacX"), 0), -35);
    EXPECT_EQ(p.GetInt(QStringLiteral("Config"), QStringLiteral("FacY"), 7), 7);
    EXPECT_EQ(p.GetInt(QStringLiteral("Config"), QStringLiteral("Missing"), 3), 3);
    EXPECT_EQ(p.GetString(QStringLiteral("Config"), QStringLiteral("Path")),
              QStringLiteral("/home/ana/formatos"));
    Profile::UseFile(qEnvironmentVariable("PLENOVA_SETTINGS"));
}

TEST(ProfileTest, SettingsThatCannotBeWrittenAreAFileError) {
    QTemporaryDir dir;
    // The folder the settings would go in is a file: no one, not even root, can write there.
    const QString notAFolder = dir.filePath(QStringLiteral("archivo"));
    QFile(notAFolder).open(QIODevice::WriteOnly);
    Profile::UseFile(notAFolder + QStringLiteral("/p.ini"));
    {
        Profile p;
        p.WriteInt(QStringLiteral("Config"), QStringLiteral("FacX"), 5);
        EXPECT_THROW(p.Sync(), FileError);
    }
    Profile::UseFile(qEnvironmentVariable("PLENOVA_SETTINGS"));
}
