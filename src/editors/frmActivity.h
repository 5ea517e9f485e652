#pragma once
// frmActivity: the activity editor. Its list shows every activity with its earned-hours method,
// type of work and kiosk switch (and, with their features, incentive scale, PPA and XYZ); its
// record window (this form) edits one activity on nine tabs:
//
//   General            Text1(0) code, Text1(1) description, cboList type of work, chkGetDoc,
//                      txtDocument, chkDocFlags(0) multiple documents, chkDocFlags(1) look-up
//                      with cboMustFind, cboReuse, optAllocation(0..2), chkFlags(0) total of all
//                      activities, chkFlags(4) type-of-work totals, chkFlags(5) quality,
//                      chkSystemTrack
//   Calculations       optEhrs(0..6), cboReflective, cboReflectiveTOW, chkFlags(1) prorate,
//                      chkFlags(3) historical, dbHistDate, lblHistElement
//   Elements           optTime(0..1), lsElement, the element frame fraElement (cboElement picks
//                      which selected element it shows; nbElmTime, nbElmLimit(0..1), chkUseUnits,
//                      chkOverride, chkOccur, chkHistorical, chkExceed, chkUseStdElement,
//                      lblStdElement), grdElements and btnClose to switch between them
//   Valid Allocations  chkFlags(2) same standards for all, lsAllocations, grdAllocations
//   Datafields         grdFields
//   Incentive and PPA  chkIncentive(0..2), optIncentive(0..1), nbIncentive, cmbIncRate, chkPPA
//   XYZ Travel         chkXYZ(0..1), txtLocCode(0..1), cmbMachine
//   Languages          txtLanguage(1..4)
//   Kiosk              chkTouch, Command1 (button colour)
//
// The window edits a working copy of the record: the activity's own settings live in the
// controls, its element slots and allocation standards in the copy, which the element and
// allocation controls change as a person works them. OK verifies (VerifyFields) and writes.
#include "data/TableObject.h"
#include "data/records/ActivityRecord.h"
#include "editors/MasterTableEditor.h"
#include "editors/StandardUnits.h"
#include "ui/Form.h"

#include <QHash>
#include <set>

namespace vel {

class CheckBox;
class ComboBox;
class DateBox;
class Grid;
class Label;
class ListSelect;
class NumberBox;
class OptionButton;
class OrderedSelect;
class TabPage;
class TabStrip;
class TextBox;
struct ElementRecord;

class frmActivity : public Form, public MasterTableEditor {
  public:
    enum class RecordMode { Add, Copy, Edit, View };

    // One data field the activity posts to: what it holds and its number (0: to be added).
    struct PlannedField {
        QString typeOfData;   // "Actual Hours", "Earned Hours", "Cost", or element + " units"
        QString description;  // the data field's description
        int number = 0;
        int element = 0;        // the element whose units it holds; 0: an activity field
        bool released = false;  // held now, freed when the record is saved
    };

    frmActivity();
    ~frmActivity() override;

    bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) override;

    StandardDisplay standardDisplay() const;
    // The data fields of the window's activity as they will be after saving.
    std::vector<PlannedField> plannedFields() const;

  protected:
    void EditForm_AddRec() override;
    void EditForm_CopyRec() override;
    void EditForm_EditRec(int number) override;
    void EditForm_DeleteRec(int number) override;
    void EditForm_EditSave(bool& success) override;
    void EditForm_EditCancel(bool& close) override;
    void EditForm_ActionButton(int index) override;

    QStringList lineTexts(int number) const override;
    std::vector<PrintColumn> printColumns() const override;
    QStringList printCells(int number) const override;

  private:
    // --- frmActivityLayout.cpp: the tabs and their controls
    void buildGeneralTab(TabPage& page);
    void buildCalculationsTab(TabPage& page);
    void buildElementsTab(TabPage& page);
    void buildAllocationsTab(TabPage& page);
    void buildDataFieldsTab(TabPage& page);
    void buildIncentiveTab(TabPage& page);
    void buildXyzTab(TabPage& page);
    void buildLanguagesTab(TabPage& page);
    void buildKioskTab(TabPage& page);
    void showFeatureControls();
    void refreshDependentControls();

    // --- frmActivity.cpp: the list and the record flows
    bool openRelatedTables();
    void closeRelatedTables() override;
    void readEditorSettings();
    void fillChoices();
    void reportActivitiesMissingFromCorporateFile();
    void recordLoop(int number, RecordMode mode, const ActivityRecord& start);
    bool acceptedAsNewCode(int number);
    void newCodeEntered();
    bool hasRecordedData(int number);
    bool descriptionTaken(int number) const;
    bool typeOfWorkCountsAccepted();
    bool saveActivityTables();

    // --- ActivityRecordWindow.cpp: the record in and out of the window
    void loadWindow(const ActivityRecord& record);
    ActivityRecord windowRecord() const;
    QStringList changedSettings(const ActivityRecord& before, const ActivityRecord& after) const;
    void writeRecord(int number, RecordMode mode);
    void loadCorporateActivity(int corporateNumber);

    // --- ActivityElementsTab.cpp: the ordered element selection, its frame and grid
    bool elementMayBeAdded(int availableIndex);
    void elementsChosen();
    void showElementSlot(int slot);
    // A tick or limit of the element frame changed; the standard stays as stored, since the
    // standard's box shows it rounded.
    void elementFrameChanged();
    // The standard's own box changed: the slot takes the entered standard.
    void elementStandardChanged();
    void fillElementsGrid();
    void toggleElementsGrid();
    void refreshHistoricalLabel();
    QString elementName(int element) const;
    int currentSlot() const;

    // --- ActivityStandards.cpp: units, allocation standards and data fields
    void standardDisplayChanged();
    void captionStandards();
    void allocationsChosen();
    void fillAllocationsGrid();
    bool allocationCellEdited(int row, int col, QString& text);
    void fillDataFieldsGrid();
    QString allocationName(int allocation) const;

    // --- ActivityVerification.cpp: the checks of OK
    bool VerifyFields(int number);
    bool verifyRequiredAndMethod(int number);
    bool verifyStandards();
    bool verifyAllocations(int number);
    bool verifyLimits();
    bool verifyXyz();
    bool verifyRemovedElements();
    bool verifyCorporateRules();
    bool CheckFieldsNeeded();
    bool ask(const QString& prompt, int style);
    void focusOn(Control& control);

    bool corporateControl() const;
    Table<ElementRecord>& elementTable() const;

    // The record window's state.
    ActivityRecord stored_;   // the record as the table holds it
    ActivityRecord working_;  // element slots and allocation standards as edited
    RecordMode mode_ = RecordMode::Edit;
    int recordNumber_ = 0;
    bool showingElementGrid_ = false;
    bool loading_ = false;
    int reflectiveMethod_ = -1;             // the method whose references cboReflective lists
    std::vector<TableObject*> openedHere_;  // related tables this editor opened
    // Records picked in this list as receivers of a deleted activity's data.
    std::set<int> holdingDeletedData_;

    // Settings read when the editor opens.
    QString travelElementName_;
    QString zTravelElementName_;
    int travelElement_ = 0;
    int zTravelElement_ = 0;
    int timePreference_ = 0;

    TabStrip* tabs_ = nullptr;
    TextBox* code_ = nullptr;
    TextBox* description_ = nullptr;
    ComboBox* typeOfWork_ = nullptr;
    CheckBox* getDocument_ = nullptr;
    TextBox* documentText_ = nullptr;
    CheckBox* multipleDocuments_ = nullptr;
    CheckBox* lookUp_ = nullptr;
    ComboBox* mustFind_ = nullptr;
    ComboBox* reuse_ = nullptr;
    std::array<OptionButton*, 3> allocate_{};
    CheckBox* unitsInAll_ = nullptr;
    CheckBox* prorate_ = nullptr;
    CheckBox* sameStandards_ = nullptr;
    CheckBox* historical_ = nullptr;
    CheckBox* unitsInTypeOfWork_ = nullptr;
    CheckBox* unitsInQuality_ = nullptr;
    CheckBox* systemTracked_ = nullptr;
    std::array<OptionButton*, 7> method_{};
    ComboBox* reflective_ = nullptr;
    ComboBox* reflectiveTypeOfWork_ = nullptr;
    DateBox* historyStart_ = nullptr;
    Label* historicalElement_ = nullptr;
    std::array<OptionButton*, 2> timeUnit_{};
    OrderedSelect* elements_ = nullptr;
    Control* elementFrame_ = nullptr;
    ComboBox* frameElement_ = nullptr;
    NumberBox* elementStandard_ = nullptr;
    std::array<NumberBox*, 2> elementLimit_{};
    CheckBox* useUnits_ = nullptr;
    CheckBox* overrideLookup_ = nullptr;
    CheckBox* occurrence_ = nullptr;
    CheckBox* historicalElementSwitch_ = nullptr;
    CheckBox* exceed_ = nullptr;
    CheckBox* useStandardElement_ = nullptr;
    Label* standardElementNote_ = nullptr;
    Grid* elementGrid_ = nullptr;
    Control* elementGridToggle_ = nullptr;
    ListSelect* allocations_ = nullptr;
    Grid* allocationGrid_ = nullptr;
    Grid* fieldGrid_ = nullptr;
    Control* incentiveFrame_ = nullptr;
    std::array<CheckBox*, 3> incentive_{};
    std::array<OptionButton*, 2> additiveType_{};
    NumberBox* additiveAmount_ = nullptr;
    ComboBox* incentiveScale_ = nullptr;
    CheckBox* includeInPpa_ = nullptr;
    std::array<CheckBox*, 2> xyz_{};
    std::array<TextBox*, 2> locationCode_{};
    ComboBox* machine_ = nullptr;
    std::array<TextBox*, ActivityRecord::Languages> languages_{};
    CheckBox* kiosk_ = nullptr;
    Control* kioskColorButton_ = nullptr;
    int kioskColor_ = 0;
};

}  // namespace vel
