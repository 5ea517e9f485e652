#include "platform/print/TBPrint.h"

#include <exception>

namespace vel {

namespace {
QString describe(const std::exception& error) {
    return QString::fromUtf8(error.what());
}
}  // namespace

bool TBPrint::fail(const QString& message) {
    lastError_ = message;
    return false;
}

bool TBPrint::startJob() {
    lastError_.clear();
    if (printing_) {
        return fail(QStringLiteral("A print job is already running"));
    }
    try {
        printing_ = true;
        document_.clear();
        alignment_ = PrintAlignment::Left;
        outputMode_ = PrintOutputMode::Text;
        if (deviceInit_) {
            deviceInit_(*this);
        }
        document_.setSetup(setup_);
        document_.setTitle(title_);
        if (printInit_) {
            printInit_(*this);
        }
        if (document_.isEmpty()) {
            startPage();
        }
        return true;
    } catch (const std::exception& error) {
        printing_ = false;
        inHeader_ = false;
        return fail(QStringLiteral("Error starting the print job: ") + describe(error));
    }
}

bool TBPrint::endJob() {
    if (!printing_) {
        return fail(QStringLiteral("No print job is running"));
    }
    printing_ = false;
    return true;
}

bool TBPrint::ensureJob() {
    if (!printing_ && !startJob()) {
        return false;
    }
    if (document_.isEmpty()) {
        try {
            startPage();  // printing from PrintInit, before the first page
        } catch (const std::exception& error) {
            return fail(QStringLiteral("Error printing a page header: ") + describe(error));
        }
    }
    return true;
}

void TBPrint::startPage() {
    document_.addPage();
    y_ = 0;
    if (!printHeader_) {
        return;
    }
    // The header may change alignment and mode; the body continues as it was.
    const PrintAlignment bodyAlignment = alignment_;
    const PrintOutputMode bodyMode = outputMode_;
    inHeader_ = true;
    try {
        printHeader_(*this);
    } catch (...) {
        inHeader_ = false;
        throw;
    }
    inHeader_ = false;
    alignment_ = bodyAlignment;
    outputMode_ = bodyMode;
}

int TBPrint::remainingHeight() const {
    return document_.isEmpty() ? setup_.printableHeight()
                               : document_.setup().printableHeight() - y_;
}

bool TBPrint::fits(int height) const {
    return y_ + height <= document_.setup().printableHeight();
}

bool TBPrint::place(PrintElement element) {
    if (!ensureJob()) {
        return false;
    }
    try {
        if (!inHeader_ && document_.lastPage().hasBody && !fits(element.height)) {
            startPage();
        }
        element.top = y_;
        y_ += element.height;
        PrintPage& page = document_.lastPage();
        page.elements.push_back(std::move(element));
        page.hasBody = page.hasBody || !inHeader_;
        return true;
    } catch (const std::exception& error) {
        return fail(QStringLiteral("Error printing a page header: ") + describe(error));
    }
}

bool TBPrint::printLine(const QString& text, int style) {
    PrintElement line;
    line.kind = PrintElement::Kind::Text;
    line.text = text;
    line.style = style;
    line.alignment = alignment_;
    line.height = (printing_ ? document_.setup() : setup_).lineHeight();
    return place(std::move(line));
}

bool TBPrint::separator() {
    PrintElement line;
    line.kind = PrintElement::Kind::Separator;
    line.height = (printing_ ? document_.setup() : setup_).lineHeight();
    return place(std::move(line));
}

bool TBPrint::newPage() {
    if (!ensureJob()) {
        return false;
    }
    if (inHeader_ || !document_.lastPage().hasBody) {
        return true;
    }
    try {
        startPage();
        return true;
    } catch (const std::exception& error) {
        return fail(QStringLiteral("Error printing a page header: ") + describe(error));
    }
}

bool TBPrint::printTable() {
    if (!ensureJob()) {
        return false;
    }
    const std::vector<PrintTable::Column> columns = table_.layoutColumns();
    const int height = document_.setup().lineHeight();
    const auto row = [&](int number) {
        PrintElement element;
        element.kind = PrintElement::Kind::TableRow;
        element.cells = table_.rowTexts(number);
        element.columns = columns;
        element.text = PrintTable::textLine(element.cells, columns);
        element.style = number == 0 ? PrintBold : PrintPlain;
        element.height = height;
        return element;
    };
    bool placed = true;
    const bool headings = table_.hasHeadings();
    if (headings) {
        // Keep the headings with the first row.
        if (document_.lastPage().hasBody && !fits(2 * height)) {
            placed = newPage();
        }
        placed = placed && place(row(0));
    }
    // A row that does not fit starts a new page below its header, with the headings again.
    for (int number = 1; placed && number <= table_.rowCount(); ++number) {
        if (headings && document_.lastPage().hasBody && !fits(height)) {
            placed = newPage() && place(row(0));
        }
        placed = placed && place(row(number));
    }
    table_.clear();
    return placed;
}

bool TBPrint::printRow(const QStringList& cells, const std::vector<PrintTable::Column>& columns,
                       int style) {
    if (!ensureJob()) {
        return false;
    }
    PrintElement element;
    element.kind = PrintElement::Kind::TableRow;
    element.cells = cells;
    element.columns = columns;
    element.text = PrintTable::textLine(cells, columns);
    element.style = style;
    element.height = document_.setup().lineHeight();
    return place(element);
}

DrawingSurface* TBPrint::drawing(int height) {
    if (!ensureJob()) {
        return nullptr;
    }
    const PageSetup& setup = document_.setup();
    if (height <= 0) {
        height = outputMode_ == PrintOutputMode::Graphics ? remainingHeight() : setup.lineHeight();
        if (height < setup.lineHeight()) {
            if (!newPage()) {
                return nullptr;
            }
            height =
                outputMode_ == PrintOutputMode::Graphics ? remainingHeight() : setup.lineHeight();
        }
    }
    PrintElement block;
    block.kind = PrintElement::Kind::Drawing;
    block.height = height;
    block.drawing = std::make_shared<DrawingSurface>(setup, setup.printableWidth(), height);
    DrawingSurface* surface = block.drawing.get();
    return place(std::move(block)) ? surface : nullptr;
}

DrawingSurface* TBPrint::overlay() {
    if (document_.isEmpty() || document_.lastPage().elements.empty()) {
        return nullptr;
    }
    PrintElement& line = document_.lastPage().elements.back();
    if (!line.drawing) {
        const PageSetup& setup = document_.setup();
        line.drawing = std::make_shared<DrawingSurface>(setup, setup.printableWidth(), line.height);
    }
    return line.drawing.get();
}

bool TBPrint::sendTo(PrintOutput& output) {
    lastError_.clear();
    if (printing_) {
        endJob();
    }
    if (document_.isEmpty()) {
        return fail(QStringLiteral("There is nothing to print"));
    }
    QString error;
    if (!output.output(document_, error)) {
        return fail(error);
    }
    return true;
}

}  // namespace vel
