// The editor shell's list window, driven headless through a small in-memory editor.
#include "MemoryListEditor.h"

#include "platform/print/PdfPrintOutput.h"
#include "platform/print/TextPrintOutput.h"
#include "ui/HeadlessUi.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/MessageBoxCodes.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace vel::test {
namespace {

// A headless Ui whose failures (unscripted windows, unanswered messages) fail the test.
struct ShellSite {
    ShellSite() : scoped(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }
    HeadlessUi ui;
    ScopedUi scoped;
    MemoryListEditor editor;
};

QString totalsOf(FormDriver& list) {
    return list.form().controlAs<Label>(QStringLiteral("lblTotals")).caption();
}

TEST(TBEditForm, ShowsLinesWithRecordNumbersAndTotalsAndAddsThroughTheRecordWindow) {
    ShellSite site;
    site.editor.add(QStringLiteral("Wrong pick"));
    site.editor.add(QStringLiteral("Short pick"));
    site.editor.add(QStringLiteral("Damaged"));
    site.ui.when("frmRecord", [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Record: 4");
        record.set("Text1(0)", "Mislabelled");
        record.click("SaveButtons1(1)");
    });
    site.ui.when("TBEditForm", [](FormDriver& list) {
        auto& view = list.form().controlAs<ListView>(QStringLiteral("lvList"));
        ASSERT_EQ(view.columns().size(), 2u);
        EXPECT_EQ(view.columns()[0].heading, "Description");  // column number 0
        EXPECT_EQ(view.columns()[1].heading, "Number");
        EXPECT_EQ(view.item(1).texts, (QStringList{"Short pick", "2"}));
        EXPECT_EQ(totalsOf(list), "3 active of 10 maximum");
        EXPECT_EQ(view.selectedLine(), 0) << "the first line is selected when the list opens";
        EXPECT_TRUE(list.click("btnAdd"));
        EXPECT_EQ(view.count(), 4);
        EXPECT_EQ(view.item(3).texts, (QStringList{"Mislabelled", "4"}));
        EXPECT_EQ(view.selectedLine(), 3) << "an added line is selected";
        EXPECT_EQ(totalsOf(list), "4 active of 10 maximum");
        EXPECT_TRUE(list.click("btnOK"));
    });
    EXPECT_TRUE(site.editor.list.Show(0));
    EXPECT_TRUE(site.editor.list.changed());
    EXPECT_FALSE(site.editor.list.isLoaded());
    EXPECT_EQ(site.editor.log, (QStringList{"AddRec", "EditSave"}));
    EXPECT_EQ(site.ui.transcript().windows(), (QStringList{"Mistake Table", "Add Record: 4"}));
}

TEST(TBEditForm, EditCopyAndDeleteCarryTheRecordNumbersOfTheSelectedLines) {
    ShellSite site;
    for (const char* text : {"A", "B", "C", "D", "E"}) {
        site.editor.add(QString::fromLatin1(text));
    }
    site.editor.list.setMultiDelete(true);
    site.ui.whenever("frmRecord", [](FormDriver& record) { record.click("SaveButtons1(2)"); });
    site.ui.when("TBEditForm", [&](FormDriver& list) {
        list.selectLine("lvList", 2);
        list.click("btnEdit");
        list.doubleClickLine("lvList", 4);
        list.selectLine("lvList", 1);
        list.click("btnCopy");
        // Lines 0 and 3 (records 1 and 4) selected together, deleted in one action.
        list.selectLine("lvList", 0);
        list.selectLine("lvList", 3, true);
        list.click("btnDelete");
        EXPECT_EQ(site.editor.list.lineCount(), 3);
        EXPECT_EQ(site.editor.list.lineOf(1), -1);
        EXPECT_EQ(site.editor.list.lineOf(4), -1);
        EXPECT_EQ(totalsOf(list), "3 active of 10 maximum");
        list.click("btnOK");
    });
    site.editor.list.Show(0);
    EXPECT_EQ(site.editor.log, (QStringList{"EditRec 3", "EditRec 5", "CopyRec 2", "DeleteRec 1",
                                            "DeleteRec 4", "EditSave"}));

    // Without multi-delete only one line is selected and deleted.
    ShellSite single;
    for (const char* text : {"A", "B", "C"}) {
        single.editor.add(QString::fromLatin1(text));
    }
    single.ui.when("TBEditForm", [](FormDriver& list) {
        list.selectLine("lvList", 0);
        list.selectLine("lvList", 2, true);
        list.click("btnDelete");
        list.click("btnOK");
    });
    single.editor.list.Show(0);
    EXPECT_EQ(single.editor.log, (QStringList{"DeleteRec 3", "EditSave"}));
}

TEST(TBEditForm, ViewOnlyTurnsAddingAndDeletingOffAndLabelsTheEditActionView) {
    ShellSite site;
    site.editor.add(QStringLiteral("Wrong pick"));
    site.editor.list.setViewOnly(true);
    site.ui.when("frmRecord", [](FormDriver& record) { record.click("SaveButtons1(2)"); });
    site.ui.when("TBEditForm", [](FormDriver& list) {
        EXPECT_EQ(list.form().control("btnEdit").caption(), "&View");
        EXPECT_FALSE(list.click("btnAdd"));
        EXPECT_FALSE(list.click("btnCopy"));
        EXPECT_FALSE(list.click("btnDelete"));
        EXPECT_TRUE(list.click("btnEdit"));
        list.click("btnCancel");
    });
    EXPECT_FALSE(site.editor.list.Show(0));
    EXPECT_EQ(site.editor.log, (QStringList{"EditRec 1", "EditCancel"}));
    EXPECT_EQ(site.editor.records.value(1), "Wrong pick");
    EXPECT_EQ(site.ui.transcript().lines().filter("refused:").size(), 3);
}

TEST(TBEditForm, OkAndCancelCloseOnlyWhenTheEditorAgrees) {
    ShellSite site;
    site.editor.add(QStringLiteral("Wrong pick"));
    site.editor.saveAllowed = false;
    site.editor.cancelAllowed = false;
    site.ui.when("TBEditForm", [&](FormDriver& list) {
        list.click("btnOK");
        EXPECT_TRUE(list.form().isLoaded()) << "a refused save keeps the list open";
        list.click("btnCancel");
        EXPECT_TRUE(list.form().isLoaded()) << "a refused cancel keeps the list open";
        EXPECT_FALSE(list.close()) << "closing by the frame is Cancel";
        site.editor.cancelAllowed = true;
        EXPECT_TRUE(list.close());
    });
    EXPECT_FALSE(site.editor.list.Show(0));
    EXPECT_FALSE(site.editor.list.saved());
    EXPECT_EQ(site.editor.log, (QStringList{"EditSave", "EditCancel", "EditCancel", "EditCancel"}));
}

TEST(TBEditForm, MovePreviousAndNextReopenTheNeighbouringLines) {
    ShellSite site;
    for (const char* text : {"A", "B", "C"}) {
        site.editor.add(QString::fromLatin1(text));
    }
    const auto move = [&](const char* button) {
        site.ui.when("frmRecord", [button](FormDriver& record) { record.click(button); });
    };
    move("btnMove(1)");  // record 2 -> next: 3
    move("btnMove(1)");  // record 3 is the last line: the move ends
    site.ui.when("TBEditForm", [&](FormDriver& list) {
        list.selectLine("lvList", 1);
        list.click("btnEdit");
        EXPECT_EQ(site.editor.list.selectedRecord(), 3);
        move("btnMove(0)");  // record 3 -> previous: 2
        move("btnMove(0)");  // record 2 -> previous: 1
        site.ui.when("frmRecord", [](FormDriver& record) {
            EXPECT_EQ(record.form().caption(), "Edit Record: 1");
            record.set("Text1(0)", "A changed");
            record.click("SaveButtons1(1)");
        });
        list.click("btnEdit");
        list.click("btnOK");
    });
    site.editor.list.Show(0);
    EXPECT_EQ(site.editor.log, (QStringList{"EditRec 2", "EditRec 3", "EditRec 3", "EditRec 2",
                                            "EditRec 1", "EditSave"}));
    EXPECT_EQ(site.editor.list.lineTexts(1), (QStringList{"A changed", "1"}));
}

TEST(TBEditForm, AShutdownRequestClosesTheListOnATimerTickOrBeforeAnAction) {
    ShellSite site;
    site.editor.add(QStringLiteral("Wrong pick"));
    site.editor.cancelAllowed = false;  // a shutdown closes the list anyway
    site.ui.when("TBEditForm", [&](FormDriver&) {
        EXPECT_FALSE(site.editor.list.timerTick());
        site.editor.shutdownPending = true;
        EXPECT_TRUE(site.editor.list.timerTick());
    });
    site.editor.list.Show(0);
    EXPECT_FALSE(site.editor.list.isLoaded());
    EXPECT_EQ(site.editor.shutdownQuestions, 2);
    EXPECT_EQ(site.editor.log, (QStringList{"EditCancel"}));

    ShellSite second;
    second.editor.add(QStringLiteral("Wrong pick"));
    second.editor.shutdownPending = true;
    second.ui.when("TBEditForm", [&](FormDriver& list) {
        list.click("btnAdd");
        EXPECT_FALSE(list.form().isLoaded());
    });
    second.editor.list.Show(0);
    EXPECT_EQ(second.editor.log, (QStringList{"EditCancel"})) << "no AddRec after a shutdown";
}

TEST(TBEditForm, ActionButtonsAndHelpReachTheEditor) {
    ShellSite site;
    site.editor.add(QStringLiteral("Wrong pick"));
    EXPECT_EQ(site.editor.list.addActionButton(QStringLiteral("Update...")), 1);
    EXPECT_EQ(site.editor.list.addActionButton(QStringLiteral("Fixup CorpControl")), 2);
    site.editor.list.setHelp(QStringLiteral("velmor.hlp"), 310);
    site.ui.when("TBEditForm", [](FormDriver& list) {
        EXPECT_EQ(list.form().control("btnAction(2)").caption(), "Fixup CorpControl");
        list.click("btnAction(2)");
        list.click("btnAction(1)");
        list.click("btnHelp");
        list.click("btnOK");
    });
    site.editor.list.Show(0);
    EXPECT_EQ(site.editor.log,
              (QStringList{"ActionButton 2", "ActionButton 1", "ShowHelp 310", "EditSave"}));
}

// Sends one document to a text rendering and a PDF file.
class TextAndPdf : public PrintOutput {
  public:
    explicit TextAndPdf(const QString& pdfPath) : pdf(pdfPath) {}
    bool output(const PrintDocument& document, QString& error) override {
        return text.output(document, error) && pdf.output(document, error);
    }
    TextPrintOutput text;
    PdfPrintOutput pdf;
};

TEST(TBEditForm, PrintListsOneLinePerRecordWithTheHeaderOnEveryPage) {
    QTemporaryDir folder;
    const QString pdfPath = folder.filePath(QStringLiteral("mistakes.pdf"));
    TextAndPdf output(pdfPath);
    ShellSite site;
    const int records = 70;  // more than one page at 12 points
    for (int i = 1; i <= records; ++i) {
        site.editor.add(QStringLiteral("Mistake %1").arg(i));
    }
    site.editor.list.setPrintOutput(&output);
    site.ui.when("TBEditForm", [](FormDriver& list) {
        list.click("btnPrint");
        list.click("btnOK");
    });
    site.editor.list.Show(0);
    EXPECT_EQ(site.editor.log.mid(0, 3), (QStringList{"PrintOptions", "DeviceInit", "PrintInit"}));

    const QStringList& lines = output.text.lines();
    const int pages = int(lines.count("\f")) + 1;
    EXPECT_GE(pages, 2);
    EXPECT_EQ(lines.count("List of Mistakes"), pages);
    EXPECT_EQ(lines.count("Number  Description"), pages);
    for (int i = 1; i <= records; ++i) {
        EXPECT_EQ(lines.count(QStringLiteral("%1  Mistake %2").arg(i, 6).arg(i)), 1) << i;
    }
    EXPECT_EQ(lines.last(), QStringLiteral("%1 active of 10 maximum").arg(records));
    EXPECT_GT(QFileInfo(pdfPath).size(), 1000);

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdfPath, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_EQ(text.count(QStringLiteral("List of Mistakes")), pages);
    EXPECT_TRUE(text.contains(QStringLiteral("Mistake 70")));
}

TEST(TBEditForm, PrintWithoutAnOutputOrWithCancelledOptionsPrintsNothing) {
    ShellSite site;
    site.editor.add(QStringLiteral("Wrong pick"));
    site.ui.answer("There is no printer available for the list", IDOK);
    site.ui.when("TBEditForm", [&](FormDriver& list) {
        list.click("btnPrint");
        TextPrintOutput text;
        site.editor.list.setPrintOutput(&text);
        site.editor.cancelPrint = true;
        list.click("btnPrint");
        EXPECT_TRUE(text.lines().isEmpty());
        site.editor.list.setPrintOutput(nullptr);
        list.click("btnOK");
    });
    site.editor.list.Show(0);
    EXPECT_EQ(site.editor.log, (QStringList{"PrintOptions", "EditSave"}));
    EXPECT_EQ(site.ui.transcript().prompts(),
              (QStringList{"There is no printer available for the list"}));
}

}  // namespace
}  // namespace vel::test
