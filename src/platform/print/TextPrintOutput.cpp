#include "platform/print/TextPrintOutput.h"

#include "platform/print/PrintDocument.h"

#include <QSaveFile>

namespace vel {

bool TextPrintOutput::output(const PrintDocument& document, QString& error) {
    lines_ = document.textLines();
    if (filePath_.isEmpty()) {
        return true;
    }
    QSaveFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("Cannot write %1: %2").arg(filePath_, file.errorString());
        return false;
    }
    for (const QString& line : lines_) {
        file.write(line.toUtf8());
        file.write("\n");
    }
    if (!file.commit()) {
        error = QStringLiteral("Cannot write %1: %2").arg(filePath_, file.errorString());
        return false;
    }
    return true;
}

}  // namespace vel
