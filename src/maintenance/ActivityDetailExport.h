#pragma once
// The activity-detail export: the period from the report dialog, the file and type from the
// export options, then the system writes one row per production-sheet line of the period
// (WriteActivityDetailData, which also runs on its own, without windows).
//
// Settings, section "ExportActivityDetail-" + system number: Filename (the data folder and
// "ActDetail.csv"), Type ("CSV") and NonZero (whether lines without figures are left out; the
// unattended write follows the last choice made in the window).
#include <QDate>
#include <QString>

namespace vel {

class Masterfile;
class VelmorSystem;
class dlgExport;
class dlgRepPrint;

class ActivityDetailExport {
  public:
    static constexpr int HelpContext = 11000;

    ActivityDetailExport(VelmorSystem& system, Masterfile& masterfile)
        : system_(system), masterfile_(masterfile) {}

    // Asks for the period (starting from the current date) and the file, stores the choices
    // and writes the file. True when it was written.
    bool ExportActivityDetail(quintptr owner, const QDate& currentDate, dlgRepPrint& period,
                              dlgExport& options);
    // Writes the file of the range without windows; the type by its extension (transExt), else
    // the file's extension, else the stored type. True when it was written.
    bool WriteActivityDetailData(const QString& fileName, const QString& transExt,
                                 const QDate& startDate, const QDate& endDate);

  private:
    QString settingsSection() const;
    // Writes the file; the number of rows written. Throws when it cannot.
    qint64 write(const QString& fileName, const QString& outputType, const QDate& startDate,
                 const QDate& endDate, bool nonZeroOnly);

    VelmorSystem& system_;
    Masterfile& masterfile_;
};

}  // namespace vel
