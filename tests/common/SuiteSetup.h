#pragma once

// What both test entry points do around their Qt application: the off-screen platform unless
// the environment names another, settings in a file of the suite's own (never the user's), and
// then every case.
#include "platform/Profile.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline void UseOffScreenUnlessTold() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline int RunSuite(int& argc, char** argv) {
    QTemporaryDir settingsDir;
    Profile::UseFile(settingsDir.filePath(QStringLiteral("settings.ini")));
    qputenv("PLENOVA_SETTINGS", settingsDir.filePath(QStringLiteral("settings.ini")).toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
