#include "platform/print/PdfPrintOutput.h"

#include "platform/print/PageRenderer.h"
#include "platform/print/PrintDocument.h"

#include <QFile>
#include <QPdfWriter>

namespace vel {

bool PdfPrintOutput::output(const PrintDocument& document, QString& error) {
    const QString partial = filePath_ + QStringLiteral(".part");
    QFile::remove(partial);
    bool written = false;
    {
        QPdfWriter writer(partial);
        writer.setResolution(resolution_);
        writer.setTitle(document.title());
        writer.setCreator(QStringLiteral("Velmor"));
        PageRenderer renderer(document);
        written = renderer.prepare(writer, error) && renderer.paint(writer, error);
    }
    if (!written) {
        QFile::remove(partial);
        error = QStringLiteral("Cannot write %1: %2").arg(filePath_, error);
        return false;
    }
    if (QFile::exists(filePath_) && !QFile::remove(filePath_)) {
        QFile::remove(partial);
        error = QStringLiteral("Cannot replace %1").arg(filePath_);
        return false;
    }
    if (!QFile::rename(partial, filePath_)) {
        QFile::remove(partial);
        error = QStringLiteral("Cannot write %1").arg(filePath_);
        return false;
    }
    return true;
}

}  // namespace vel
