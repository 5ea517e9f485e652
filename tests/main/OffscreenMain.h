#pragma once
// Test entry shared by the programs that paint: the offscreen platform unless the caller asks for
// another (gtest discovery and machines without a display behave the same), a private runtime
// folder, the user's Qt settings (remembered windows, recent folders) in a temporary folder, and
// a check that fonts exist, because missing fonts paint boxes without complaint.
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

template <class Application>
int runOffscreenTests(int argc, char** argv, const char* whatWouldShowBoxes) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/velmor-test-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    Application app(argc, argv);
    QTemporaryDir userSettings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userSettings.path());
    if (QFontDatabase::families().isEmpty()) {
        std::fprintf(stderr, "No fonts installed: %s would show boxes instead of text\n",
                     whatWouldShowBoxes);
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
