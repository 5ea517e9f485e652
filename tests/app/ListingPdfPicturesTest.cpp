// The printed listings of the master-table editors on the demo site, as PDF
// files turned into PNG pictures (pdftoppm) for people to look at, and read back as text.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "platform/print/PdfPrintOutput.h"
#include "ui/FormDriver.h"
#include "ui/MessageBoxCodes.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace vel::testing {
namespace {

TEST(ListingPictures, EachEditorsListingPrintsToALegiblePdf) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    DemoEditorSite site;
    CVelUI component;
    site.ui.whenever(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnPrint"));
        list.click(QStringLiteral("btnCancel"));
    });
    site.ui.whenever(QStringLiteral("frmOKtoView"), [](FormDriver& question) {
        question.click(QStringLiteral("Option1(1)"));
        question.click(QStringLiteral("cmdOK"));
    });
    const struct {
        const char* name;
        bool (CVelUI::*operation)(CVelUI::Handle, VelmorSystem&);
        const char* title;
    } listings[] = {{"mistakes", &CVelUI::EditMistakes, "List of Mistakes"},
                    {"elements", &CVelUI::EditElement, "List of Elements"},
                    {"allocations", &CVelUI::EditAllocation, "List of Allocations"},
                    {"workcenters", &CVelUI::EditWorkCenter, "List of Work Centers"},
                    {"typesofwork", &CVelUI::EditTypeofWork, "List of Types of Work"}};
    for (const auto& listing : listings) {
        const QString base = editorPictureFolder() + QStringLiteral("/listing-") +
                             QString::fromLatin1(listing.name);
        PdfPrintOutput pdf(base + QStringLiteral(".pdf"), 100);
        ScopedPrintOutput printing(pdf);
        (component.*listing.operation)(0, *site.system);
        ASSERT_TRUE(QFileInfo::exists(pdf.filePath())) << listing.name;
        runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                         QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                         QStringLiteral("1"), pdf.filePath(), base});
        EXPECT_TRUE(QFileInfo::exists(base + QStringLiteral("-1.png"))) << listing.name;
        const QString text = runTool(QStringLiteral("pdftotext"), {pdf.filePath(), QStringLiteral("-")});
        EXPECT_TRUE(text.contains(QString::fromLatin1(listing.title))) << text.left(300).toStdString();
    }
}

}  // namespace
}  // namespace vel::testing
