#pragma once
// A finished (or growing) print job: its page set-up and its pages, each a list of elements
// placed at a vertical position in the page coordinate system. The back ends (PDF, plain text,
// preview, printer) only read it.
#include "platform/print/DrawingSurface.h"
#include "platform/print/PageSetup.h"
#include "platform/print/PrintTable.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace vel {

struct PrintElement {
    enum class Kind { Text, Separator, TableRow, Drawing };

    Kind kind = Kind::Text;
    int top = 0;  // from the top of the printable area
    int height = 0;
    QString text;  // a line's text; a table row's text line
    int style = PrintPlain;
    PrintAlignment alignment = PrintAlignment::Left;
    QStringList cells;                        // a table row's cells
    std::vector<PrintTable::Column> columns;  // and its layout
    std::shared_ptr<DrawingSurface> drawing;
};

struct PrintPage {
    std::vector<PrintElement> elements;
    bool hasBody = false;  // anything placed after the page header
};

class PrintDocument {
  public:
    explicit PrintDocument(const PageSetup& setup = {}) : setup_(setup) {}

    const PageSetup& setup() const { return setup_; }
    void setSetup(const PageSetup& setup) { setup_ = setup; }
    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    const std::vector<PrintPage>& pages() const { return pages_; }
    int pageCount() const { return int(pages_.size()); }
    bool isEmpty() const { return pages_.empty(); }

    PrintPage& addPage();
    PrintPage& lastPage() { return pages_.back(); }
    void clear() { pages_.clear(); }

    // The plain-text rendering: one line per printed line (table rows as columns two blanks
    // apart, a separator as a row of "-"), drawings left out, and a form-feed line between
    // pages.
    QStringList textLines() const;

  private:
    PageSetup setup_;
    QString title_;
    std::vector<PrintPage> pages_;
};

}  // namespace vel
