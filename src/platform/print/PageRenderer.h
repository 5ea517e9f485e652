#pragma once
// Paints a print document onto a paged device (a PDF writer, a printer, the preview's printer):
// page layout from the document's set-up, page coordinates scaled to the device, pen and font
// set afresh on every page because the painter keeps its state across pages.
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace vel {

class PrintDocument;
struct PrintElement;
struct PrintPage;

class PageRenderer {
  public:
    explicit PageRenderer(const PrintDocument& document) : document_(document) {}

    // Sets the device's page layout to the document's (call before painting starts).
    bool prepare(QPagedPaintDevice& device, QString& error) const;
    // Paints the pages from firstPage to lastPage (from 1; 0 for the last page of the
    // document); false with a message when the device cannot be painted on.
    bool paint(QPagedPaintDevice& device, QString& error, int firstPage = 1,
               int lastPage = 0) const;

  private:
    void paintPage(QPainter& painter, const PrintPage& page) const;
    void paintElement(QPainter& painter, const PrintElement& element) const;
    void paintDrawing(QPainter& painter, const PrintElement& element) const;
    void resetPainter(QPainter& painter) const;

    const PrintDocument& document_;
};

}  // namespace vel
