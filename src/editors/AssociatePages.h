#pragma once
// The pages of the associate record window (frmEmployee) and the moves between a record and
// its controls.
//
// TabStrip1: "General" (Text1(0) code, Text1(2) last name, Text1(1) first name, cboWorkCenter,
// cboGroup, cboSchedule, nbShift, DateBox, chkFlags(5) audit, lblHistory), "Payroll" (txtSSNum,
// nbWageRate, chkFlags(3) on payroll, chkFlags(4) pay incentive), "Incentive" with the incentive
// feature (nbPerfGoal, nbBaseIncentive, chkFlags(0..2)), "Badge Number" (lblBadge(1..10),
// txtBadge(1..10), the first NumbertoShow visible) and "Performance Policy" with that feature
// (chkTestQuality, chkTestPerformance, dbPolicyDate and the read-only "Current Status:" frame).
#include "data/SystemFeatures.h"
#include "data/records/AssociateRecord.h"
#include "editors/AssociateSettings.h"

#include <QStringList>
#include <array>

namespace vel {

class CheckBox;
class ComboBox;
class Container;
class DateBox;
class Form;
class Label;
class NumberBox;
class TextBox;
class VelmorSystem;

class AssociatePages {
  public:
    void declare(Form& form, const SystemFeatures& features, const AssociateSettings& settings);
    // The combo boxes: "(none)" = 0, then every active record as code and description.
    void fillChoices(VelmorSystem& system);

    void load(const AssociateRecord& associate);
    // Writes into after each field whose control differs from the stored value (texts without
    // trailing blanks, numbers at the box's precision, dates as dates); answers the names of
    // the changed fields in their fixed order.
    QStringList writeChanges(const AssociateRecord& stored, AssociateRecord& after) const;

    TextBox& code() const { return *code_; }
    TextBox& firstName() const { return *firstName_; }
    TextBox& lastName() const { return *lastName_; }
    TextBox& badge(int slot) const { return *badges_[size_t(slot - 1)]; }
    Label& badgeLabel(int slot) const { return *badgeLabels_[size_t(slot - 1)]; }
    bool declared() const { return code_ != nullptr; }

    // "##0%" of a fraction, "N/A" when there is none, "**Exceeded**" past the host's limit.
    static QString performanceText(double fraction, bool exceeded);

  private:
    void declareGeneral(Container& page);
    void declarePayroll(Container& page);
    void declareIncentive(Container& page);
    void declareBadges(Container& page, const AssociateSettings& settings);
    void declarePolicy(Container& page);
    void showStatus(const AssociateRecord& associate);

    TextBox* code_ = nullptr;
    TextBox* lastName_ = nullptr;
    TextBox* firstName_ = nullptr;
    ComboBox* workCenter_ = nullptr;
    ComboBox* grouping_ = nullptr;
    ComboBox* schedule_ = nullptr;
    NumberBox* shift_ = nullptr;
    DateBox* hireDate_ = nullptr;
    CheckBox* audit_ = nullptr;
    Label* history_ = nullptr;
    TextBox* ssn_ = nullptr;
    NumberBox* wageRate_ = nullptr;
    CheckBox* onPayroll_ = nullptr;
    CheckBox* payIncentive_ = nullptr;
    NumberBox* perfGoal_ = nullptr;
    NumberBox* baseIncentive_ = nullptr;
    std::array<CheckBox*, 3> eligible_{};
    std::array<TextBox*, AssociateRecord::Badges> badges_{};
    std::array<Label*, AssociateRecord::Badges> badgeLabels_{};
    CheckBox* testQuality_ = nullptr;
    CheckBox* testPerformance_ = nullptr;
    DateBox* policyDate_ = nullptr;
    Label* qualityLevel_ = nullptr;
    Label* performanceLevel_ = nullptr;
    Label* qualityAction_ = nullptr;
    Label* performanceAction_ = nullptr;
    Label* tenureRule_ = nullptr;
};

}  // namespace vel
