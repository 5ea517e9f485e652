#include "editors/AssociatePages.h"

#include "data/VelmorSystem.h"
#include "data/records/GroupingRecord.h"
#include "data/records/ScheduleRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DateBox.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/KeyFilter.h"
#include "ui/Label.h"
#include "ui/NumberBox.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <cmath>

namespace vel {

namespace {

// The name table, upper-cased: badges when a space is allowed in them.
KeyFilter upperCaseNames() {
    return KeyFilter::ranges(QStringLiteral(" !#&'~\u00A1\u00FF"), true);
}

QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) {
        --end;
    }
    return text.left(end);
}

template <class Record>
void fillCombo(ComboBox& combo, Table<Record>& table) {
    combo.clear();
    combo.addItem(QStringLiteral("(none)"), 0);
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (table.isActive(number)) {
            const Record record = table.record(number);
            combo.addItem(record.Code.trimmed() + QStringLiteral(" - ") + record.Desc.trimmed(),
                          number);
        }
    }
}

void chooseRecord(ComboBox& combo, int number) {
    combo.setListIndex(combo.findData(number));
}

// The chosen record number; the stored one when nothing is chosen (a record not in the list).
int chosenRecord(const ComboBox& combo, int stored) {
    return combo.listIndex() < 0 ? stored : int(combo.itemData(combo.listIndex()));
}

bool numberDiffers(const NumberBox& box, double stored) {
    const double scale = std::pow(10.0, box.decimals());
    return std::round(stored * scale) != std::round(box.value() * scale);
}

}  // namespace

void AssociatePages::declare(Form& form, const SystemFeatures& features,
                             const AssociateSettings& settings) {
    auto& strip = form.tabStrip(QStringLiteral("TabStrip1"));
    declareGeneral(strip.page(QStringLiteral("General"),
                              QStringLiteral("Overall Settings for the Associate")));
    declarePayroll(strip.page(QStringLiteral("Payroll"), QStringLiteral("Payroll Information")));
    if (features.incentive) {
        declareIncentive(strip.page(QStringLiteral("Incentive"),
                                    QStringLiteral("Settings for the Incentive Pay System")));
    }
    declareBadges(
        strip.page(QStringLiteral("Badge Number"),
                   QStringLiteral("Sets the Badge Numbers that are used for the Associate")),
        settings);
    if (features.performancePolicy) {
        declarePolicy(strip.page(QStringLiteral("Performance Policy"),
                                 QStringLiteral("Performance Policy Settings for the Associate")));
    }
}

void AssociatePages::declareGeneral(Container& page) {
    code_ = &page.textBox(QStringLiteral("Text1"), 0, QStringLiteral("&Code:"))
                 .keys(KeyFilter::code())
                 .maxLength(10);
    lastName_ = &page.textBox(QStringLiteral("Text1"), 2, QStringLiteral("&Last Name:"))
                     .keys(KeyFilter::name())
                     .maxLength(20);
    firstName_ = &page.textBox(QStringLiteral("Text1"), 1, QStringLiteral("&First Name:"))
                      .keys(KeyFilter::name())
                      .maxLength(20);
    workCenter_ =
        &page.comboBox(QStringLiteral("cboWorkCenter"), QStringLiteral("&Home Work Center:"));
    grouping_ = &page.comboBox(QStringLiteral("cboGroup"), QStringLiteral("&Primary Grouping:"));
    schedule_ = &page.comboBox(QStringLiteral("cboSchedule"), QStringLiteral("Work &Schedule:"));
    shift_ = &page.numberBox(QStringLiteral("nbShift"), QStringLiteral("&Shift:")).range(0, 99);
    hireDate_ =
        &page.dateBox(QStringLiteral("DateBox"), QStringLiteral("&Date of Hire:")).allowEmpty(true);
    audit_ = &page.checkBox(QStringLiteral("chkFlags"), 5,
                            QStringLiteral("Audit for no production sheets:"));
    history_ = &page.label(QStringLiteral("lblHistory"), QString());
}

void AssociatePages::declarePayroll(Container& page) {
    ssn_ = &page.textBox(QStringLiteral("txtSSNum"), QStringLiteral("&Social Security:"))
                .keys(KeyFilter::name())
                .maxLength(20);
    wageRate_ = &page.numberBox(QStringLiteral("nbWageRate"), QStringLiteral("Hourly &Cost:"))
                     .range(0, 9999999)
                     .decimals(2);
    onPayroll_ = &page.checkBox(QStringLiteral("chkFlags"), 3, QStringLiteral("On Payroll:"));
    payIncentive_ = &page.checkBox(QStringLiteral("chkFlags"), 4, QStringLiteral("Pay Incentive:"));
}

void AssociatePages::declareIncentive(Container& page) {
    perfGoal_ = &page.numberBox(QStringLiteral("nbPerfGoal"), QStringLiteral("Performance Goal"))
                     .range(0, 9999)
                     .decimals(2);
    baseIncentive_ =
        &page.numberBox(QStringLiteral("nbBaseIncentive"),
                        QStringLiteral("Guaranteed Incentive per Hour (already included in Wage "
                                       "Rate)"))
             .range(0, 9999999)
             .decimals(2);
    eligible_[0] = &page.checkBox(QStringLiteral("chkFlags"), 0,
                                  QStringLiteral("Eligible for &Associate Incentive:"));
    eligible_[1] = &page.checkBox(QStringLiteral("chkFlags"), 1,
                                  QStringLiteral("Eligible for &Lead Incentive:"));
    eligible_[2] = &page.checkBox(QStringLiteral("chkFlags"), 2,
                                  QStringLiteral("Eligible for &Support Incentive:"));
}

void AssociatePages::declareBadges(Container& page, const AssociateSettings& settings) {
    const KeyFilter filter = settings.allowSpaceInBadges ? upperCaseNames() : KeyFilter::code();
    for (int slot = 1; slot <= AssociateRecord::Badges; ++slot) {
        auto& row = page.line();
        badgeLabels_[size_t(slot - 1)] =
            &row.label(QStringLiteral("lblBadge"), slot, settings.badgeCaption(slot));
        badges_[size_t(slot - 1)] =
            &row.textBox(QStringLiteral("txtBadge"), slot).keys(filter).maxLength(20);
        row.setVisible(slot <= settings.numberToShow);
    }
}

void AssociatePages::declarePolicy(Container& page) {
    testQuality_ = &page.checkBox(QStringLiteral("chkTestQuality"), QStringLiteral("Test Quality"));
    testPerformance_ =
        &page.checkBox(QStringLiteral("chkTestPerformance"), QStringLiteral("Test Performance"));
    policyDate_ = &page.dateBox(QStringLiteral("dbPolicyDate"),
                                QStringLiteral("Start Date for determining Tenure Rule:"))
                       .allowEmpty(true);
    auto& status = page.frame(QStringLiteral("fraStatus"), QStringLiteral("Current Status:"));
    qualityLevel_ = &status.label(QStringLiteral("lblStatus"), 0, QString());
    qualityAction_ = &status.label(QStringLiteral("lblStatus"), 1, QString());
    performanceLevel_ = &status.label(QStringLiteral("lblStatus"), 2, QString());
    performanceAction_ = &status.label(QStringLiteral("lblStatus"), 3, QString());
    tenureRule_ = &status.label(QStringLiteral("lblStatus"), 4, QString());
}

void AssociatePages::fillChoices(VelmorSystem& system) {
    fillCombo(*workCenter_, system.workCenters());
    fillCombo(*grouping_, system.groupings());
    fillCombo(*schedule_, system.schedules());
}

QString AssociatePages::performanceText(double fraction, bool exceeded) {
    if (exceeded) {
        return QStringLiteral("**Exceeded**");
    }
    if (fraction < 0) {
        return QStringLiteral("N/A");
    }
    return QString::number(std::llround(fraction * 100)) + QStringLiteral("%");
}

void AssociatePages::load(const AssociateRecord& associate) {
    code_->setText(withoutTrailingBlanks(associate.Code));
    lastName_->setText(withoutTrailingBlanks(associate.LastName));
    firstName_->setText(withoutTrailingBlanks(associate.FirstName));
    chooseRecord(*workCenter_, associate.WorkCenter);
    chooseRecord(*grouping_, associate.Grouping);
    chooseRecord(*schedule_, associate.Schedule);
    shift_->setValue(associate.Shift);
    hireDate_->setDate(associate.HireDate);
    audit_->setChecked(associate.InActive);
    history_->setCaption(
        QStringLiteral("Short Term Performance: ") +
        performanceText(associate.ShortTermPerformance, associate.ShortTermExceeded) +
        QStringLiteral("\nLong Term Peformance: ") +
        performanceText(associate.LongTermPerformance, associate.LongTermExceeded));
    ssn_->setText(withoutTrailingBlanks(associate.SSN));
    wageRate_->setValue(associate.WageRate);
    onPayroll_->setChecked(associate.OnPayRoll);
    payIncentive_->setChecked(associate.PayIncentive);
    if (perfGoal_) {
        perfGoal_->setValue(associate.PerfGoal);
        baseIncentive_->setValue(associate.BaseIncentive);
        eligible_[0]->setChecked(associate.AssociateIncentive);
        eligible_[1]->setChecked(associate.LeadIncentive);
        eligible_[2]->setChecked(associate.SupportIncentive);
    }
    for (int slot = 1; slot <= AssociateRecord::Badges; ++slot) {
        badge(slot).setText(withoutTrailingBlanks(associate.Badge[size_t(slot - 1)]));
    }
    if (testQuality_) {
        testQuality_->setChecked(associate.IncludeinQuality);
        testPerformance_->setChecked(associate.IncludeinPerf);
        policyDate_->setDate(associate.PolicyDate);
        showStatus(associate);
    }
}

void AssociatePages::showStatus(const AssociateRecord& associate) {
    qualityLevel_->setCaption(QStringLiteral("Quality Violation Level: ") +
                              QString::number(associate.QualityLevel));
    qualityAction_->setCaption(QStringLiteral("Last Action: ") +
                               associate.LastQualityAction.trimmed());
    performanceLevel_->setCaption(QStringLiteral("Performance Violation Level: ") +
                                  QString::number(associate.PerformanceLevel));
    performanceAction_->setCaption(QStringLiteral("Last Action: ") +
                                   associate.LastPerformanceAction.trimmed());
    tenureRule_->setCaption(QStringLiteral("Last Tenure Rule Used: ") +
                            associate.LastTenureRule.trimmed());
}

QStringList AssociatePages::writeChanges(const AssociateRecord& stored,
                                         AssociateRecord& after) const {
    QStringList changed;
    const auto text = [&](const QString& name, const QString& entered,
                          QString AssociateRecord::*field) {
        const QString value = withoutTrailingBlanks(entered);
        if (value != withoutTrailingBlanks(stored.*field)) {
            after.*field = value;
            changed << name;
        }
    };
    const auto whole = [&](const QString& name, int entered, int AssociateRecord::*field) {
        if (entered != stored.*field) {
            after.*field = entered;
            changed << name;
        }
    };
    const auto number = [&](const QString& name, const NumberBox* box,
                            double AssociateRecord::*field) {
        if (box && numberDiffers(*box, stored.*field)) {
            after.*field = box->value();
            changed << name;
        }
    };
    const auto flag = [&](const QString& name, const CheckBox* box, bool AssociateRecord::*field) {
        if (box && box->checked() != stored.*field) {
            after.*field = box->checked();
            changed << name;
        }
    };
    const auto date = [&](const QString& name, const DateBox* box, QDate AssociateRecord::*field) {
        if (box && box->date() != stored.*field) {
            after.*field = box->date();
            changed << name;
        }
    };
    text(QStringLiteral("Code"), code_->text().toUpper(), &AssociateRecord::Code);
    text(QStringLiteral("FirstName"), firstName_->text(), &AssociateRecord::FirstName);
    text(QStringLiteral("LastName"), lastName_->text(), &AssociateRecord::LastName);
    whole(QStringLiteral("WorkCenter"), chosenRecord(*workCenter_, stored.WorkCenter),
          &AssociateRecord::WorkCenter);
    whole(QStringLiteral("Grouping"), chosenRecord(*grouping_, stored.Grouping),
          &AssociateRecord::Grouping);
    text(QStringLiteral("SSN"), ssn_->text(), &AssociateRecord::SSN);
    date(QStringLiteral("HireDate"), hireDate_, &AssociateRecord::HireDate);
    number(QStringLiteral("WageRate"), wageRate_, &AssociateRecord::WageRate);
    number(QStringLiteral("BaseIncentive"), baseIncentive_, &AssociateRecord::BaseIncentive);
    whole(QStringLiteral("Shift"), int(shift_->value()), &AssociateRecord::Shift);
    number(QStringLiteral("PerfGoal"), perfGoal_, &AssociateRecord::PerfGoal);
    flag(QStringLiteral("OnPayRoll"), onPayroll_, &AssociateRecord::OnPayRoll);
    flag(QStringLiteral("PayIncentive"), payIncentive_, &AssociateRecord::PayIncentive);
    flag(QStringLiteral("InActive"), audit_, &AssociateRecord::InActive);
    for (int slot = 1; slot <= AssociateRecord::Badges; ++slot) {
        const size_t at = size_t(slot - 1);
        const QString entered = withoutTrailingBlanks(badge(slot).text().toUpper());
        if (entered != withoutTrailingBlanks(stored.Badge[at])) {
            after.Badge[at] = entered;
            changed << QStringLiteral("Badge") + QString::number(slot);
        }
    }
    flag(QStringLiteral("IncludeinPerf"), testPerformance_, &AssociateRecord::IncludeinPerf);
    flag(QStringLiteral("IncludeinQuality"), testQuality_, &AssociateRecord::IncludeinQuality);
    date(QStringLiteral("PolicyDate"), policyDate_, &AssociateRecord::PolicyDate);
    whole(QStringLiteral("Schedule"), chosenRecord(*schedule_, stored.Schedule),
          &AssociateRecord::Schedule);
    flag(QStringLiteral("AssociateIncentive"), eligible_[0], &AssociateRecord::AssociateIncentive);
    flag(QStringLiteral("LeadIncentive"), eligible_[1], &AssociateRecord::LeadIncentive);
    flag(QStringLiteral("SupportIncentive"), eligible_[2], &AssociateRecord::SupportIncentive);
    return changed;
}

}  // namespace vel
