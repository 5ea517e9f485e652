#include "platform/print/PdfFileOutput.h"

#include "platform/print/PdfPrintOutput.h"
#include "platform/print/PrintDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace vel {

QString PdfFileOutput::nextPath(const QString& title) const {
    if (!filePath_.isEmpty()) {
        if (written_.isEmpty()) {
            return filePath_;
        }
        const QFileInfo named(filePath_);
        const QString suffix = named.suffix().isEmpty() ? QString() : u'.' + named.suffix();
        return named.dir().filePath(named.completeBaseName() +
                                    QStringLiteral("-%1").arg(written_.size() + 1) + suffix);
    }
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    QString name = title.trimmed();
    name.replace(unsafe, QStringLiteral("-"));
    if (name.isEmpty()) {
        name = QStringLiteral("Velmor print-out");
    }
    return QDir(folder_).filePath(name + QStringLiteral(".pdf"));
}

bool PdfFileOutput::output(const PrintDocument& document, QString& error) {
    const QString path = nextPath(document.title());
    PdfPrintOutput pdf(path);
    if (!pdf.output(document, error)) {
        return false;
    }
    written_ << path;
    if (onWritten_) {
        onWritten_(path);
    }
    return true;
}

}  // namespace vel
