// The feature settings of the settings editor and the data fields they take, hand back or
// convert: Track Cost per activity, the Quality module, the Performance Policy module.
#include "SettingsSite.h"

#include "data/records/MistakeRecord.h"
#include "data/records/TypeOfWorkRecord.h"

namespace vel::testing {
namespace {

const QString addingCost = QStringLiteral(
    "You are changing the setting for Tracking Cost.  This will cause datafields to be added for "
    "each Activity.  Are you sure you want to do this?");
const QString deletingCost = QStringLiteral(
    "You are changing the setting for Tracking Cost.  This will cause datafields to be deleted "
    "for each Activity.  Are you sure you want to do this?");

void closeAndDropChanges(SettingsSite& s) {
    s.ui.when(QStringLiteral("frmSettings"), [](FormDriver& window) { window.close(); });
    s.ui.answer(QStringLiteral("OK to Cancel all changes and exit?"), IDYES);
}

TEST(frmSettingsFeatures, TrackCostAddsAndDeletesACostFieldPerActivityOnlyOnYes) {
    SettingsSite s;
    // No: nothing changes, the page stays open until cancelled.
    s.ui.when(QStringLiteral("frmSettings"), setAndSave("chkTrackCost", "1"));
    s.ui.answer(addingCost, IDNO);
    closeAndDropChanges(s);
    s.component.EditSettings(0, *s.system, stgTrackCost);
    EXPECT_EQ(s.setting("Features", "CostTracking"), "<none>");
    EXPECT_EQ(s.costFields(), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(s.fieldsInUse().isEmpty());

    s.ui.answer(addingCost, IDYES);
    s.edit(stgTrackCost, setAndSave("chkTrackCost", "1"));
    EXPECT_EQ(s.setting("Features", "CostTracking"), "True");
    EXPECT_EQ(s.costFields(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(s.fieldsInUse(),
              (QMap<int, QString>{{1, "PICK Cost"}, {2, "PACK Cost"}, {3, "LOAD Cost"}}));
    EXPECT_TRUE(s.system->features().costTracking);

    s.ui.answer(deletingCost, IDYES);
    s.edit(stgTrackCost, setAndSave("chkTrackCost", "0"));
    EXPECT_EQ(s.setting("Features", "CostTracking"), "False");
    EXPECT_EQ(s.costFields(), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(s.fieldsInUse().isEmpty());
    EXPECT_EQ(s.loggedSettings(), (QStringList{"Track Cost", "Track Cost"}));
}

TEST(frmSettingsFeatures, TrackCostRefusesWithTooFewFieldsAndAFailedTableWriteChangesNothing) {
    {
        SettingsSite s(2);
        s.ui.when(QStringLiteral("frmSettings"), setAndSave("chkTrackCost", "1"));
        s.ui.answer(addingCost, IDYES);
        s.ui.answer(QStringLiteral("3 are needed and 2 are available"), IDOK);
        closeAndDropChanges(s);
        s.component.EditSettings(0, *s.system, stgTrackCost);
        EXPECT_EQ(s.setting("Features", "CostTracking"), "<none>");
        EXPECT_TRUE(s.fieldsInUse().isEmpty());
    }
    SettingsSite s;
    FileFailingOperations failing("TBVMACT");
    s.system = s.site.open(&failing);
    s.ui.when(QStringLiteral("frmSettings"), setAndSave("chkTrackCost", "1"));
    s.ui.answer(addingCost, IDYES);
    s.ui.answer(QStringLiteral("Error saving new setting to files."), IDOK);
    closeAndDropChanges(s);
    s.component.EditSettings(0, *s.system, stgTrackCost);
    EXPECT_EQ(s.setting("Features", "CostTracking"), "False");  // written, then put back
    EXPECT_FALSE(s.system->features().costTracking);
    EXPECT_EQ(s.costFields(), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(s.fieldsInUse().isEmpty());
    EXPECT_TRUE(s.loggedSettings().isEmpty());
}

TEST(frmSettingsFeatures, QualityNeedsFourFreeFieldsAndTurningItOffConvertsThem) {
    {
        SettingsSite s(3);
        s.ui.when(QStringLiteral("frmSettings"), setAndSave("chkQuality(0)", "1"));
        s.ui.answer(QStringLiteral("Error activating the Quality Module.  Check that there are at "
                                   "least 4 datafields available in the Associate Tallybook."),
                    IDOK);
        closeAndDropChanges(s);
        s.component.EditSettings(0, *s.system, stgQuality);
        EXPECT_EQ(s.setting("Features", "Quality"), "<none>");
        EXPECT_TRUE(s.fieldsInUse().isEmpty());
    }
    SettingsSite s;
    s.store(s.system->mistakes(), {withDescription<MistakeRecord>("Short pick")});
    TypeOfWorkRecord picking = withCode<TypeOfWorkRecord>("PICKING");
    picking.Mistake[0] = 1;
    s.store(s.system->typesOfWork(), {picking});
    s.reopen();
    s.edit(stgQuality, [](FormDriver& window) {
        EXPECT_FALSE(window.form().control(QStringLiteral("chkQuality(1)")).enabled());
        window.set(QStringLiteral("chkQuality(0)"), QStringLiteral("1"));
        window.set(QStringLiteral("chkQuality(1)"), QStringLiteral("1"));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_EQ(s.setting("Features", "Quality"), "True");
    EXPECT_EQ(s.setting("Features", "QualityCost"), "True");
    EXPECT_EQ(s.fieldsInUse().values(),
              (QList<QString>{"Quality Auditable Units", "Quality Auditable Hours",
                              "Quality Accuracy Base Units", "Quality Audited Units",
                              "Quality Failure Cost"}));
    EXPECT_TRUE(s.system->features().quality);

    // Cost off: its field becomes the users'.
    s.ui.answer(QStringLiteral("You are turning off the tracking of Quality Cost information.  "
                               "This will cause datafields to be changed from system maintained "
                               "to user-defined.  Are you sure you want to do this"),
                IDYES);
    s.edit(stgQuality, setAndSave("chkQuality(1)", "0"));
    EXPECT_EQ(s.fieldsInUse().value(5), "User: Quality Failure Cost");

    // The module off, first refused, then agreed: every field converted, mistakes removed.
    const QString turningOff = QStringLiteral("You are turning off the Quality feature.");
    s.ui.when(QStringLiteral("frmSettings"), setAndSave("chkQuality(0)", "0"));
    s.ui.answer(turningOff, IDNO);
    s.ui.when(QStringLiteral("frmSettings"),
              [](FormDriver& window) { window.click(QStringLiteral("SaveButtons1(1)")); });
    s.ui.answer(turningOff, IDYES);
    s.component.EditSettings(0, *s.system, stgQuality);
    EXPECT_EQ(s.setting("Features", "Quality"), "False");
    for (const QString& description : s.fieldsInUse()) {
        EXPECT_TRUE(description.startsWith("User: Quality ")) << description.toStdString();
    }
    EXPECT_EQ(s.fieldsInUse().size(), 5);
    EXPECT_EQ(s.stored(&VelmorSystem::typesOfWork).at(0).Mistake[0], 0);
    EXPECT_EQ(s.loggedSettings(), (QStringList{"Quality", "Quality", "Quality"}));
}

TEST(frmSettingsFeatures, PerformancePolicyCreatesItsFieldsAndHandsThemOverWhenTurnedOff) {
    SettingsSite s;
    const QString turningOn = QStringLiteral(
        "You are turning on the Performance Policy feature.  "
        "This will cause datafields to be created.");
    s.ui.when(QStringLiteral("frmSettings"), setAndSave("chkDiscipline", "1"));
    s.ui.answer(turningOn, IDNO);
    closeAndDropChanges(s);
    s.component.EditSettings(0, *s.system, stgDiscipline);
    EXPECT_EQ(s.setting("Features", "PerformancePolicy"), "<none>");

    s.ui.answer(turningOn, IDYES);
    s.edit(stgDiscipline, setAndSave("chkDiscipline", "1"));
    EXPECT_TRUE(s.system->features().performancePolicy);
    EXPECT_EQ(s.fieldsInUse().values(), (QList<QString>{"PPA Earned Hours", "PPA Measured Hours"}));

    s.ui.answer(QStringLiteral("You are turning off the Performance Policy feature.  This will "
                               "cause datafields to be changed from system maintained to "
                               "user-defined and will remove the ability to perform "
                               "calculations.  Are you sure you want to do this"),
                IDYES);
    s.edit(stgDiscipline, setAndSave("chkDiscipline", "0"));
    EXPECT_EQ(s.setting("Features", "PerformancePolicy"), "False");
    EXPECT_EQ(s.fieldsInUse().values(),
              (QList<QString>{"User: PPA Earned Hours", "User: PPA Measured Hours"}));
    EXPECT_EQ(s.loggedSettings(), (QStringList{"Discipline", "Discipline"}));
}

}  // namespace
}  // namespace vel::testing
