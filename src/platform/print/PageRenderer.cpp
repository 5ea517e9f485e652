#include "platform/print/PageRenderer.h"

#include "platform/print/PrintDocument.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vel {

namespace {

Qt::Alignment horizontal(PrintAlignment alignment) {
    switch (alignment) {
        case PrintAlignment::Right:
            return Qt::AlignRight;
        case PrintAlignment::Centre:
            return Qt::AlignHCenter;
        case PrintAlignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

QPen painterPen(const DrawingSurface::Pen& pen) {
    QPen result(pen.colour, std::max(1, pen.width));
    result.setStyle(pen.style == DrawingSurface::PenStyle::Dash  ? Qt::DashLine
                    : pen.style == DrawingSurface::PenStyle::Dot ? Qt::DotLine
                                                                 : Qt::SolidLine);
    return result;
}

}  // namespace

bool PageRenderer::prepare(QPagedPaintDevice& device, QString& error) const {
    const PageSetup& setup = document_.setup();
    const QPageLayout layout(QPageSize(setup.pageSize),
                             setup.orientation == PrintOrientation::Landscape
                                 ? QPageLayout::Landscape
                                 : QPageLayout::Portrait,
                             QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    if (!device.setPageLayout(layout)) {
        error = QStringLiteral("The device does not take the page size and orientation");
        return false;
    }
    return true;
}

void PageRenderer::resetPainter(QPainter& painter) const {
    const PageSetup& setup = document_.setup();
    painter.resetTransform();
    const double scale = painter.device()->logicalDpiX() / double(PrintUnitsPerInch);
    painter.scale(scale, painter.device()->logicalDpiY() / double(PrintUnitsPerInch));
    painter.translate(setup.margin, setup.margin);
    painter.setPen(QPen(Qt::black));
    painter.setBrush(Qt::NoBrush);
    QFont font(setup.fontFamily);
    font.setPixelSize(int(std::lround(pointsToPrintUnits(setup.fontPoints))));
    font.setStyleStrategy(QFont::PreferNoShaping);  // no ligatures: the text copies as typed
    painter.setFont(font);
}

bool PageRenderer::paint(QPagedPaintDevice& device, QString& error, int firstPage,
                         int lastPage) const {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        error = QStringLiteral("Printing pages needs the graphical application");
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QStringLiteral("The print device could not be opened for painting");
        return false;
    }
    const int count = document_.pageCount();
    firstPage = std::clamp(firstPage, 1, std::max(1, count));
    lastPage = lastPage <= 0 ? count : std::min(lastPage, count);
    bool first = true;
    for (int number = firstPage; number <= lastPage; ++number) {
        const PrintPage& page = document_.pages()[size_t(number - 1)];
        if (!first && !device.newPage()) {
            error = QStringLiteral("The print device refused a new page");
            painter.end();
            return false;
        }
        first = false;
        resetPainter(painter);
        paintPage(painter, page);
    }
    painter.end();
    return true;
}

void PageRenderer::paintPage(QPainter& painter, const PrintPage& page) const {
    for (const PrintElement& element : page.elements) {
        paintElement(painter, element);
    }
}

void PageRenderer::paintElement(QPainter& painter, const PrintElement& element) const {
    const PageSetup& setup = document_.setup();
    const int width = setup.printableWidth();
    QFont font = painter.font();
    font.setBold(element.style & PrintBold);
    font.setItalic(element.style & PrintEmphasised);
    font.setUnderline(element.style & PrintUnderline);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black));
    switch (element.kind) {
        case PrintElement::Kind::Text:
            painter.drawText(QRect(0, element.top, width, element.height),
                             int(horizontal(element.alignment) | Qt::AlignVCenter), element.text);
            break;
        case PrintElement::Kind::Separator: {
            const int middle = element.top + element.height / 2;
            painter.setPen(QPen(Qt::black, PrintUnitsPerInch / 100));
            painter.drawLine(0, middle, width, middle);
            break;
        }
        case PrintElement::Kind::TableRow: {
            int left = 0;
            for (qsizetype col = 0; col < element.cells.size(); ++col) {
                const PrintTable::Column column = size_t(col) < element.columns.size()
                                                      ? element.columns[size_t(col)]
                                                      : PrintTable::Column{};
                const int cellWidth = column.width * setup.characterWidth();
                painter.drawText(QRect(left, element.top, cellWidth, element.height),
                                 int(horizontal(column.alignment) | Qt::AlignVCenter),
                                 element.cells[col]);
                left += cellWidth + 2 * setup.characterWidth();
            }
            break;
        }
        case PrintElement::Kind::Drawing:
            break;
    }
    // A drawing block, or the bars and lines drawn over a printed line.
    if (element.drawing) {
        paintDrawing(painter, element);
    }
}

void PageRenderer::paintDrawing(QPainter& painter, const PrintElement& element) const {
    painter.save();
    painter.translate(0, element.top);
    painter.setClipRect(QRect(0, 0, document_.setup().printableWidth(), element.height));
    for (const DrawingSurface::Shape& shape : element.drawing->shapes()) {
        painter.setPen(shape.outlined || shape.kind != DrawingSurface::Shape::Kind::Rectangle
                           ? painterPen(shape.pen)
                           : QPen(Qt::NoPen));
        painter.setBrush(shape.filled ? QBrush(shape.fill) : QBrush(Qt::NoBrush));
        if (shape.kind == DrawingSurface::Shape::Kind::Line) {
            painter.drawLine(shape.line);
        } else if (shape.kind == DrawingSurface::Shape::Kind::Rectangle) {
            painter.drawRect(shape.area);
        } else {
            painter.drawText(shape.area, int(Qt::AlignLeft | Qt::AlignVCenter), shape.text);
        }
    }
    painter.restore();
}

}  // namespace vel
