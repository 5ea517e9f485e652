// The report module's template files: their text format, read back, and refused with a reason.
#include "host/ReportTemplate.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

TEST(ReportTemplate, ReadsItsKeysInAnyCaseWithCommentsAndWritesTheSameTemplateBack) {
    const auto report =
        ReportTemplate::parse(QStringLiteral("; weekly figures\n"
                                             "title = Weekly Performance\n"
                                             "DATALEVEL=week   ; one point a week\n"
                                             "DateRange=Quarter\n"
                                             "Column=MeasuredHours\n"
                                             "Column=performance|Perf.\n"
                                             "Column=Field 12|Cartons\n"
                                             "Export=xlsx\n"));
    ASSERT_TRUE(report);
    EXPECT_EQ(report->title, "Weekly Performance");
    EXPECT_EQ(report->dataLevel, 2);
    EXPECT_EQ(report->dateRangeType, 4);
    ASSERT_EQ(report->columns.size(), 3u);
    EXPECT_EQ(report->columns[0].caption, "Measured Hours");
    EXPECT_EQ(report->columns[1].figure, ReportFigure::Performance);
    EXPECT_EQ(report->columns[1].caption, "Perf.");
    EXPECT_FALSE(report->columns[2].figure);
    EXPECT_EQ(report->columns[2].dataField, 12);
    EXPECT_EQ(report->exportType, "XLSX");
    EXPECT_EQ(ReportTemplate::parse(report->text()), report);

    // Defaults: days over a week, exported as CSV; range types also by number.
    const auto plain = ReportTemplate::parse(QStringLiteral("Title=T\nDateRange=8\nColumn=Units"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->dataLevel, 1);
    EXPECT_EQ(plain->dateRangeType, 8);
    EXPECT_EQ(plain->exportType, "CSV");
}

TEST(ReportTemplate, RefusesWhatItCannotReadNamingTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"Title=T\nColumn=Speed\n", "line 2: unknown column Speed"},
        {"Title=T\nColumn=Units\nColour=red\n", "line 3: unknown key Colour"},
        {"Title=T\nDataLevel=Month\nColumn=Units\n", "line 2: unknown data level Month"},
        {"Title=T\nDateRange=9\nColumn=Units\n", "line 2: unknown date range 9"},
        {"Title=T\nColumn=Field 0\n", "line 2: unknown column Field 0"},
        {"Title=T\nColumn=Units\nExport=PDF\n", "line 3: unknown export type PDF"},
        {"Column=Units\n", "line 2: the template has no title"},
        {"Title=T\n", "line 2: the template has no column"},
        {"Title T\n", "line 1: \"Key=Value\" expected"},
    };
    for (const auto& [text, reason] : cases) {
        QString error;
        EXPECT_FALSE(ReportTemplate::parse(QLatin1String(text), &error)) << text;
        EXPECT_EQ(error, QLatin1String(reason)) << text;
    }
    QString error;
    EXPECT_FALSE(ReportTemplate::read(QStringLiteral("/nonexistent/TBAA1.TPL"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("/nonexistent/TBAA1.TPL: ")))
        << error.toStdString();
}

TEST(ReportTemplate, ColumnValuesFromSummedWork) {
    WorkFigures work;
    work.totalHours = 10;
    work.measuredHours = 8;
    work.earnedHours = 6;
    work.units = 400;
    work.cost = 200;
    work.accuracyBaseUnits = 100;
    work.checkFailedUnits = 1;
    work.auditFailedUnits = 3;
    work.catchFailedUnits = 5;
    const auto value = [&](ReportFigure figure) {
        return ReportColumn{figure, 0, QString()}.value(work, 0);
    };
    EXPECT_DOUBLE_EQ(value(ReportFigure::Performance), 0.75);
    EXPECT_DOUBLE_EQ(value(ReportFigure::UnitsPerHour), 40.0);
    EXPECT_DOUBLE_EQ(value(ReportFigure::CostPerUnit), 0.5);
    EXPECT_DOUBLE_EQ(value(ReportFigure::FailedUnits), 9.0);
    EXPECT_DOUBLE_EQ(value(ReportFigure::Accuracy), 0.96);
    const ReportColumn field{std::nullopt, 4, QString()};
    EXPECT_DOUBLE_EQ(field.value(work, 12.5), 12.5);
    const ReportColumn performance{ReportFigure::Performance, 0, QString()};
    EXPECT_DOUBLE_EQ(performance.value(WorkFigures(), 0), 0.0);
}

}  // namespace
}  // namespace vel
