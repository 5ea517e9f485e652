#pragma once
// frmWorkCenter: the work-center editor. Its list shows every work center by code, description,
// shift, times, kiosk entry, number and sequence; its record window (this form, caption
// "Work Center") edits one work center.
//
// Controls: TabStrip1 with the pages "General" (Text1(0) "&Code:", Text1(1) "&Description:",
// Text2(0) "&Supervisor:", Text2(1) "&Authorization Password:", nbShift "&Shift:", the frame
// "Bar Chart of Performances" with NumberBox1(0) and NumberBox1(1)), "Data Collection"
// (TimeBox1(0) start, TimeBox1(1) stop and the explanation lblStartStop), "Valid Types of Work"
// (lsTypeWork) and "Kiosk" (chkTouch and the colour button Command1); btnMove(0) / btnMove(1)
// and SaveButtons1. Any change to the record enables OK and disables the moves.
//
// The time boxes always hold a time: a record stored without times opens at 8:00 and 16:00,
// the times of a new work center. The explanation follows the data-collection day rule
// (data/DataCollectionDay.h), the same rule the table export writes.
#include "data/TableObject.h"
#include "data/records/WorkCenterRecord.h"
#include "editors/MasterTableEditor.h"
#include "ui/Form.h"

#include <array>

namespace vel {

class Button;
class CheckBox;
class Label;
class ListSelect;
class NumberBox;
class TabStrip;
class TimeBox;

class frmWorkCenter : public Form, public MasterTableEditor {
  public:
    frmWorkCenter();

    bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) override;

  protected:
    void EditForm_ShowTotals(QString& text) override;
    void EditForm_AddRec() override;
    void EditForm_CopyRec() override;
    void EditForm_EditRec(int number) override;
    void EditForm_DeleteRec(int number) override;
    void EditForm_EditCancel(bool& close) override;

    QStringList lineTexts(int number) const override;
    std::vector<PrintColumn> printColumns() const override;
    QStringList printCells(int number) const override;

  private:
    void declareGeneralPage(Container& page);
    void declareDataCollectionPage(Container& page);
    void declareKioskPage(Container& page);
    Table<WorkCenterRecord>& workCenters() const;
    void fillTypesOfWork();
    void loadWindow(const WorkCenterRecord& center);
    WorkCenterRecord windowRecord(WorkCenterRecord center) const;
    void showStartStop();
    void chooseButtonColor();
    // Shows the window until OK passes the checks (true) or Cancel (false).
    bool recordAccepted(int number, const QString& caption);
    bool refusedByRules(int number);
    bool refusedTimes();
    void addRecord(const WorkCenterRecord& start);
    void writeRecord(int number, const WorkCenterRecord& before, bool adding);
    int nextSequence() const;

    TabStrip* tabs_;
    TextBox* code_;
    TextBox* description_;
    TextBox* supervisor_;
    TextBox* password_;
    NumberBox* shift_;
    std::array<NumberBox*, 2> indicators_{};
    std::array<TimeBox*, 2> times_{};
    Label* startStop_;
    ListSelect* typesOfWork_;
    CheckBox* touch_;
    Button* colorButton_;
    int buttonColor_ = 0;
};

}  // namespace vel
