// The settings editor through the command class: every page stores and reloads its value, the
// list and its printed listing, the history question, cancelling with changes, a failed write.
#include "SettingsSite.h"

#include "editors/frmSettings.h"
#include "editors/shell/TBEditForm.h"

#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

namespace vel::testing {
namespace {

struct PageCase {
    short type;
    QString control;
    QString value;
    QString section;
    QString key;
    QString stored;
    QString logged;
};

TEST(frmSettings, EveryPlainPageStoresItsValueLogsItAndShowsItAgain) {
    const std::vector<PageCase> cases{
        {stgChime, "txtChime", "bell.wav", "Sounds", "Chime", "bell.wav", "Chime"},
        {stgLogoFile, "txtLogo", "site.gif", "Files", "Logo", "site.gif", "Logo"},
        {stgHolidays, "optHolidays(3)", "1", "Dates", "ShowHolidays", "3", "ShowHolidays"},
        {stgSoftKeys, "txtKey(2)", "PICK", "Keys", "KeyF4", "PICK", "KeyF"},
        {stgXYZ, "chkXYZ(0)", "1", "Features", "XYZ", "True", "XYZ Settings"},
        {stgMaxWorkCenter, "nmbMaxWorkCenters", "40", "System", "MaxWorkCenters", "40",
         "MaxWorkCenters"},
        {stgMaxAllocation, "optAllocation(0)", "1", "System", "MaxAllocations", "9999",
         "MaxAllocations"},
    };
    SettingsSite s;
    QStringList logged;
    for (const PageCase& page : cases) {
        SCOPED_TRACE(page.control.toStdString());
        s.edit(page.type, [&](FormDriver& window) {
            EXPECT_EQ(window.form().caption(), "Settings");
            EXPECT_TRUE(
                window.form().control(QStringLiteral("fraSetting(%1)").arg(page.type)).visible());
            window.set(page.control, page.value);
            window.click(QStringLiteral("SaveButtons1(1)"));
        });
        EXPECT_EQ(s.setting(page.section, page.key), page.stored);
        logged << page.logged;
        s.reopen();
        s.edit(page.type, [&](FormDriver& window) {
            EXPECT_EQ(window.value(page.control), page.value);
            window.click(QStringLiteral("SaveButtons1(2)"));  // unchanged: no question
        });
    }
    EXPECT_EQ(s.loggedSettings(), logged);
    EXPECT_TRUE(s.ui.transcript().prompts().isEmpty())
        << s.ui.transcript().prompts().join(" | ").toStdString();
    // What the host reads from the same keys.
    s.reopen();
    EXPECT_TRUE(s.system->features().xyz);
    EXPECT_EQ(s.system->maximumWorkCenters(), 40);
    EXPECT_EQ(s.system->maximumAllocations(), 9999);
}

TEST(frmSettings, ShortCutKeysTypeAsActivityCodesAndXyzKeepsItsScriptOptions) {
    SettingsSite s;
    s.edit(stgSoftKeys, [](FormDriver& window) {
        EXPECT_EQ(window.form().control(QStringLiteral("txtKey(0)")).caption(), "Key F2");
        EXPECT_EQ(window.form().control(QStringLiteral("txtKey(4)")).caption(), "Key F6");
        window.type(QStringLiteral("txtKey(0)"), QStringLiteral("pk{1"));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_EQ(s.setting("Keys", "KeyF2"), "PK[1");
    s.edit(stgXYZ, [](FormDriver& window) {
        window.set(QStringLiteral("chkXYZ(1)"), QStringLiteral("1"));
        window.set(QStringLiteral("chkXYZ(2)"), QStringLiteral("1"));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_EQ(s.setting("XYZ", "ScriptUsesXYZ"), "True");
    EXPECT_EQ(s.setting("XYZ", "ScriptUsesStartTimes"), "True");
    EXPECT_EQ(s.setting("Features", "XYZ"), "False");  // the whole setting is written
}

TEST(frmSettings, HistoryWeeksAskToRecalculateNowOrLeaveItForTheWeekEnd) {
    for (int answer : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(answer);
        SettingsSite s;
        s.ui.answer(QStringLiteral("OK to recalculate the history using the new settings?  If you "
                                   "select to cancel, then the recalculations will occur during "
                                   "Week-End Processing."),
                    answer);
        s.edit(stgHistoryWeeks, [](FormDriver& window) {
            EXPECT_EQ(window.value(QStringLiteral("nmbHistory(0)")), "4");
            window.set(QStringLiteral("nmbHistory(0)"), QStringLiteral("6"));
            window.set(QStringLiteral("nmbHistory(1)"), QStringLiteral("26"));
            window.set(QStringLiteral("nmbHistory(3)"), QStringLiteral("20"));
            window.set(QStringLiteral("optQual(1)"), QStringLiteral("1"));
            window.click(QStringLiteral("SaveButtons1(1)"));
        });
        EXPECT_EQ(s.setting("History", "ShortTermWeeks"), "6");
        EXPECT_EQ(s.setting("History", "LongTermWeeks"), "26");
        EXPECT_EQ(s.setting("History", "MinimumHours"), "20");
        EXPECT_EQ(s.setting("History", "FailuresFrom"), "1");
        EXPECT_EQ(s.setting("History", "RecalculatePending"),
                  answer == IDOK ? "False" : "True");
        EXPECT_EQ(s.ui.transcript().lines().contains("status: Recalculating History..."),
                  answer == IDOK);
        EXPECT_EQ(s.loggedSettings(), QStringList{"History Weeks"});
    }
}

// Only a change of the history weeks asks to recalculate; the minimum hours and where the
// anticipated failures come from are saved without the question.
TEST(frmSettings, OtherHistoryValuesSaveWithoutTheRecalculationQuestion) {
    SettingsSite s;
    s.edit(stgHistoryWeeks, [](FormDriver& window) {
        window.set(QStringLiteral("nmbHistory(3)"), QStringLiteral("20"));
        window.set(QStringLiteral("optQual(1)"), QStringLiteral("1"));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_EQ(s.setting("History", "MinimumHours"), "20");
    EXPECT_EQ(s.setting("History", "FailuresFrom"), "1");
    EXPECT_EQ(s.setting("History", "RecalculatePending"), "<none>");
    EXPECT_TRUE(s.ui.transcript().messages().empty());
    EXPECT_EQ(s.loggedSettings(), QStringList{"History Weeks"});
}

TEST(frmSettings, TheAllocationMaximumCannotGoBackTo999) {
    SettingsSite s;
    s.site.setSetting("System", "MaxAllocations", "9999");
    s.ui.when(QStringLiteral("frmSettings"), [](FormDriver& window) {
        EXPECT_EQ(window.value(QStringLiteral("optAllocation(0)")), "1");
        window.set(QStringLiteral("optAllocation(1)"), QStringLiteral("1"));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("contact your software supplier"), IDOK);
    s.ui.when(QStringLiteral("frmSettings"),
              [](FormDriver& window) { window.click(QStringLiteral("SaveButtons1(2)")); });
    s.ui.answer(QStringLiteral("OK to Cancel all changes and exit?"), IDYES);
    s.component.EditSettings(0, *s.system, stgMaxAllocation);
    EXPECT_EQ(s.setting("System", "MaxAllocations"), "9999");
    EXPECT_TRUE(s.loggedSettings().isEmpty());
}

TEST(frmSettings, CancelWithChangesAsksAndNoKeepsThePageOpen) {
    SettingsSite s;
    s.ui.when(QStringLiteral("frmSettings"), [](FormDriver& window) {
        window.set(QStringLiteral("txtChime"), QStringLiteral("other.wav"));
        window.click(QStringLiteral("SaveButtons1(2)"));
    });
    s.ui.answer(QStringLiteral("OK to Cancel all changes and exit?"), IDNO);
    s.ui.when(QStringLiteral("frmSettings"), [](FormDriver& window) {
        EXPECT_EQ(window.value(QStringLiteral("txtChime")), "other.wav");
        window.close();
    });
    s.ui.answer(QStringLiteral("OK to Cancel all changes and exit?"), IDYES);
    s.component.EditSettings(0, *s.system, stgChime);
    EXPECT_EQ(s.setting("Sounds", "Chime"), "<none>");
    EXPECT_EQ(s.ui.transcript().prompts().size(), 2);
}

// Fails every write of a chosen value; the others go to the file.
class FailingSettings : public IniSettings {
  public:
    FailingSettings(const QString& location, QString failingValue)
        : IniSettings(location), failing_(std::move(failingValue)) {}
    bool writeText(const QString& value, const QString& text) override {
        return value != failing_ && IniSettings::writeText(value, text);
    }

  private:
    QString failing_;
};

TEST(frmSettings, AFailedWriteKeepsTheOldValuesOfTheWholeSetting) {
    SettingsSite s;
    s.site.setSetting("History", "ShortTermWeeks", "5");
    frmSettings editor(stgHistoryWeeks);
    const QString location = s.system->settingsLocation();
    editor.setSettingsStore([&] {
        return std::make_unique<FailingSettings>(location, QStringLiteral("StandardWeeks"));
    });
    s.ui.when(QStringLiteral("frmSettings"), [](FormDriver& window) {
        window.set(QStringLiteral("nmbHistory(0)"), QStringLiteral("8"));
        window.set(QStringLiteral("nmbHistory(2)"), QStringLiteral("20"));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Error saving new setting to files."), IDOK);
    s.ui.when(QStringLiteral("frmSettings"), [](FormDriver& window) { window.close(); });
    s.ui.answer(QStringLiteral("OK to Cancel all changes and exit?"), IDYES);
    EXPECT_TRUE(editor.Edit(0, *s.system, false));
    editor.release();
    EXPECT_EQ(s.setting("History", "ShortTermWeeks"), "5");
    EXPECT_EQ(s.setting("History", "StandardWeeks"), "<none>");
    EXPECT_TRUE(s.loggedSettings().isEmpty());
}

TEST(frmSettings, TheListShowsEverySettingEditsOneAndPrintsTheListing) {
    SettingsSite s;
    s.site.setSetting("Features", "Quality", "True");
    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Settings");
        EXPECT_FALSE(list.click(QStringLiteral("btnAdd")));
        const QStringList settings = listTexts(list);
        EXPECT_EQ(settings.size(), 11);
        EXPECT_EQ(settings.value(0), "Track Cost");
        EXPECT_EQ(settings.value(8), "XYZ Data Collection Interface Module");
        EXPECT_EQ(listTexts(list, 1).value(4), "Yes");  // Quality
        EXPECT_EQ(listTexts(list, 1).value(2), "chime.wav");
        list.selectLine(QStringLiteral("lvList"), 2);
        list.click(QStringLiteral("btnEdit"));
        EXPECT_EQ(listTexts(list, 1).value(2), "hour.wav");
        list.click(QStringLiteral("btnPrint"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmSettings"), setAndSave("txtChime", "hour.wav"));
    s.component.EditSettings(0, *s.system, stgShowList);
    EXPECT_EQ(s.setting("Sounds", "Chime"), "hour.wav");
    const QString listing = printed.lines().join('\n');
    EXPECT_TRUE(listing.contains("List of Elements"));
    EXPECT_TRUE(listing.contains(QRegularExpression("Number +Setting +Value")));
    EXPECT_TRUE(listing.contains(QRegularExpression("3 +Chime +hour.wav")));
    EXPECT_TRUE(listing.contains(QRegularExpression("12 +Maximum Number of Allocations +999")));
}

TEST(frmSettings, TheLogoPreviewMeasuresTheImageAndBrowseFillsTheFileName) {
    SettingsSite s;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(s.site.path(QStringLiteral("logo.bmp"))));
    const qint64 bytes = QFileInfo(s.site.path(QStringLiteral("logo.bmp"))).size();
    s.ui.nextFileName(s.site.path(QStringLiteral("chosen.bmp")));
    s.ui.when(QStringLiteral("frmSettings"), [&](FormDriver& window) {
        window.click(QStringLiteral("btnPreview"));  // "logo.bmp" in the data folder
        EXPECT_EQ(window.value(QStringLiteral("lblImageSize")), "Image Size: 4 x 3 pixels");
        EXPECT_EQ(window.value(QStringLiteral("lblFileSize")),
                  QStringLiteral("File Size: %1 bytes").arg(bytes));
        window.click(QStringLiteral("btnBrowse(1)"));
        EXPECT_EQ(window.value(QStringLiteral("txtLogo")),
                  s.site.path(QStringLiteral("chosen.bmp")));
        window.click(QStringLiteral("btnPreview"));
        EXPECT_EQ(window.value(QStringLiteral("lblImageSize")), "Error loading the file");
        EXPECT_EQ(window.value(QStringLiteral("lblFileSize")), "");
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.component.EditSettings(0, *s.system, stgLogoFile);
    EXPECT_EQ(s.setting("Files", "Logo"), s.site.path(QStringLiteral("chosen.bmp")));
}

}  // namespace
}  // namespace vel::testing
