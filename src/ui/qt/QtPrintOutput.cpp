#include "ui/qt/QtPrintOutput.h"

#include "platform/print/PageRenderer.h"
#include "platform/print/PrintDocument.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace vel {

bool QtPrintOutput::output(const PrintDocument& document, QString& error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.title());
    PageRenderer renderer(document);
    if (!renderer.prepare(printer, error)) {
        return false;
    }
    QWidget* parent = parent_ ? parent_ : QApplication::activeWindow();
    if (mode_ == Mode::Preview) {
        QPrintPreviewDialog preview(&printer, parent);
        preview.setWindowTitle(document.title().isEmpty() ? QObject::tr("Print Preview")
                                                          : document.title());
        bool painted = true;
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter* target) { painted = renderer.paint(*target, error); });
        preview.exec();
        return painted;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, document.pageCount());
    if (dialog.exec() != QDialog::Accepted) {
        return true;
    }
    if (printer.printRange() == QPrinter::PageRange) {
        return renderer.paint(printer, error, printer.fromPage(), printer.toPage());
    }
    return renderer.paint(printer, error);
}

bool QtPrintOutput::outputTo(const PrintDocument& document, PrintDestination destination,
                             QString& error) {
    const Mode kept = mode_;
    mode_ = destination == PrintDestination::Preview ? Mode::Preview : Mode::Printer;
    const bool done = output(document, error);
    mode_ = kept;
    return done;
}

}  // namespace vel
