#include "host/ReferenceReportModule.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "host/ReportSeries.h"
#include "platform/print/TBPrint.h"
#include "platform/transfer/ExportOutputType.h"
#include "platform/transfer/ExportWriter.h"
#include "platform/transfer/TemporaryOutput.h"
#include "services/IniSettings.h"
#include "services/NumberFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace vel {

namespace {

const char* const rangeWords[] = {"Day",       "Week", "Fiscal Month", "Quarter",
                                  "Half Year", "Year", "Custom Range", "All Years"};

QString pointHeading(int dataLevel) {
    switch (dataLevel) {
        case 2:
            return QStringLiteral("Week Ending");
        case 3:
            return QStringLiteral("Period Ending");
        default:
            return QStringLiteral("Date");
    }
}

// Closes what it opened when it goes.
class OpenedTable {
  public:
    explicit OpenedTable(TableObject& table) : table_(table), opened_(!table.isOpen()) {
        ok_ = table.isOpen() || table.open();
        opened_ = opened_ && ok_;
    }
    ~OpenedTable() {
        if (opened_) {
            table_.close();
        }
    }
    bool ok() const { return ok_; }

  private:
    TableObject& table_;
    bool opened_;
    bool ok_ = false;
};

}  // namespace

ReferenceReportModule::ReferenceReportModule(VelmorSystem& system, QString dataFolder)
    : system_(system), dataFolder_(std::move(dataFolder)) {}

QString ReferenceReportModule::reportFolder() const {
    return QDir(dataFolder_).filePath(QStringLiteral("Reports")) + u'/';
}

QString ReferenceReportModule::reportSetCode() const {
    IniSettings settings(system_.settingsLocation());
    settings.selectSection(QStringLiteral("Reports"));
    const QString code = settings.readValue(QStringLiteral("ReportSet"), QString()).trimmed();
    return code.isEmpty() ? QStringLiteral("A") : code.left(1).toUpper();
}

QString ReferenceReportModule::templateTitle(const QString& path) const {
    const auto report = ReportTemplate::read(path);
    return report ? report->title : QString();
}

bool ReferenceReportModule::fail(const QString& message) {
    lastError_ = message;
    return false;
}

bool ReferenceReportModule::selectReport(const QString& path) {
    lastError_.clear();
    built_ = false;
    QString error;
    template_ = ReportTemplate::read(path, &error);
    if (!template_) {
        return fail(QStringLiteral("The report template cannot be read: ") + error);
    }
    templatePath_ = path;
    title_ = template_->title;
    return true;
}

bool ReferenceReportModule::build(const ReportSubject& subject, const QDate& currentDate,
                                  bool showElements) {
    lastError_.clear();
    if (!template_) {
        return fail(QStringLiteral("No report has been selected"));
    }
    subject_ = subject;
    showElements_ = showElements;
    subjectCode_.clear();
    if (subject.kind == ReportSubject::Kind::Activity) {
        OpenedTable table(system_.activities());
        subjectCode_ = table.ok() ? system_.activities().code(subject.number).trimmed() : QString();
    } else if (subject.number > 0) {
        OpenedTable table(system_.typesOfWork());
        subjectCode_ =
            table.ok() ? system_.typesOfWork().code(subject.number).trimmed() : QString();
    } else {
        subjectCode_ = QStringLiteral("NoTOW");
    }
    range_ = ReportRange{};
    range_.dateRangeType = template_->dateRangeType;
    range_.dataLevel = template_->dataLevel;
    const auto [first, last] =
        reportRangeDays(system_.recordedWork(), template_->dateRangeType, currentDate);
    range_.startDate = first;
    range_.lastDate = last;
    built_ = true;
    return true;
}

void ReferenceReportModule::setRange(const ReportRange& range) {
    ReportRange applied = range;
    if (applied.dataLevel < 1 || applied.dataLevel > 3) {
        applied.dataLevel = range_.dataLevel;
    }
    if (!applied.lastDate.isValid()) {
        applied.lastDate = range_.lastDate;
    }
    if (!applied.startDate.isValid() || applied.startDate > applied.lastDate) {
        applied.startDate =
            reportRangeDays(system_.recordedWork(), applied.dateRangeType, applied.lastDate).first;
    }
    range_ = applied;
}

QString ReferenceReportModule::rangeText() const {
    const int type = range_.dateRangeType;
    const QString word =
        type >= 1 && type <= 8 ? QLatin1String(rangeWords[type - 1]) : QStringLiteral("Range");
    return word + QStringLiteral(": ") + longDateText(range_.startDate) + QStringLiteral(" to ") +
           longDateText(range_.lastDate);
}

QString ReferenceReportModule::exportPath() const {
    const auto type = ExportOutputType::find(template_ ? template_->exportType : QString());
    const QString extension = type ? type->extension : QStringLiteral("csv");
    QString code = subjectCode_;
    code.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    return reportFolder() + QFileInfo(templatePath_).completeBaseName() + u'-' + code + u'.' +
           extension;
}

bool ReferenceReportModule::output(ReportOutput output, quintptr) {
    lastError_.clear();
    if (!built_) {
        return fail(QStringLiteral("The report has not been built"));
    }
    OpenedTable activities(system_.activities());
    if (!activities.ok()) {
        return fail(QStringLiteral("Cannot open the ") + system_.activities().name() +
                    QStringLiteral(" table."));
    }
    const ReportSeries series =
        computeReportSeries(system_, *template_, subject_, range_, showElements_);
    return output == ReportOutput::Export ? exportSeries(series) : print(series, output);
}

bool ReferenceReportModule::print(const ReportSeries& series, ReportOutput output) {
    TBPrint printer;
    printer.onDeviceInit([this, &series](TBPrint& p) {
        system_.standardDeviceSetup(p);
        if (series.columns.size() > 6) {
            p.setOrientation(PrintOrientation::Landscape);
        }
    });
    printer.onPrintHeader([this](TBPrint& p) {
        system_.standardPageHeader(p);
        p.setAlignment(PrintAlignment::Centre);
        p.printLine(title_, PrintBold);
        p.printLine(rangeText(), PrintEmphasised);
        p.setAlignment(PrintAlignment::Left);
        p.printLine(QString());
    });
    printer.startJob();
    PrintTable& table = printer.table();
    table.setColumn(1, pointHeading(range_.dataLevel), 12);
    for (size_t column = 0; column < series.columns.size(); ++column) {
        table.setColumn(int(column) + 2, series.columns[column].caption,
                        std::max(12, int(series.columns[column].caption.size())),
                        PrintAlignment::Right);
    }
    int row = 0;
    const auto addRow = [&](const QString& label, const ReportSeriesRow& values) {
        ++row;
        table.setCell(row, 1, label);
        const QStringList cells = series.cells(values);
        for (qsizetype column = 0; column < cells.size(); ++column) {
            table.setCell(row, int(column) + 2, cells[column]);
        }
    };
    for (const ReportSeriesRow& values : series.rows) {
        addRow(values.last.toString(QStringLiteral("yyyy/MM/dd")), values);
    }
    if (series.rows.empty()) {
        ++row;
        table.setCell(row, 1, QStringLiteral("No work was recorded in this range."));
    } else {
        addRow(QStringLiteral("Total"), series.total);
    }
    if (!printer.printTable() || !printer.endJob()) {
        return fail(printer.lastError());
    }
    PrintOutput* target = installedPrintOutput();
    if (!target) {
        return fail(QStringLiteral("There is no printer available for the report"));
    }
    QString error;
    const PrintDestination destination =
        output == ReportOutput::Print ? PrintDestination::Printer : PrintDestination::Preview;
    if (!target->outputTo(printer.document(), destination, error)) {
        return fail(error.isEmpty() ? QStringLiteral("The report could not be printed") : error);
    }
    return true;
}

bool ReferenceReportModule::exportSeries(const ReportSeries& series) {
    const QString path = exportPath();
    if (!QDir().mkpath(reportFolder())) {
        return fail(QStringLiteral("Cannot create the folder ") + reportFolder());
    }
    ExportWriter writer;
    ExportStatus status =
        writer.create(template_->exportType, path, QStringLiteral("Table1"), {.headerLine = true});
    if (status.ok()) {
        status = writer.addColumn(1, QStringLiteral("DATE"), ExportColumn::DateCode, 8);
    }
    for (size_t column = 0; status.ok() && column < series.columns.size(); ++column) {
        status = writer.addColumn(int(column) + 2, series.columns[column].caption,
                                  ExportColumn::NumberCode, 14, 2);
    }
    for (const ReportSeriesRow& row : series.rows) {
        if (!status.ok()) {
            break;
        }
        QVariantList values{row.last};
        for (size_t column = 0; column < series.columns.size(); ++column) {
            const double value = series.value(row, column);
            values << (series.columns[column].isPercentage() ? value * 100.0 : value);
        }
        status = writer.addRow(values);
    }
    if (status.ok()) {
        status = writer.close();
    }
    if (!status.ok()) {
        return fail(status.message());
    }
    system_.ShowMessage(QStringLiteral("The report has been exported to ") + path, 64,
                        system_.Program().title());
    return true;
}

bool ReferenceReportModule::writeDemoTemplates(const QString& dataFolder, QString* error) {
    const QString folder = QDir(dataFolder).filePath(QStringLiteral("Reports"));
    if (!QDir().mkpath(folder)) {
        if (error) {
            *error = QStringLiteral("Cannot create the folder ") + folder;
        }
        return false;
    }
    const auto columns = [](std::initializer_list<ReportFigure> figures) {
        std::vector<ReportColumn> list;
        for (ReportFigure figure : figures) {
            list.push_back({figure, 0, figureCaption(figure)});
        }
        return list;
    };
    // A writer killed between publishing its temporary copy and renaming it over the template
    // leaves "TBAA1.TPL.x7Qb2Z"; the report lists never show it, and it goes once it is stale.
    TemporaryOutput::removeStale(
        folder, QRegularExpression(QStringLiteral("TB[A-Za-z0-9]+\\.TPL\\.[A-Za-z0-9]{6}")));
    using F = ReportFigure;
    const std::vector<ReportTemplate> templates{
        {QStringLiteral("Daily Units and Hours"), 1, 2,
         columns({F::Units, F::TotalHours, F::MeasuredHours, F::EarnedHours, F::Performance}),
         QStringLiteral("CSV")},
        {QStringLiteral("Weekly Performance"), 2, 4,
         columns({F::MeasuredHours, F::EarnedHours, F::Performance, F::UnitsPerHour}),
         QStringLiteral("CSV")},
        {QStringLiteral("Weekly Labor Cost"), 2, 3,
         columns({F::TotalHours, F::Cost, F::Units, F::CostPerUnit}), QStringLiteral("CSV")},
        {QStringLiteral("Quality by Week"), 2, 4,
         columns({F::AuditedUnits, F::FailedUnits, F::Accuracy, F::FailureCost}),
         QStringLiteral("CSV")},
    };
    for (const QString letter : {QStringLiteral("A"), QStringLiteral("T")}) {
        for (size_t index = 0; index < templates.size(); ++index) {
            const QString path = folder + QStringLiteral("/TB") + letter + QStringLiteral("A") +
                                 QString::number(index + 1) + QStringLiteral(".TPL");
            QSaveFile file(path);
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(templates[index].text().toUtf8()) < 0 || !file.commit()) {
                if (error) {
                    *error = path + QStringLiteral(": ") + file.errorString();
                }
                return false;
            }
        }
    }
    return true;
}

}  // namespace vel
