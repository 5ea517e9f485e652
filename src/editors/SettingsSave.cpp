#include "editors/SettingsSave.h"

#include "data/Masterfile.h"
#include "data/ProgramObject.h"
#include "data/RecordedWork.h"
#include "data/SettingsObject.h"
#include "data/VelmorSystem.h"
#include "editors/SettingsDataFields.h"
#include "services/MessageWithSound.h"
#include "ui/MessageBoxCodes.h"

namespace vel {

namespace {
// Warnings about data fields are Yes/No questions with No as the default button.
constexpr int warningStyle = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
const QString savingFailed = QStringLiteral("Error saving new setting to files.");
}  // namespace

SettingsSave::SettingsSave(VelmorSystem& system, SettingsObject& settings)
    : system_(system), settings_(settings) {}

bool SettingsSave::save(SettingTypes type, const SettingValues& before,
                        const SettingValues& after) {
    const auto old = storedSettings(type, before);
    const auto wanted = storedSettings(type, after);
    bool changed = false;
    for (size_t index = 0; index < wanted.size(); ++index) {
        changed = changed || old[index].text != wanted[index].text;
    }
    if (!changed) {
        return true;
    }
    SettingsDataFields fields(system_);
    if (!agreed(type, before, after, fields)) {
        fields.cancel();
        return false;
    }
    if (!writeSetting(settings_, type, before, after)) {
        fields.cancel();
        message(savingFailed, MB_ICONCRITICAL);
        return false;
    }
    QString error;
    if (!fields.save(&error)) {
        writeSetting(settings_, type, after, before);
        message(savingFailed, MB_ICONCRITICAL);
        return false;
    }
    system_.masterfile().logChange(QStringLiteral("Settings"), settingLogName(type),
                                   QStringLiteral("Edit"));
    if (type == stgHistoryWeeks && (before.shortTermWeeks != after.shortTermWeeks ||
                                    before.longTermWeeks != after.longTermWeeks ||
                                    before.standardWeeks != after.standardWeeks)) {
        recalculateHistory();
    }
    return true;
}

bool SettingsSave::agreed(SettingTypes type, const SettingValues& before,
                          const SettingValues& after, SettingsDataFields& fields) {
    switch (type) {
        case stgTrackCost:
            return trackCostAgreed(after, fields);
        case stgQuality:
            return qualityAgreed(before, after, fields);
        case stgDiscipline:
            return policyAgreed(after, fields);
        case stgMaxAllocation:
            if (before.maxAllocations == 9999 && after.maxAllocations == 999) {
                message(
                    QStringLiteral("The Allocation Table cannot be reduced from 9999 to 999 "
                                   "Allocations here, because allocations numbered above 999 "
                                   "and their data would be lost.  Please contact your software "
                                   "supplier to reduce the Maximum Number of Allocations."),
                    MB_ICONEXCLAMATION);
                return false;
            }
            return true;
        default:
            return true;
    }
}

bool SettingsSave::trackCostAgreed(const SettingValues& after, SettingsDataFields& fields) {
    if (!yes(QStringLiteral("You are changing the setting for Tracking Cost.  This will cause "
                            "datafields to be ") +
             (after.trackCost ? QStringLiteral("added") : QStringLiteral("deleted")) +
             QStringLiteral(" for each Activity.  Are you sure you want to do this?"))) {
        return false;
    }
    QString refusal;
    if (!fields.planTrackCost(after.trackCost, &refusal)) {
        message(refusal, MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool SettingsSave::qualityAgreed(const SettingValues& before, const SettingValues& after,
                                 SettingsDataFields& fields) {
    if (before.quality && !after.quality) {
        if (!yes(QStringLiteral("You are turning off the Quality feature.  This will cause "
                                "datafields to be changed from system maintained to user-defined "
                                "and will remove mistakes from Types of Work.  Are you sure you "
                                "want to do this"))) {
            return false;
        }
    } else {
        const QString question = QStringLiteral(
            "You are turning off the tracking of %1 information.  This will cause "
            "datafields to be changed from system maintained to user-defined.  "
            "Are you sure you want to do this");
        if (before.qualityCost && !after.qualityCost &&
            !yes(question.arg(QStringLiteral("Quality Cost")))) {
            return false;
        }
        if (before.qualityHours && !after.qualityHours &&
            !yes(question.arg(QStringLiteral("Quality Hours")))) {
            return false;
        }
    }
    QString refusal;
    if (!fields.planQuality(before.quality, after.quality, after.qualityCost, after.qualityHours,
                            &refusal)) {
        message(refusal, MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool SettingsSave::policyAgreed(const SettingValues& after, SettingsDataFields& fields) {
    if (after.performancePolicy && system_.features().usesCorporateControl) {
        // What the corporate control file carries is recorded with the site's corporate settings.
        settings_.selectSection(QStringLiteral("Corporate"));
        if (!SettingsObject::isTrue(settings_.readValue(QStringLiteral("PerformancePolicy"),
                                                        QStringLiteral("False")))) {
            message(QStringLiteral("The Performance Policy feature is not active in the Corporate "
                                   "Control File. You must enable it in the Corporate System and "
                                   "then create the Corporate Control File before enabling it in "
                                   "this system."),
                    MB_ICONEXCLAMATION);
            return false;
        }
    }
    const QString question =
        after.performancePolicy
            ? QStringLiteral(
                  "You are turning on the Performance Policy feature.  This will cause "
                  "datafields to be created.  Are you sure you want to do this")
            : QStringLiteral(
                  "You are turning off the Performance Policy feature.  This will cause "
                  "datafields to be changed from system maintained to user-defined and "
                  "will remove the ability to perform calculations.  Are you sure you "
                  "want to do this");
    if (!yes(question)) {
        return false;
    }
    QString refusal;
    if (!fields.planPerformancePolicy(after.performancePolicy, &refusal)) {
        message(refusal, MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void SettingsSave::recalculateHistory() {
    const int answer =
        message(QStringLiteral("OK to recalculate the history using the new settings?  If you "
                               "select to cancel, then the recalculations will occur during "
                               "Week-End Processing."),
                MB_OKCANCEL | MB_ICONQUESTION);
    bool recalculated = false;
    if (answer == IDOK) {
        system_.StatusText(QStringLiteral("Opening Files ..."));
        recalculated = system_.recordedWork().recalculate();
    }
    // Cancelled (or failed): the week-end job recalculates with the stored weeks and clears it.
    settings_.selectSection(QStringLiteral("History"));
    settings_.writeBoolean(QStringLiteral("RecalculatePending"), !recalculated);
    system_.StatusDone();
}

bool SettingsSave::yes(const QString& question) {
    return message(question, warningStyle) == IDYES;
}

int SettingsSave::message(const QString& text, int style) {
    return MessageWithSound(text, style, system_.Program().title());
}

}  // namespace vel
