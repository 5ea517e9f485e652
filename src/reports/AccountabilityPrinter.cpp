#include "reports/AccountabilityPrinter.h"

#include "data/VelmorSystem.h"
#include "platform/print/TBPrint.h"

namespace vel {

namespace {

struct ColumnShape {
    const char* top;     // first heading line
    const char* bottom;  // second heading line
    int width;
    PrintAlignment alignment;
};

constexpr PrintAlignment left = PrintAlignment::Left;
constexpr PrintAlignment right = PrintAlignment::Right;

// The fifteen columns; headings split over two lines so that the figures stay narrow. A column
// is as wide as its longer heading word in the bold heading font.
const ColumnShape shapes[] = {
    {"", "Associate Name", 19, left},
    {"", "Code", 7, left},
    {"Home", "WorkCenter", 11, left},
    {"Primary", "Grouping", 11, left},
    {"", "Activity Name", 18, left},
    {"Activity", "Code", 8, left},
    {"", "PPA", 4, left},
    {"", "Audited", 7, left},
    {"Quality", "%", 7, right},
    {"Ramped", "Up", 8, left},
    {"", "Units", 10, right},
    {"Earned", "Hours", 9, right},
    {"Measured", "Hours", 9, right},
    {"Accountable", "Performance", 12, right},
    {"Total", "Performance", 12, right},
};
constexpr int columnCount = int(std::size(shapes));

// The report's figures in columns 11 to 15 (units, hours, performances).
void setFigures(QStringList& cells, const AccountabilitySums& sums) {
    cells[10] = amountText(sums.period.units);
    cells[11] = amountText(sums.period.earnedHours);
    cells[12] = amountText(sums.period.measuredHours);
    cells[13] = percentText(sums.accountablePerformance());
    cells[14] = percentText(sums.totalPerformance());
}

QStringList emptyCells() {
    QStringList cells;
    for (int col = 0; col < columnCount; ++col) {
        cells << QString();
    }
    return cells;
}

QStringList lineCells(const AccountabilityLine& line) {
    QStringList cells = emptyCells();
    cells[4] = line.activityName;
    cells[5] = line.activityCode;
    cells[6] = yesNo(line.inPPA);
    cells[7] = yesNo(line.sums.period.auditedUnits > 0);
    cells[8] = line.sums.period.auditedUnits > 0 ? percentText(line.sums.quality(), 2) : QString();
    cells[9] = yesNo(line.rampedUp);
    setFigures(cells, line.sums);
    return cells;
}

QStringList totalLine(const QString& label, const AccountabilitySums& sums, int column) {
    QStringList cells = emptyCells();
    cells[column] = label;
    setFigures(cells, sums);
    return cells;
}

// Texts longer than their column are cut, so that no column runs into the next.
QStringList fitted(QStringList cells, const std::vector<PrintTable::Column>& columns) {
    for (int col = 0; col < cells.size() && size_t(col) < columns.size(); ++col) {
        cells[col] = cells[col].left(columns[size_t(col)].width);
    }
    return cells;
}

}  // namespace

AccountabilityPrinter::AccountabilityPrinter(VelmorSystem& system,
                                             const AccountabilityReport& report, bool summaryOnly)
    : system_(system), report_(report), summaryOnly_(summaryOnly) {
    for (const ColumnShape& shape : shapes) {
        columns_.push_back({QString(), shape.width, shape.alignment});
    }
}

QStringList AccountabilityPrinter::columnHeadings() {
    QStringList headings;
    for (const ColumnShape& shape : shapes) {
        const QString top = QString::fromLatin1(shape.top);
        const QString bottom = QString::fromLatin1(shape.bottom);
        headings << (top.isEmpty() ? bottom : top + u' ' + bottom);
    }
    return headings;
}

QStringList AccountabilityPrinter::totalCells(const AccountabilityAssociate& associate) {
    QStringList cells = totalLine(QStringLiteral("Total"), associate.total, 4);
    cells[0] = associate.name;
    cells[1] = associate.code;
    cells[2] = associate.homeWorkCenter;
    cells[3] = associate.grouping;
    if (associate.belowMinimum) {
        cells[13] = QStringLiteral("0.00");
    }
    return cells;
}

void AccountabilityPrinter::Printer_DeviceInit(TBPrint& printer) {
    system_.standardDeviceSetup(printer);
    printer.setOrientation(PrintOrientation::Landscape);
    printer.pageSetup().fontPoints = 6.5;
}

void AccountabilityPrinter::Printer_PrintInit(TBPrint& printer) {
    printer.setAlignment(PrintAlignment::Left);
}

void AccountabilityPrinter::Printer_PrintHeader(TBPrint& printer) {
    system_.standardPageHeader(printer);
    printer.setAlignment(PrintAlignment::Centre);
    printer.printLine(report_.period.dateLine(), PrintBold);
    printer.printLine(report_.period.rampUpLine());
    printer.printLine(groupHeading_);
    printer.printLine(report_.sortLine());
    printer.setAlignment(PrintAlignment::Left);
    printer.printLine(QString());
    QStringList top;
    QStringList bottom;
    for (const ColumnShape& shape : shapes) {
        top << QString::fromLatin1(shape.top);
        bottom << QString::fromLatin1(shape.bottom);
    }
    printer.printRow(top, columns_, PrintBold);
    printer.printRow(bottom, columns_, PrintBold);
    printer.separator();
}

bool AccountabilityPrinter::print(TBPrint& printer) {
    printer.onDeviceInit([this](TBPrint& p) { Printer_DeviceInit(p); });
    printer.onPrintInit([this](TBPrint& p) { Printer_PrintInit(p); });
    printer.onPrintHeader([this](TBPrint& p) { Printer_PrintHeader(p); });
    groupHeading_ = report_.groups.empty() ? groupHeading(report_.grouping, QString())
                                           : report_.groups.front().heading;
    if (report_.grouping == ReportGrouping::None) {
        groupHeading_ = groupHeading(ReportGrouping::None, QString());
    }
    bool printed = printer.startJob();
    bool firstGroup = true;
    for (const AccountabilityGroup& group : report_.groups) {
        if (!firstGroup) {
            groupHeading_ = group.heading;
            printed = printed && printer.newPage();
        }
        firstGroup = false;
        printed = printed && printGroup(printer, group);
    }
    printed =
        printed && printer.separator() &&
        printer.printRow(fitted(totalLine(QStringLiteral("TOTAL"), report_.total, 0), columns_),
                         columns_, PrintBold);
    return printed && printer.endJob();
}

bool AccountabilityPrinter::printGroup(TBPrint& printer, const AccountabilityGroup& group) {
    bool printed = true;
    for (const AccountabilityAssociate& associate : group.associates) {
        if (!summaryOnly_) {
            bool first = true;
            for (const AccountabilityLine& line : associate.lines) {
                QStringList cells = lineCells(line);
                if (first) {
                    cells[0] = associate.name;
                    cells[1] = associate.code;
                    cells[2] = associate.homeWorkCenter;
                    cells[3] = associate.grouping;
                }
                first = false;
                printed = printed && printer.printRow(fitted(cells, columns_), columns_);
            }
        }
        QStringList total = totalCells(associate);
        if (!summaryOnly_) {
            // The associate's columns are on its first line already.
            for (int col = 0; col < 4; ++col) {
                total[col].clear();
            }
        }
        printed = printed && printer.printRow(fitted(total, columns_), columns_,
                                              summaryOnly_ ? PrintPlain : PrintBold);
        if (!summaryOnly_) {
            printed = printed && printer.printLine(QString());
        }
    }
    if (report_.grouping != ReportGrouping::None) {
        printed = printed && printer.separator() &&
                  printer.printRow(
                      fitted(totalLine(QStringLiteral("Total of All"), group.total, 0), columns_),
                      columns_, PrintBold);
    }
    return printed;
}

}  // namespace vel
