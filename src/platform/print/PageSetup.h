#pragma once
// Page size, orientation, margins and the body font of a print job, and the measures the
// pagination derives from them (all in page units, see PrintTypes.h).
#include "platform/print/PrintTypes.h"

#include <QPageSize>
#include <QString>

namespace vel {

struct PageSetup {
    QPageSize::PageSizeId pageSize = QPageSize::Letter;
    PrintOrientation orientation = PrintOrientation::Portrait;
    int margin = PrintUnitsPerInch / 2;  // on every side
    QString fontFamily = QStringLiteral("DejaVu Sans");
    double fontPoints = 10;
    // A character-stream device (a plain-text printer) has no pens: pen widths are 0 on it.
    bool characterStream = false;

    // The whole sheet, turned by the orientation.
    int pageWidth() const;
    int pageHeight() const;
    // The area inside the margins, where the page coordinate system lives.
    int printableWidth() const;
    int printableHeight() const;
    // Height of one printed line of the body font (1.2 times its size).
    int lineHeight() const;
    // Average width of one character of the body font, the unit of table column widths.
    int characterWidth() const;
    // How many average characters fit across the printable area.
    int charactersPerLine() const;
};

}  // namespace vel
