// The common dialogs through the headless driver: what each Show... hands the dialog and what
// it reads back.
#include "reports/CCommonDialog.h"

#include "data/ErrorReporter.h"
#include "services/RuntimeError.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

namespace vel {
namespace {

struct DialogSite {
    DialogSite() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }
    HeadlessUi ui;
    ScopedUi scope;
    CCommonDialog dialog;
};

TEST(CCommonDialog, FileDialogsParseTheFilterCutTheNameAndKeepTheCurrentDirectory) {
    EXPECT_EQ(
        CCommonDialog::filterBuffer(QStringLiteral("Text Files|*.txt")),
        QStringLiteral("Text Files") + QChar(0) + QStringLiteral("*.txt") + QChar(0) + QChar(0));
    EXPECT_EQ(CCommonDialog::filterBuffer(QStringLiteral("CSV (*.csv)|*.csv|All Files (*.*)|*.*"))
                  .count(QChar(0)),
              5);

    DialogSite s;
    s.dialog.setMaxFileSize(0);
    EXPECT_EQ(s.dialog.bufferLength(), 255) << "below 1 means 255";
    s.dialog.setFilename(QString(300, QLatin1Char('x')));
    EXPECT_EQ(s.dialog.nameInBuffer().size(), 255);
    s.dialog.setMaxFileSize(12);
    EXPECT_EQ(s.dialog.nameInBuffer(), "xxxxxxxxxxxx");
    s.dialog.setflags(0);
    EXPECT_EQ(s.dialog.dialogFlags(), CCommonDialog::EnableHook | CCommonDialog::LongNames);
    s.dialog.setflags(CCommonDialog::ExplorerStyle);
    EXPECT_EQ(s.dialog.dialogFlags(), CCommonDialog::ExplorerStyle);

    QTemporaryDir other;
    const QString before = QDir::currentPath();
    s.dialog.setMaxFileSize(255);
    s.dialog.setDialogTitle(QStringLiteral("Name an Output File"));
    s.dialog.setInitDir(other.path());
    // The dialog may change the current directory; it is put back whatever the outcome.
    s.ui.nextFileName(QStringLiteral("/data/out/ACTIVITY.csv"));
    QDir::setCurrent(before);
    s.dialog.ShowSave();
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_EQ(s.dialog.Action(), CCommonDialog::ActionSave);
    EXPECT_EQ(s.dialog.APIReturn(), 1);
    EXPECT_EQ(s.dialog.Filename(), "/data/out/ACTIVITY.csv");
    EXPECT_EQ(s.dialog.FileTitle(), "ACTIVITY.csv");
    EXPECT_EQ(s.ui.transcript().windows().value(0), "Name an Output File");

    // A chosen path longer than the buffer is refused; the properties stay.
    s.dialog.setMaxFileSize(10);
    s.ui.nextFileName(QStringLiteral("/data/out/ELEMENT.csv"));
    s.dialog.ShowOpen();
    EXPECT_EQ(s.dialog.Action(), CCommonDialog::ActionOpen);
    EXPECT_EQ(s.dialog.APIReturn(), 0);
    EXPECT_EQ(s.dialog.ExtendedError(), CCommonDialog::BufferTooSmall);
    EXPECT_EQ(s.dialog.Filename(), "/data/out/ACTIVITY.csv");

    // An answer without a file name: the message with the extended code.
    s.dialog.setMaxFileSize(0);
    s.ui.nextFileName(QStringLiteral("/data/out/"));
    s.ui.answer(QStringLiteral("Error retrieving filename from OpenFileName structure.  The "
                               "Extended return code is: 12290"),
                IDOK);
    s.dialog.ShowOpen();
    EXPECT_EQ(s.dialog.ExtendedError(), CCommonDialog::InvalidFileName);
    EXPECT_EQ(s.ui.transcript().messages().back().style, MB_ICONINFORMATION);
    // The next dialog starts with the errors cleared.
    s.ui.nextFileName(QStringLiteral("/data/in/assoc.csv"));
    s.dialog.ShowOpen();
    EXPECT_EQ(s.dialog.ExtendedError(), 0);
    EXPECT_EQ(s.dialog.APIReturn(), 1);
}

TEST(CCommonDialog, CancelRaisesCancelPressedOnlyWithCancelErrorAndOtherwiseChangesNothing) {
    DialogSite s;
    s.dialog.setFilename(QStringLiteral("kept.csv"));
    s.dialog.setColor(0x123456);
    s.dialog.setFontName(QStringLiteral("Serif"));
    const QString before = QDir::currentPath();

    s.ui.nextFileName(QString());
    s.dialog.ShowOpen();
    s.ui.nextColor(HeadlessUi::CancelColor);
    s.dialog.ShowColor();
    EXPECT_EQ(s.dialog.Action(), CCommonDialog::ActionColor);
    s.ui.nextFont(FontChoice{.family = {}});
    s.dialog.ShowFont();
    EXPECT_EQ(s.dialog.APIReturn(), 0);
    EXPECT_EQ(s.dialog.Filename(), "kept.csv");
    EXPECT_EQ(s.dialog.Color(), 0x123456);
    EXPECT_EQ(s.dialog.FontName(), "Serif");

    s.dialog.setCancelError(true);
    s.ui.nextFileName(QString());
    s.ui.nextColor(HeadlessUi::CancelColor);
    s.ui.nextFont(FontChoice{.family = {}});
    s.ui.nextPrintSetup(PrintSetupChoice{});  // confirmed: no error
    const auto expectCancel = [](auto show) {
        try {
            show();
            ADD_FAILURE() << "no error raised";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), int(0x8004037E));
            EXPECT_EQ(error.description(), "Cancel Pressed");
        }
    };
    expectCancel([&] { s.dialog.ShowSave(); });
    EXPECT_EQ(QDir::currentPath(), before);
    expectCancel([&] { s.dialog.ShowColor(); });
    expectCancel([&] { s.dialog.ShowFont(); });
    EXPECT_NO_THROW(s.dialog.ShowPrinter());
    EXPECT_EQ(s.dialog.Filename(), "kept.csv");
}

TEST(CCommonDialog, ColourFontPrinterAndHelpReadTheChoicesBack) {
    DialogSite s;
    EXPECT_EQ(CCommonDialog::customColors()[15], 0xFFFFFF);
    s.ui.nextColor(0x0080FF);
    s.dialog.ShowColor();
    EXPECT_EQ(s.dialog.Color(), 0x0080FF);
    EXPECT_EQ(s.dialog.APIReturn(), 1);

    s.dialog.setFontSize(12);
    EXPECT_EQ(s.dialog.logicalFontHeight(96), -16);
    s.ui.nextFont(FontChoice{.family = QStringLiteral("DejaVu Sans"),
                             .size = 9,
                             .bold = true,
                             .italic = false,
                             .underline = true});
    s.dialog.ShowFont();
    EXPECT_EQ(s.dialog.Action(), CCommonDialog::ActionFont);
    EXPECT_EQ(s.dialog.FontName(), "DejaVu Sans");
    EXPECT_EQ(s.dialog.FontSize(), 9.0);
    EXPECT_TRUE(s.dialog.FontBold());
    EXPECT_TRUE(s.dialog.FontUnderline());
    EXPECT_FALSE(s.dialog.FontItalic());

    s.ui.nextPrintSetup(PrintSetupChoice{.printerName = QStringLiteral("Office"),
                                         .landscape = true,
                                         .copies = 3,
                                         .paperName = QStringLiteral("A4")});
    s.dialog.ShowPrinter();
    EXPECT_EQ(s.dialog.DeviceName(), "Office");
    EXPECT_EQ(s.dialog.Orientation(), 2);
    EXPECT_EQ(s.dialog.Copies(), 3);
    EXPECT_EQ(s.dialog.PaperSize(), 9);

    s.dialog.setHelpFile(QStringLiteral("velmor.hlp"));
    s.dialog.setHelpContext(42);
    s.dialog.ShowHelp();
    EXPECT_EQ(s.dialog.Action(), CCommonDialog::ActionHelp);
    EXPECT_EQ(s.ui.helpShown(), QStringList{"velmor.hlp#42"});
}

}  // namespace
}  // namespace vel
