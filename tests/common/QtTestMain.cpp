// The entry point of every test suite: a Qt application on the off-screen platform (fonts and
// widgets need one) and settings kept in a file of the suite's own, never the user's.
#include "platform/Profile.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settingsDir;
    Profile::UseFile(settingsDir.filePath(QStringLiteral("settings.ini")));
    qputenv("PLENOVA_SETTINGS", settingsDir.filePath(QStringLiteral("settings.ini")).toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
