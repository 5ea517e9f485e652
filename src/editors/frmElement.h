#pragma once
// frmElement: the element editor. Its list shows every element by description, entry type and
// number; its record window (this form) edits one element.
//
// Controls: TabStrip1 with the pages "General" (Text1(0) "&Description:"; the option array
// optType "Quantity" / "Standard" under lblType; the frame frmStd with optStdType "Minutes per
// Unit" / "Units per Hour"; lblNote "No other options available", shown while Quantity is
// chosen, when the frame is disabled) and "Languages" (txtLanguage(1..4), one per language the
// system keeps, and the note lblLanguages); btnMove(0) / btnMove(1) and SaveButtons1.
//
// At most one element of the table is of the standard type: choosing "Standard" while another
// element is refuses the choice, and OK checks again against the table as edited so far, so
// that one element can be switched to Quantity and another to Standard before the list saves.
//
// An element is active in the corporate control file when the corporate copy of the element
// table has an active element with the same trimmed description (elements are known by their
// descriptions across systems; record numbers differ from site to site). With corporate control
// in force such an element cannot be deleted, and an element whose description the corporate
// copy does not hold cannot be saved. The copy is read afresh for every run; when it cannot be
// opened the editor says so and only views.
//
// Delete: an element in use (on an activity or a production-sheet line) is explained and goes
// through frmDelete, where the person picks the element that receives its posted data; an
// element in use nowhere has no data to move and only asks for the confirmation.
#include "data/TableObject.h"
#include "data/records/ElementRecord.h"
#include "editors/MasterTableEditor.h"
#include "ui/Form.h"

#include <array>

namespace vel {

class Frame;
class Label;
class OptionButton;
class TabStrip;

class frmElement : public Form, public MasterTableEditor {
  public:
    frmElement();

    bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) override;

    // What the list and the print-out show as an element's type.
    static QString typeText(const ElementRecord& element);

  protected:
    void EditForm_AddRec() override;
    void EditForm_EditRec(int number) override;
    void EditForm_DeleteRec(int number) override;

    QStringList lineTexts(int number) const override;
    std::vector<PrintColumn> printColumns() const override;
    QStringList printCells(int number) const override;

  private:
    void declareGeneralPage(Container& page);
    void declareLanguagesPage(Container& page);
    void showLanguages(int count);
    Table<ElementRecord>& elements() const;
    void recordLoop(int number, const QString& caption);
    void loadWindow(const ElementRecord& element);
    ElementRecord windowRecord(ElementRecord element) const;
    bool refusedByRules(int number);
    // Enables the standard-unit frame for Standard, shows the note for Quantity.
    void showEntryType();
    // The Click of optType(1): refused while another element is of the standard type.
    void standardChosen();
    bool anotherStandardElement(int number) const;
    bool corporateControl() const;
    bool activeInCorporateFile(const QString& description) const;

    TabStrip* tabs_;
    TextBox* description_;
    OptionButton* quantity_;
    OptionButton* standard_;
    Frame* standardFrame_;
    OptionButton* minutesPerUnit_;
    OptionButton* unitsPerHour_;
    Label* note_;
    std::array<TextBox*, ElementRecord::Languages> languages_{};
    int editing_ = 0;       // the record number in the window
    bool loading_ = false;  // the window is being filled: no choice to refuse
};

}  // namespace vel
