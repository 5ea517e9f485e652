#pragma once
// frmAddSys ("Add a New System", or "Clone a System"): the wizard that sizes a new system. Four
// pages, one frame each, shown one at a time; "Next >" checks the page before moving on and reads
// "&Create" on the last.
//
// Controls: frame Frame1(0) "System Parameters:" with SysName "System &Title:", SysParam(0)
// "&Start Year:" and SysParam(1) "Estimated Number of &Activities:"; Frame1(1) "Start Date:"
// with the calendar Calendar; Frame1(2) "Tallybook System Size:" with optDataLevel(0..2),
// SysSize(0) "Allocated &Fields:" and SysSize(1) "Allocated &Years:"; Frame1(3) "Summary:" with
// the summary lines in lblSummary; the wizard buttons Command1(0..3) (WizardButtons.h). Number
// boxes take the digits 0 to 9 only.
//
// For a clone the wizard shows the shape of the system being cloned, which the clone keeps: only
// the title can be changed; the other boxes and the calendar are shown disabled.
//
// The calendar is set to 1 January of the start year whenever the start year changes. Allocated
// fields follow the fewest the choices need until the person types another number, and never stay
// below it.
#include "data/NewSystemBuilder.h"
#include "ui/Form.h"

#include <memory>

namespace vel {

class DateBox;
class Frame;
class Label;
class OptionButton;
class TextBox;
class VelmorSystem;
class WizardButtons;

class frmAddSys : public Form {
  public:
    frmAddSys();
    ~frmAddSys() override;

    // Shows the wizard; true with the choices when the person pressed Create, false on Cancel
    // or when the window was closed. The builder answers the limits and the disk space. For a
    // clone, chosen holds the cloned system's shape on entry and the window shows it.
    bool Ask(quintptr ownerHandle, VelmorSystem& system, const NewSystemBuilder& builder,
             NewSystemParameters& chosen, bool clone = false);

  protected:
    void Form_Load() override;

  private:
    static constexpr int pages = 4;

    void showPage(int page);
    bool pageAccepted(int page);
    bool refuse(const QString& prompt, Control& field);
    void next();
    // Allocated fields: the minimum while the person keeps the suggestion, else what they
    // typed, raised to the minimum.
    void suggestFields();
    void showCloneShape();
    NewSystemParameters choices() const;
    QString summary() const;

    Frame* page_[pages];
    TextBox* title_;
    TextBox* startYear_;
    TextBox* activities_;
    DateBox* calendar_;
    OptionButton* level_[3];
    TextBox* fields_;
    TextBox* years_;
    Label* summary_;
    std::unique_ptr<WizardButtons> buttons_;

    VelmorSystem* system_ = nullptr;
    const NewSystemBuilder* builder_ = nullptr;
    int current_ = 0;
    int calendarYear_ = 0;
    int suggestedFields_ = 0;  // the start year the calendar was last set for
    bool created_ = false;
    bool clone_ = false;
    NewSystemParameters cloneShape_;
};

}  // namespace vel
