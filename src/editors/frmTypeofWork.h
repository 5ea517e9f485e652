#pragma once
// frmTypeofWork: the type-of-work editor. Its list shows every type of work by code,
// description, kiosk entry, number and sequence (and "Track Quality" when the system tracks
// quality); its record window (this form) edits one type of work on six pages:
//   General             Text1(0) "&Code:", Text1(1) "&Description:", chkShowUnits, chkQuality,
//                       nbFailHours, nbFailCost
//   Mistakes            lsMistake (at most 30), the frame fraMistake ("Mistake: " + the mistake
//                       last ticked, or "(none)") with the category frames fraCategory(0..2)
//                       "Catches:", "Checks:", "Audits:", each with chkMistake(n), nbHours(n),
//                       nbCost(n)
//   Datafields          lblDatafields and the grid grdDatafields ("Type of Data", "Datafield
//                       Description", "Datafield #")
//   Valid Work Centers  lsWorkCenter
//   Languages           txtLanguage(1..4), those the system keeps
//   Kiosk               chkTouch, Command1 (button colour)
// with btnMove(0) / btnMove(1) and SaveButtons1. Any change enables OK and disables the moves.
//
// The mistake categories (enabled, hours and cost per unit) belong to the type of work: every
// valid mistake can be recorded in each enabled category. The data fields that posted quality
// data updates (data/QualityDataFields.h) are taken from the pool when the list is closed with
// save; until then the grid says "Not Defined until Table Closed". A type of work that stops
// tracking quality, or is deleted, hands its fields over to the users with their figures.
//
// The valid work centers are kept by the work centers (WorkCenterRecord::TOWValid); the editor
// changes those flags and saves the work-center table with its own.
#include "data/TableObject.h"
#include "data/records/TypeOfWorkRecord.h"
#include "editors/MasterTableEditor.h"
#include "ui/Form.h"

#include <QSet>
#include <array>

namespace vel {

class Button;
class CheckBox;
class Frame;
class Grid;
class ListSelect;
class NumberBox;
class TabStrip;
struct QualityFieldRow;
struct WorkCenterRecord;

class frmTypeofWork : public Form, public MasterTableEditor {
  public:
    frmTypeofWork();

    bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) override;

    // The text of the grid's "Datafield #" for a field not taken from the pool yet.
    static const QString notDefined;

  protected:
    void EditForm_AddRec() override;
    void EditForm_CopyRec() override;
    void EditForm_EditRec(int number) override;
    void EditForm_DeleteRec(int number) override;
    void EditForm_EditSave(bool& success) override;
    void EditForm_EditCancel(bool& close) override;
    void EditForm_ActionButton(int index) override;
    void EditForm_PrintRec(TBPrint& printer, int number) override;

    QStringList lineTexts(int number) const override;
    std::vector<PrintColumn> printColumns() const override;
    QStringList printCells(int number) const override;

  private:
    // frmTypeofWork.cpp: pages, Edit and the list's events.
    void declareGeneralPage(Container& page);
    void declareMistakesPage(Container& page);
    void declareOtherPages();
    Table<TypeOfWorkRecord>& types() const;
    bool openRelatedTables();
    void closeRelatedTables();
    void offerConversion();
    void fixupCategories();
    void recordLoop(int number, const QString& caption, const TypeOfWorkRecord& start, bool adding);
    QString mistakeName(int number) const;

    // TypeOfWorkWindow.cpp: the record window.
    void loadWindow(const TypeOfWorkRecord& type, int number);
    TypeOfWorkRecord windowRecord(TypeOfWorkRecord type) const;
    void mistakesChanged();
    void showMistakeFrame();
    void refreshDatafields();
    void chooseButtonColor();
    void writeValidWorkCenters(int number);

    // TypeOfWorkVerification.cpp: the checks of OK, and the data fields at the list's save.
    bool refusedByRules(int number, const TypeOfWorkRecord& before);
    bool refusedQualityOff(int number, const TypeOfWorkRecord& before);
    bool refusedMistakeWithoutCategory();
    bool refusedByCorporateFile();
    bool refusedForDatafields(int number);
    int missingFieldCount(const TypeOfWorkRecord& type) const;
    int fieldNumber(const QString& description) const;
    bool takeDatafields();

    TabStrip* tabs_;
    TextBox* code_;
    TextBox* description_;
    CheckBox* showUnits_;
    CheckBox* quality_;
    NumberBox* failHours_;
    NumberBox* failCost_;
    ListSelect* mistakes_;
    Frame* mistakeFrame_;
    std::array<CheckBox*, TypeOfWorkRecord::Categories> categoryEnabled_{};
    std::array<NumberBox*, TypeOfWorkRecord::Categories> categoryHours_{};
    std::array<NumberBox*, TypeOfWorkRecord::Categories> categoryCost_{};
    Grid* datafields_;
    ListSelect* workCenters_;
    std::array<TextBox*, TypeOfWorkRecord::Languages> languages_{};
    CheckBox* touch_;
    Button* colorButton_;
    int buttonColor_ = 0;

    int editing_ = 0;                // the record number in the window
    TypeOfWorkRecord base_;          // the record the window was filled from
    std::vector<long long> ticked_;  // lsMistake's ticked mistakes before the last change
    int shownMistake_ = 0;           // the mistake fraMistake names
    QSet<int> holdingData_;          // records that took a deleted type of work's data
    QStringList releasedHolders_;    // fields to hand over to the users at the save
    QSet<int> edited_;               // records written in this session
    int fixupButton_ = 0;
    bool openedWorkCenters_ = false;
    bool openedMistakes_ = false;
    bool openedFields_ = false;
    bool openedCorporate_ = false;
};

}  // namespace vel
