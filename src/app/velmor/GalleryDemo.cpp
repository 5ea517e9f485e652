#include "app/velmor/GalleryDemo.h"

#include "ui/ControlGallery.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/qt/QtUi.h"

#include <QTextStream>
#include <cstdio>

namespace vel {

namespace {
// The controls whose final values the headless run reports.
const char* const reportedControls[] = {
    "txtCode", "txtName", "optMeasure(1)", "cboUnit", "grdStandards", "osElements", "lsWorkCenters",
};

void personAtTheGallery(FormDriver& window) {
    window.type(QStringLiteral("txtCode"), QStringLiteral("{pck-1$"));
    window.type(QStringLiteral("txtName"), QStringLiteral("Pick cases"));
    window.click(QStringLiteral("optMeasure(1)"));
    window.click(QStringLiteral("chkFlags(2)"));  // disabled: refused
    window.set(QStringLiteral("cboUnit"), QStringLiteral("Lines"));
    window.selectTab(QStringLiteral("TabStrip1"), 2);
    window.editCell(QStringLiteral("grdStandards"), 2, 3, QStringLiteral("many"));
    window.editCell(QStringLiteral("grdStandards"), 2, 3, QStringLiteral("90"));
    window.pick(QStringLiteral("osElements"), QStringLiteral("Stretch wrap"));
    window.selectTab(QStringLiteral("TabStrip1"), 3);
    window.tick(QStringLiteral("lsWorkCenters"), QStringLiteral("40 Shipping"));
    window.click(QStringLiteral("SaveButtons1(1)"));
}
}  // namespace

int GalleryDemo::runOnDesktop() {
    QtUi ui;
    ui.setStatusSink(
        [](const QString& text, int) { std::fprintf(stderr, "status: %s\n", qPrintable(text)); });
    ScopedUi scoped(ui);
    ControlGallery gallery;
    ui.runModal(gallery);
    std::printf("%s\n", gallery.confirmed() ? "Closed with OK" : "Cancelled");
    return 0;
}

QStringList GalleryDemo::headlessTranscript(bool* failed) {
    HeadlessUi ui;
    ui.when(QStringLiteral("frmGallery"), personAtTheGallery);
    ScopedUi scoped(ui);
    ControlGallery gallery;
    ui.runModal(gallery);
    Transcript& transcript = ui.transcript();
    for (const char* path : reportedControls) {
        const QString name = QString::fromLatin1(path);
        const Control& control = gallery.control(name);  // a grid reports its current cell
        transcript.addLine(QStringLiteral("value: %1 = %2").arg(name, control.valueText()));
    }
    transcript.addLine(
        QStringLiteral("result: %1")
            .arg(gallery.confirmed() ? QStringLiteral("OK") : QStringLiteral("Cancel")));
    if (failed) {
        *failed = !ui.failures().isEmpty();
    }
    return transcript.lines();
}

int GalleryDemo::runHeadless(QTextStream& out) {
    bool failed = false;
    for (const QString& line : headlessTranscript(&failed)) {
        out << line << '\n';
    }
    out.flush();
    return failed ? 1 : 0;
}

}  // namespace vel
