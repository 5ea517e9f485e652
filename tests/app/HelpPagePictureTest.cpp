// A help page as a person reads it: the associate editor's page rendered with its style sheet
// and saved as a picture; its links lead to pages of the help set.
#include "EditorPictures.h"

#include "services/HelpTopics.h"

#include <QFile>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QUrl>

namespace vel::testing {
namespace {

TEST(HelpPagePicture, TheAssociateEditorsPageRendersWithItsStyleAndWorkingLinks) {
    const QString folder = helpFolder();
    ASSERT_FALSE(folder.isEmpty());
    QTextBrowser browser;
    browser.setSearchPaths({folder});
    // The desktop's browser reads the linked style sheet; the text browser is given it.
    QFile style(folder + QStringLiteral("/help.css"));
    ASSERT_TRUE(style.open(QIODevice::ReadOnly));
    browser.document()->setDefaultStyleSheet(QString::fromUtf8(style.readAll()));
    browser.setSource(QUrl::fromLocalFile(folder + QStringLiteral("/associate-editor.html")));
    browser.resize(820, 1100);
    browser.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(browser.documentTitle(), "Associates - Velmor help");
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("Associate Code is not unique")));

    // Every link of the page names a page that exists in the help folder.
    int links = 0;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QString href = fragment.fragment().charFormat().anchorHref();
            if (!href.isEmpty()) {
                ++links;
                EXPECT_TRUE(QFile::exists(folder + u'/' + href)) << href.toStdString();
            }
        }
    }
    EXPECT_GE(links, 3);

    const QImage picture = browser.grab().toImage();
    EXPECT_TRUE(picture.save(editorPictureFolder() + QStringLiteral("/help-associate-editor.png")));
}

}  // namespace
}  // namespace vel::testing
