#pragma once
// The print-outs of an unattended run, each written to a PDF file: to the file named for the
// run (a second print-out of the same run goes beside it as "NAME-2.pdf", a third "NAME-3.pdf",
// ...), or, without a name, into the folder under the print-out's title ("Associate Performance
// Analysis - Last 13 Weeks.pdf", characters a file name cannot hold replaced by "-"). An
// existing file of that name is replaced.
#include "platform/print/PrintOutput.h"

#include <QStringList>
#include <functional>

namespace vel {

class PdfFileOutput : public PrintOutput {
  public:
    PdfFileOutput(const QString& filePath, const QString& folder)
        : filePath_(filePath), folder_(folder) {}

    bool output(const PrintDocument& document, QString& error) override;
    // The files written so far, in order.
    const QStringList& written() const { return written_; }
    // Told the path of each file once it is written.
    void onWritten(std::function<void(const QString& path)> handler) {
        onWritten_ = std::move(handler);
    }
    // The file the next print-out with the title goes to.
    QString nextPath(const QString& title) const;

  private:
    QString filePath_;
    QString folder_;
    QStringList written_;
    std::function<void(const QString&)> onWritten_;
};

}  // namespace vel
