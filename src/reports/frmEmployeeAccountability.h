#pragma once
// frmEmployeeAccountability ("Print Associate Accountability/Recognition Reports"): per associate
// and activity the hours and performance of one week, fiscal month or quarter beside the
// associate's ramp-up period, printed, previewed or exported.
//
// Controls: TabStrip1 with the pages
// - "Report": optLength(2) "Weekly Associate Accountability Report", optLength(3) "Monthly
//   Associate Recognition Report", optLength(4) "Quarterly Associate Recognition Report"; the
//   frame fraCalendar "Period for Report:" with the date list Calendar (captioned "Week:",
//   "Month:" or "Quarter:");
// - "Options": per length chkPPA(2..4) "Only Include Activities that are included in PPA
//   Calculations" and NumberBox1(2..4) with the minimum measured hours;
// - "Ramp Up": NumberBox1(5) hours, NumberBox1(6) weeks, NumberBox1(7) clear weeks;
// - "Grouping and Sort": optGroup(0..2), optType(0..2), optSummary "Only Summary Lines";
// - "Export": txtFilename "&File Name:", cboType "&Type of Export:", txtSystemID "&System ID:";
// and SaveButtons1(0) "&Close", (1) "&Print", (2) "&View", (3) "&Export".
#include "reports/AccountabilityPeriod.h"
#include "reports/AccountabilitySettings.h"
#include "ui/Form.h"

#include <array>
#include <vector>

namespace vel {

class CheckBox;
class ComboBox;
class NumberBox;
class OptionButton;
class TextBox;
class VelmorSystem;
struct AccountabilityReport;

class frmEmployeeAccountability : public Form {
  public:
    frmEmployeeAccountability();

    // Shows the options window modally; each button runs its output. True when it was shown.
    bool PrintReport(quintptr hwndOwner, VelmorSystem& Velmor);

    // The date list of a length (BuildDateList over the system's recorded days).
    void BuildDateList(int length);

  private:
    enum class Output { Print, View, Export };

    void prepare();
    AccountabilitySettings readOptions() const;
    int selectedLength() const;
    void run(Output output);
    void exportReport(const AccountabilityReport& report, const AccountabilitySettings& settings);
    void printReport(const AccountabilityReport& report, bool toPrinter);

    VelmorSystem* system_ = nullptr;
    quintptr owner_ = 0;
    std::array<OptionButton*, 5> length_{};
    ComboBox* calendar_ = nullptr;
    std::vector<CalendarEntry> dates_;
    std::array<CheckBox*, 5> ppa_{};
    std::array<NumberBox*, 8> numbers_{};
    CheckBox* summary_ = nullptr;
    TextBox* fileName_ = nullptr;
    ComboBox* type_ = nullptr;
    TextBox* systemId_ = nullptr;
};

}  // namespace vel
