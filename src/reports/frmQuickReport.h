#pragma once
// frmQuickReport ("Quick Report"): one activity or one type of work, and one or more of the
// system's report templates run for it to the preview ("&View"), the printer ("&Print") or a
// file ("&Export"). The report module of the system builds the reports.
//
// Controls: lblActivity with the subject list lvActivity, lblReport with the template list
// lstBox ("Title", "Number"; several may be ticked), chkElements "Show all Element's units on
// report", Command1(0) "&Export", Command1(1) "&View", Command1(2) "&Print", and cmdClose
// "&Close".
//
// RepType 1 is the activity mode (template letter "A"); any other value the type-of-work mode
// (letter "T"), whose list starts with the row "(No Type of Work)".
#include "data/ReportModule.h"
#include "ui/Form.h"

#include <QDate>
#include <vector>

namespace vel {

class CheckBox;
class Label;
class ListView;
class Masterfile;
class VelmorSystem;

class frmQuickReport : public Form {
  public:
    frmQuickReport();

    // Shows the window modally; CurrentDate comes back as the last day of the last report
    // built. True when the window was shown.
    bool PrintReport(quintptr hwndOwner, VelmorSystem& Velmor, Masterfile& masterfile,
                     short RepType, QDate& CurrentDate);
    // The pre-fill applied to every report built; the arrays are 1-based as the host passes
    // them.
    void SetPrefillData(short DateRangeType, short DataLevel, const QDate& StartDate,
                        const QDate& LastDate, short NumSequences,
                        const std::vector<short>& SeqType, const std::vector<short>& SeqNum);

    // The report number of a template file: the numeric value of its name from the fifth
    // character on (0 when none).
    static int templateNumber(const QString& fileName);
    // "Individual", "Team", "Reflective", "Past Average" or "UnMeasured".
    static QString earnedHoursMethod(int method);

    // The small list operations: a column (caption, right-aligned or not), a row, a cell.
    void AddColumn(ListView& list, const QString& caption, bool rightAligned = false);
    int AddItem(ListView& list, const QString& text, long long tag);
    void SetSubItem(ListView& list, int row, int column, const QString& text);

  private:
    struct Template {
        QString path;
        QString title;
        int number = 0;
    };
    enum class Mode { Activity, TypeOfWork };

    void fillSubjects();
    void fillTemplates();
    void run(ReportOutput output);
    bool runTemplate(const Template& report, const ReportSubject& subject,
                     const QString& subjectName, ReportOutput output);

    VelmorSystem* system_ = nullptr;
    ReportModule* module_ = nullptr;
    quintptr owner_ = 0;
    Mode mode_ = Mode::Activity;
    QDate currentDate_;
    Label* subjectLabel_ = nullptr;
    Label* reportLabel_ = nullptr;
    ListView* subjects_ = nullptr;
    ListView* templates_ = nullptr;
    CheckBox* elements_ = nullptr;
    std::vector<Template> templateFiles_;
    std::vector<int> subjectNumbers_;  // by row: the record number (0: no type of work)
    std::vector<bool> tracksQuality_;  // by row
    std::vector<int> activityCounts_;  // by row, type-of-work mode
    bool prefilled_ = false;
    ReportRange prefill_;
};

}  // namespace vel
