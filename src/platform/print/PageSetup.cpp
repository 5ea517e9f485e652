#include "platform/print/PageSetup.h"

#include <QSizeF>
#include <algorithm>
#include <cmath>

namespace vel {

namespace {
QSizeF portraitInches(QPageSize::PageSizeId id) {
    return QPageSize(id).size(QPageSize::Inch);
}
}  // namespace

int PageSetup::pageWidth() const {
    const QSizeF inches = portraitInches(pageSize);
    const double width =
        orientation == PrintOrientation::Landscape ? inches.height() : inches.width();
    return int(std::lround(width * PrintUnitsPerInch));
}

int PageSetup::pageHeight() const {
    const QSizeF inches = portraitInches(pageSize);
    const double height =
        orientation == PrintOrientation::Landscape ? inches.width() : inches.height();
    return int(std::lround(height * PrintUnitsPerInch));
}

int PageSetup::printableWidth() const {
    return std::max(1, pageWidth() - 2 * margin);
}

int PageSetup::printableHeight() const {
    return std::max(1, pageHeight() - 2 * margin);
}

int PageSetup::lineHeight() const {
    return std::max(1, int(std::lround(pointsToPrintUnits(fontPoints) * 1.2)));
}

int PageSetup::characterWidth() const {
    return std::max(1, int(std::lround(pointsToPrintUnits(fontPoints) * 0.6)));
}

int PageSetup::charactersPerLine() const {
    return std::max(1, printableWidth() / characterWidth());
}

}  // namespace vel
