#pragma once
// Test helpers for the Qt front end: a rendered, shown form and the folder for pictures.
#include "ui/qt/FormDialog.h"
#include "ui/qt/FormRenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <memory>

namespace vel::testing {

// Where rendered pictures go: $VELMOR_TEST_OUTPUT (ctest sets it), else the temporary folder.
inline QString pictureFolder() {
    QString folder = qEnvironmentVariable("VELMOR_TEST_OUTPUT");
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    QDir().mkpath(folder);
    return folder;
}

// Shows the form (loading it) and renders it as a shown dialog.
struct RenderedForm {
    explicit RenderedForm(Form& form) {
        form.show();
        renderer = std::make_unique<FormRenderer>(form);
        renderer->dialog()->show();
        QCoreApplication::processEvents();
    }
    FormRenderer& operator*() const { return *renderer; }
    FormRenderer* operator->() const { return renderer.get(); }
    std::unique_ptr<FormRenderer> renderer;
};

}  // namespace vel::testing
