#pragma once
// Pictures of the editors' windows as a person sees them on the demo site: a test scripts the
// windows headless as usual and, inside its scripts, saves the window in front as a PNG in the
// picture folder ($VELMOR_TEST_OUTPUT, else the temporary folder).
#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"
#include "ui/HeadlessUi.h"
#include "ui/TabStrip.h"
#include "ui/qt/FormDialog.h"
#include "ui/qt/FormRenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace vel::testing {

inline QString editorPictureFolder() {
    QString folder = qEnvironmentVariable("VELMOR_TEST_OUTPUT");
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    QDir().mkpath(folder);
    return folder;
}

// Runs a tool (pdftoppm, pdftotext) to its end; its standard output. A failure fails the test.
inline QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Renders the form as a dialog and saves it as name + ".png"; checks that it has a sensible
// size. With a tab strip given, saves one picture per page (name + "-" + page number).
inline void saveWindowPicture(Form& form, const QString& name, const QString& tabStrip = {}) {
    FormRenderer renderer(form);
    renderer.dialog()->show();
    QCoreApplication::processEvents();
    const auto save = [&](const QString& fileName) {
        renderer.flush();
        QCoreApplication::processEvents();
        const QImage picture = renderer.dialog()->grab().toImage();
        const QString path = editorPictureFolder() + QStringLiteral("/") + fileName + QStringLiteral(".png");
        EXPECT_TRUE(picture.save(path)) << path.toStdString();
        EXPECT_GT(picture.width(), 200) << fileName.toStdString();
        EXPECT_GT(picture.height(), 100) << fileName.toStdString();
    };
    if (tabStrip.isEmpty()) {
        save(name);
        return;
    }
    auto& strip = form.controlAs<TabStrip>(tabStrip);
    const int selected = strip.selected();
    for (int number = 1; number <= strip.count(); ++number) {
        strip.select(number);
        save(name + QStringLiteral("-") + QString::number(number));
    }
    strip.select(selected);
}

// The small demo site with a headless Ui whose unscripted windows fail the test.
struct DemoEditorSite {
    DemoEditorSite() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        QString error;
        EXPECT_TRUE(createDemoSite(directory.path(), DemoSize::Small, &error)) << error.toStdString();
        system = std::make_unique<ReferenceSystem>(directory.path(), 1);
    }
    QTemporaryDir directory;
    HeadlessUi ui;
    ScopedUi scope;
    std::unique_ptr<ReferenceSystem> system;
};

}  // namespace vel::testing
