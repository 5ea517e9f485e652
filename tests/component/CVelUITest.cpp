#include "component/CVelUI.h"
#include "component/CorporateControlCheck.h"
#include "component/OperationCatalog.h"
#include "data/TableCatalogue.h"
#include "data/records/AssociateRecord.h"
#include "data/records/ElementRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "host/HostTestSupport.h"
#include "platform/print/TextPrintOutput.h"
#include "platform/transfer/ZipArchive.h"
#include "services/RuntimeError.h"
#include "ui/Form.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <gtest/gtest.h>

using namespace vel;
using vel::testing::TestSite;

namespace {

// A component, a headless Ui and a reference system on a temporary folder.
struct Harness {
    Harness() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        system = site.open();
    }
    QString call(const QString& name, QHash<QString, QString> arguments = {}) {
        const CallOutcome outcome = OperationCatalog::call(component, *system, 0, name, arguments);
        EXPECT_TRUE(outcome.called()) << outcome.refusal.toStdString();
        return outcome.errorNumber ? QStringLiteral("error %1").arg(outcome.errorNumber) : outcome.result;
    }
    void writeFile(const QString& path, const QByteArray& bytes = "x") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    TestSite site;
    HeadlessUi ui;
    ScopedUi scope;
    std::unique_ptr<ReferenceSystem> system;
    CVelUI component;
};

}  // namespace

TEST(CVelUI, EveryOperationAnswersItsFixedResult) {
    Harness h;
    h.ui.answerAlways(QStringLiteral("is not available yet"), IDOK);
    h.ui.answerAlways(QStringLiteral("PPA Module must be Active"), IDOK);
    h.ui.answerAlways(QStringLiteral("There is no printer available"), IDOK);
    // An empty system has no work center to edit or import associates for.
    h.ui.answerAlways(QStringLiteral("There must be at least one Work Center record active"), IDOK);
    h.ui.answerAlways(QStringLiteral("OK to Continue with the Rebuild?"), IDCANCEL);
    h.ui.whenever(QStringLiteral("frmOKtoView"), [](FormDriver& question) {
        question.click(QStringLiteral("Option1(1)"));
        question.click(QStringLiteral("cmdOK"));
    });
    const QHash<QString, QString> file{{QStringLiteral("ImportFile"), QStringLiteral("assoc.csv")}};
    const QHash<QString, QString> expected{
        {QStringLiteral("EditAssociate"), QStringLiteral("False")},
        {QStringLiteral("EditMistakes"), QStringLiteral("False")},
        {QStringLiteral("PrintAssocAccountability"), QStringLiteral("False")},
        {QStringLiteral("PrintDayInfo"), QStringLiteral("False")},
        {QStringLiteral("ReindexStandards"), QStringLiteral("False")},
        {QStringLiteral("ReBuildStandards"), QStringLiteral("False")},
        {QStringLiteral("CheckCorpAssocImport"), QStringLiteral("False")},
        {QStringLiteral("CommandLineFlag"), QStringLiteral("0")},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        EXPECT_EQ(h.call(it.key()), it.value()) << it.key().toStdString();
    }
    // The imports answer True; a failure is told in the messages.
    EXPECT_EQ(h.call(QStringLiteral("ImportAssociatesEX1"), file), QStringLiteral("True"));
    h.ui.answerAlways(QStringLiteral("Error opening import file. "), IDOK);
    EXPECT_EQ(h.call(QStringLiteral("ImportAllocations"), file), QStringLiteral("True"));
    EXPECT_EQ(h.call(QStringLiteral("ImportAssociates"), file), QStringLiteral("True"));
    h.ui.answer(QStringLiteral("no server address is set up"), IDOK);
    EXPECT_EQ(h.call(QStringLiteral("DownloadComponent"), {{QStringLiteral("FTPFileName"), QStringLiteral("a.zip")}}),
              QString());
    EXPECT_EQ(h.call(QStringLiteral("CommandLineFlag"), {{QStringLiteral("Value"), QStringLiteral("2")}}),
              QStringLiteral("2"));
    EXPECT_EQ(h.component.CommandLineFlag(), eCMDCommandLine);
    // Only the associate editor's view-or-modify choice, before its work-center check.
    EXPECT_EQ(h.ui.transcript().windows(), QStringList{QStringLiteral("Open Table")});
    EXPECT_EQ(OperationCatalog::operations().size(), 37u);

    // The list editors show their lists; closing them answers their fixed result too.
    ElementRecord element;
    element.Desc = QStringLiteral("Cases");
    auto& elements = h.system->elements();
    ASSERT_TRUE(elements.open());
    elements.setRecord(1, element);  // the element list needs one active element to close
    ASSERT_TRUE(elements.save());
    elements.close();
    h.ui.whenever(QStringLiteral("TBEditForm"),
                  [](FormDriver& list) { list.click(QStringLiteral("btnCancel")); });
    EXPECT_EQ(h.call(QStringLiteral("EditElement")), QStringLiteral("False"));
    EXPECT_EQ(h.call(QStringLiteral("EditAllocation")), QStringLiteral("False"));
    auto& centers = h.system->workCenters();  // the list needs one active work center to close
    ASSERT_TRUE(centers.open());
    centers.setRecord(1, vel::testing::withCode<WorkCenterRecord>(QStringLiteral("W1")));
    ASSERT_TRUE(centers.save());
    centers.close();
    EXPECT_EQ(h.call(QStringLiteral("EditWorkCenter")), QStringLiteral("False"));
    auto& types = h.system->typesOfWork();  // and one type of work
    ASSERT_TRUE(types.open());
    types.setRecord(1, vel::testing::withCode<TypeOfWorkRecord>(QStringLiteral("PICK")));
    ASSERT_TRUE(types.save());
    types.close();
    // The type-of-work editor first offers to view or modify the table, and answers whether it
    // was opened for modification.
    h.ui.when(QStringLiteral("frmOKtoView"), [](FormDriver& question) {
        question.click(QStringLiteral("Option1(1)"));
        question.click(QStringLiteral("cmdOK"));
    });
    EXPECT_EQ(h.call(QStringLiteral("EditTypeofWork")), QStringLiteral("True"));
    EXPECT_EQ(h.ui.transcript().windows(),
              (QStringList{QStringLiteral("Open Table"), QStringLiteral("Open Table"),
                           QStringLiteral("Element Table"), QStringLiteral("Allocation Table"),
                           QStringLiteral("Work Center Table"), QStringLiteral("Open Table"),
                           QStringLiteral("Type of Work Table")}));
}

TEST(CVelUI, ImportAssociatesTakesTheSkipCountsFromTheSettingsWhenBothAreZero) {
    Harness h;
    auto& centers = h.system->workCenters();
    ASSERT_TRUE(centers.open());
    centers.setRecord(1, vel::testing::withCode<WorkCenterRecord>(QStringLiteral("W1")));
    ASSERT_TRUE(centers.save());
    centers.close();
    h.site.setSetting(QStringLiteral("ImportFiles"), QStringLiteral("AssocRows"), QStringLiteral("1"));
    const QString path = h.site.path(QStringLiteral("assoc.csv"));
    h.writeFile(path, "CODE,LAST NAME\nA1,LEE,ANN,W1\nA2,Ng\n");
    h.ui.answer(QStringLiteral("Importing Complete.  There were: \n2 records added"), IDOK);
    h.ui.answerAlways(QStringLiteral("is not available yet"), IDOK);
    EXPECT_TRUE(h.component.ImportAssociatesEX(0, *h.system, path, 0, 0));
    auto& associates = h.system->associates();
    ASSERT_TRUE(associates.open());
    EXPECT_EQ(associates.activeCount(), 2) << "the header line was skipped";
    EXPECT_EQ(associates.record(associates.find(QStringLiteral("A1"))).LastName, "Lee");
}

TEST(CVelUI, CallsByNameRefuseUnknownOperationsArgumentsAndValues) {
    Harness h;
    const auto refusal = [&](const QString& name, const QHash<QString, QString>& arguments) {
        return OperationCatalog::call(h.component, *h.system, 0, name, arguments).refusal;
    };
    EXPECT_EQ(refusal(QStringLiteral("EditNothing"), {}), QStringLiteral("There is no operation EditNothing"));
    EXPECT_EQ(refusal(QStringLiteral("EditSettings"), {}), QStringLiteral("EditSettings needs SettingType=..."));
    EXPECT_TRUE(refusal(QStringLiteral("EditSettings"), {{QStringLiteral("SettingType"), QStringLiteral("three")}})
                    .contains(QStringLiteral("is not a valid whole number")));
    EXPECT_TRUE(refusal(QStringLiteral("EditMistakes"), {{QStringLiteral("Colour"), QStringLiteral("1")}})
                    .contains(QStringLiteral("takes no argument")));
}

TEST(CVelUI, SetPrefillDataCopiesTheArraysFromOneOrLeavesThemEmpty) {
    CVelUI component;
    const std::vector<short> types{99, 1, 2, 3, 4};
    const std::vector<short> numbers{99, 10, 20, 30, 40};
    EXPECT_TRUE(component.SetPrefillData(2, 1, QDate(2024, 1, 1), QDate(2024, 1, 31), 3, types, numbers));
    const PrefillRecord& stored = component.prefill();
    EXPECT_EQ(stored.SeqType, (std::vector<short>{0, 1, 2, 3}));
    EXPECT_EQ(stored.SeqNum, (std::vector<short>{0, 10, 20, 30}));
    EXPECT_EQ(stored.LastDate, QDate(2024, 1, 31));

    EXPECT_TRUE(component.SetPrefillData(0, 0, {}, {}, 0, types, numbers));
    EXPECT_TRUE(component.prefill().SeqType.empty());
    EXPECT_TRUE(component.prefill().SeqNum.empty());
    EXPECT_FALSE(component.prefill().isSet());
}

TEST(CVelUI, EditSettingsRefusesABadSettingTypeWithErrorFiveAndNoWindow) {
    Harness h;
    for (short type : {short(-1), short(13)}) {
        try {
            h.component.EditSettings(0, *h.system, type);
            ADD_FAILURE() << "type " << type << " must raise error 5";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), 5);
            EXPECT_EQ(error.description(), QStringLiteral("Bad Setting Type"));
        }
    }
    EXPECT_TRUE(h.ui.transcript().messages().empty());
    h.ui.when(QStringLiteral("frmSettings"), [](FormDriver& window) { window.close(); });
    EXPECT_FALSE(h.component.EditSettings(0, *h.system, stgMaxAllocation));
    EXPECT_EQ(h.ui.transcript().windows(), QStringList{QStringLiteral("Settings")});
    EXPECT_TRUE(h.ui.transcript().lines().contains(QStringLiteral("status: Loading files ...")));
}

TEST(CVelUI, MistakesAndAccountabilityFollowTheirFeatureFlags) {
    Harness h;
    EXPECT_FALSE(h.component.EditMistakes(0, *h.system));
    EXPECT_TRUE(h.ui.transcript().lines().isEmpty()) << "tracking off: nothing at all happens";

    h.ui.answer(QStringLiteral("The PPA Module must be Active before this report can be printed"), IDOK);
    EXPECT_FALSE(h.component.PrintAssocAccountability(0, *h.system));
    EXPECT_EQ(h.ui.transcript().messages().back().style, MB_ICONINFORMATION);

    h.site.setSetting(QStringLiteral("Features"), QStringLiteral("MistakeTracking"), QStringLiteral("1"));
    h.system = h.site.open();
    h.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Mistake Table");
        list.click(QStringLiteral("btnCancel"));
    });
    EXPECT_TRUE(h.component.EditMistakes(0, *h.system));
    EXPECT_EQ(h.ui.transcript().windows().filter(QStringLiteral("Mistake Table")).size(), 1);
}

TEST(CorporateControlCheck, RefusesWithoutTheControlFilesAndCopiesThemWhenPresent) {
    Harness h;
    QTemporaryDir corporate;
    h.site.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"), QStringLiteral("1"));
    h.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), corporate.path());

    h.ui.answer(QStringLiteral("Corporate Control file does not exist.  Try Creating the Corporate Control "
                               "files from the Corporate System.\n\nYou cannot edit Velmor tables without "
                               "the control file."),
                IDOK);
    EXPECT_FALSE(corporateControlCheck(*h.system));

    const QString control = corporate.filePath(QStringLiteral("TBCCACT.--4"));
    h.writeFile(control, "control activities");
    ASSERT_TRUE(ZipArchive::pack({control}, corporate.filePath(QStringLiteral("TBCCnt4.ZIP"))).ok);
    h.ui.answer(QStringLiteral("All of the Corporate Control files for Activities do not exist."), IDOK);
    EXPECT_FALSE(corporateControlCheck(*h.system));

    for (const char* table : {"TBVMACT.--4", "TBVMELM.--4", "TBVMTOW.--4"}) {
        h.writeFile(corporate.filePath(QString::fromLatin1(table)), table);
    }
    EXPECT_TRUE(corporateControlCheck(*h.system));
    const QDir local(TableCatalogue(h.site.folder, 1).corporateSubfolder());
    EXPECT_TRUE(local.exists(QStringLiteral("TBVMACT.--1"))) << "copied under the site's number";
    EXPECT_TRUE(local.exists(QStringLiteral("TBVMTOW.--1")));
    EXPECT_TRUE(local.exists(QStringLiteral("TBCCACT.--4"))) << "unpacked from the control zip";
    EXPECT_TRUE(h.ui.transcript().lines().contains(QStringLiteral("status: Unzipping Corporate Control Files")));
}

TEST(CorporateControlCheck, AFolderWithControlOffAsksAndOnlyYesGoesOn) {
    Harness h;
    h.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), h.site.folder);
    h.ui.answer(QStringLiteral("The Corporate Control Folder has been defined, but the Control setting is off."), IDNO);
    EXPECT_FALSE(corporateControlCheck(*h.system));
    EXPECT_EQ(h.ui.transcript().messages().back().style, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    EXPECT_TRUE(h.ui.transcript().messages().back().prompt.endsWith(QStringLiteral("Are you sure you want to continue?")));
    h.ui.answer(QStringLiteral("Control setting is off"), IDYES);
    EXPECT_TRUE(corporateControlCheck(*h.system));
}

TEST(CVelUI, PrintDayInfoPrintsTheListUnderTheSystemsHeaderOrSaysWhyNot) {
    Harness h;
    TextPrintOutput text;
    ScopedPrintOutput printing(text);
    EXPECT_FALSE(h.component.PrintDayInfo(0, *h.system));
    const QStringList lines = text.lines();
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("Test Site - System 1")));
    EXPECT_TRUE(lines.filter(QStringLiteral("List of Day Info")).size() == 1);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral(
                  "^Date +Lines +Associates +Total Hours +Measured Hours +Earned Hours +Units +Cost "
                  "+Audited Units +Failed Units +File Date +Times")))
                  .size(),
              1);

    h.system.reset();
    ASSERT_TRUE(QFile::remove(h.site.path(QStringLiteral("TBDAYFIL.--1"))));
    h.system = h.site.open();
    h.ui.answer(QStringLiteral("Cannot List info because cannot Open the Day File"), IDOK);
    EXPECT_FALSE(h.component.PrintDayInfo(0, *h.system));
    EXPECT_EQ(h.ui.transcript().messages().back().style, MB_ICONEXCLAMATION);
}

TEST(OperationCatalog, NamesTheOperationsThatPaintNoPage) {
    // Every name of the list is an operation (a misspelt one would quietly start the graphical
    // application again); reports, listings and the week-end's print-outs paint.
    int withoutPages = 0;
    for (const OperationInfo& info : OperationCatalog::operations()) {
        withoutPages += OperationCatalog::paintsNothing(info.name) ? 1 : 0;
    }
    EXPECT_EQ(withoutPages, 13);
    EXPECT_TRUE(OperationCatalog::paintsNothing(QStringLiteral("exporttables")));
    EXPECT_TRUE(OperationCatalog::paintsNothing(QStringLiteral("WriteActivityDetailData")));
    for (const char* painting : {"PrintQuickReport", "WeekEndProcess", "EditActivity",
                                 "ExportActivityDetail", "PrintAssocHist", "NoSuchOperation"}) {
        EXPECT_FALSE(OperationCatalog::paintsNothing(QLatin1String(painting))) << painting;
    }
}
