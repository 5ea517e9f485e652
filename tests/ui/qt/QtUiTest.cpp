// The desktop Ui: modal display in front of the right owner, message boxes with the styles'
// buttons and answers, the common dialogs' conversions, sounds and the status sink.
#include "ModalDriver.h"

#include "services/Registry.h"
#include "ui/ControlGallery.h"
#include "ui/MessageBoxCodes.h"
#include "ui/SaveButtons.h"
#include "ui/TextBox.h"
#include "ui/qt/FileFilter.h"
#include "ui/qt/FormDialog.h"
#include "ui/qt/FormRenderer.h"
#include "ui/qt/QtUi.h"

#include <gtest/gtest.h>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace vel {
namespace {

using testing::whenModalShows;

// A small window that a test opens from inside the gallery.
class InnerForm : public Form {
public:
    InnerForm() : Form(QStringLiteral("frmInner"), QStringLiteral("Inner")) {
        saveButtons(QStringLiteral("SaveButtons1")).clicked([this](int) { hide(); });
    }
};

bool isWindowOf(QWidget* window, const char* formName) {
    return window->objectName() == QLatin1String(formName);
}

const QStringList textAndAllFiles = {QStringLiteral("Text Files (*.txt)"),
                                     QStringLiteral("All Files (*)")};

struct MessageCase {
    int style;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton defaultButton;
    int press;  // a button's answer, or 0 for Escape
    int expected;
};

TEST(QtUiMessageBox, ShowsTheStylesButtonsIconAndDefaultAndReturnsTheAnswer) {
    const MessageCase cases[] = {
        {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::Question, QMessageBox::No, IDYES, IDYES},
        {MB_OKCANCEL | MB_ICONEXCLAMATION, QMessageBox::Ok | QMessageBox::Cancel,
         QMessageBox::Warning, QMessageBox::Ok, IDCANCEL, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_ICONHAND | MB_DEFBUTTON3,
         QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Critical,
         QMessageBox::Ignore, IDRETRY, IDRETRY},
        {MB_YESNOCANCEL | MB_ICONINFORMATION,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Information,
         QMessageBox::Yes, 0, IDCANCEL},
        {MB_YESNO, QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon, QMessageBox::Yes, 0,
         IDNO},
        {MB_RETRYCANCEL, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::NoIcon,
         QMessageBox::Retry, IDRETRY, IDRETRY},
    };
    QtUi ui;
    for (const MessageCase& example : cases) {
        SCOPED_TRACE(example.style);
        QMessageBox::StandardButtons shown;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QString text;
        QString title;
        whenModalShows<QMessageBox>([&](QMessageBox* box) {
            shown = box->standardButtons();
            icon = box->icon();
            defaultButton = box->standardButton(box->defaultButton());
            text = box->text();
            title = box->windowTitle();
            if (example.press == 0) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else if (example.press == IDYES) {
                box->button(QMessageBox::Yes)->click();
            } else if (example.press == IDCANCEL) {
                box->button(QMessageBox::Cancel)->click();
            } else if (example.press == IDRETRY) {
                box->button(QMessageBox::Retry)->click();
            }
        });
        const int answer = ui.messageBox(QStringLiteral("Delete the record?"), example.style,
                                         QStringLiteral("Velmor"));
        EXPECT_EQ(answer, example.expected);
        EXPECT_EQ(shown, example.buttons);
        EXPECT_EQ(icon, example.icon);
        EXPECT_EQ(defaultButton, example.defaultButton);
        EXPECT_EQ(text, QStringLiteral("Delete the record?"));
        EXPECT_EQ(title, QStringLiteral("Velmor"));
    }
}

TEST(QtUiModal, RunsTheFormInFrontOfTheHostWindowUntilItIsHidden) {
    QWidget host;
    host.setWindowTitle(QStringLiteral("Host"));
    host.show();
    QtUi ui;
    ScopedUi scoped(ui);
    ControlGallery gallery;
    gallery.setOwner({nullptr, quintptr(host.winId())});

    QWidget* parent = nullptr;
    Form* active = nullptr;
    bool modal = false;
    whenModalShows<FormDialog>([&](FormDialog* dialog) {
        parent = dialog->parentWidget();
        modal = dialog->isModal();
        QApplication::setActiveWindow(dialog);
        active = ui.activeForm();
        FormRenderer* renderer = ui.rendererFor(gallery);
        QTest::keyClicks(renderer->widgetAs<QLineEdit>(QStringLiteral("txtCode")),
                         QStringLiteral("rcv"));
        renderer->widgetAs<QPushButton>(QStringLiteral("SaveButtons1(1)"))->click();
    });
    ui.runModal(gallery);

    EXPECT_EQ(parent, &host);
    EXPECT_TRUE(modal);
    EXPECT_EQ(active, &gallery);
    EXPECT_TRUE(gallery.confirmed());
    EXPECT_EQ(gallery.controlAs<TextBox>(QStringLiteral("txtCode")).text(), QStringLiteral("RCV"));
    EXPECT_FALSE(gallery.isVisible());
    EXPECT_EQ(ui.rendererFor(gallery), nullptr);
    EXPECT_EQ(ui.activeForm(), nullptr);
}

TEST(QtUiModal, AWindowOpenedFromAnotherIsOwnedByItAndItsMessagesToo) {
    QtUi ui;
    ScopedUi scoped(ui);
    ControlGallery gallery;
    InnerForm inner;
    QWidget* innerParent = nullptr;
    QWidget* galleryDialog = nullptr;
    QString message;
    QWidget* messageParent = nullptr;

    whenModalShows<FormDialog>(
        [&](FormDialog* outer) {
            galleryDialog = outer;
            whenModalShows<FormDialog>(
                [&](FormDialog* dialog) {
                    innerParent = dialog->parentWidget();
                    QTest::keyClick(dialog, Qt::Key_Escape);
                },
                [](FormDialog* dialog) { return isWindowOf(dialog, "frmInner"); });
            inner.setOwner({&gallery, 0});
            ui.runModal(inner);  // returns once Escape has hidden it

            // OK without a code: the gallery's message, in front of the gallery.
            whenModalShows<QMessageBox>([&](QMessageBox* box) {
                message = box->text();
                messageParent = box->parentWidget();
                box->button(QMessageBox::Ok)->click();
            });
            ui.rendererFor(gallery)
                ->widgetAs<QPushButton>(QStringLiteral("SaveButtons1(1)"))
                ->click();
            EXPECT_TRUE(gallery.isVisible());
            EXPECT_EQ(gallery.focused(), &gallery.control(QStringLiteral("txtCode")));
            ui.rendererFor(gallery)
                ->widgetAs<QPushButton>(QStringLiteral("SaveButtons1(2)"))
                ->click();
        },
        [](FormDialog* dialog) { return isWindowOf(dialog, "frmGallery"); });
    ui.runModal(gallery);

    EXPECT_EQ(innerParent, galleryDialog);
    EXPECT_EQ(message, QStringLiteral("Enter a code for the activity."));
    EXPECT_EQ(messageParent, galleryDialog);
    EXPECT_FALSE(gallery.confirmed());
    EXPECT_FALSE(gallery.isVisible());
}

TEST(QtUiModal, AFormThatHidesItselfWhileLoadingShowsNoWindow) {
    class Vanishing : public Form {
    public:
        Vanishing() : Form(QStringLiteral("frmVanishing"), QStringLiteral("Vanishing")) {}

    protected:
        void Form_Load() override { unload(); }
    };
    QtUi ui;
    Vanishing form;
    ui.runModal(form);  // must return at once instead of waiting for a window
    EXPECT_FALSE(form.isLoaded());
}

TEST(QtUiModal, AWindowsTimerTicksWhileItShowsUntilItsHandlerClosesIt) {
    QtUi ui;
    InnerForm form;
    int ticks = 0;
    form.setTimer(5, [&] {
        if (++ticks == 3) {
            form.unload();
        }
    });
    ui.runModal(form);  // returns only because the third tick unloads the window
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(form.isLoaded());
}

TEST(FileFilter, PairedFiltersBecomeQtNameFilters) {
    EXPECT_EQ(qtNameFilters(QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*")),
              textAndAllFiles);
    EXPECT_EQ(qtNameFilters(QStringLiteral("Data Files|*.csv;*.txt")),
              QStringList({QStringLiteral("Data Files (*.csv *.txt)")}));
    // A description's own parentheses would be read as patterns; the real ones replace them.
    EXPECT_EQ(qtNameFilters(QStringLiteral("Tables (dBase)|*.dbf")),
              QStringList({QStringLiteral("Tables (*.dbf)")}));
    EXPECT_EQ(qtNameFilters(QStringLiteral("*.zip")),
              QStringList({QStringLiteral("*.zip (*.zip)")}));
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}

TEST(QtUiFileDialogs, OpenAndSaveUseTheFiltersAndHideThePlacesBarWhenSwitchedOff) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Registry::setStorageFile(folder.filePath(QStringLiteral("registry.reg")));
    QtUi ui;
    FileDialogRequest request;
    request.title = QStringLiteral("Import Associates");
    request.folder = folder.path();
    request.filter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    request.mustExist = false;

    QStringList filters;
    bool nonNative = true;
    whenModalShows<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
        dialog->reject();
    });
    EXPECT_TRUE(ui.openFileName(request).isEmpty());
    EXPECT_EQ(filters, textAndAllFiles);
    EXPECT_FALSE(nonNative);  // the desktop's own dialog where it has one

    ASSERT_TRUE(Registry::redirectCurrentUser());
    ASSERT_TRUE(Registry::suppressPlacesBar());
    request.defaultExtension = QStringLiteral("txt");
    bool sidebarShown = true;
    QString title;
    whenModalShows<QFileDialog>([&](QFileDialog* dialog) {
        sidebarShown = !dialog->sidebarUrls().isEmpty();
        nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
        title = dialog->windowTitle();
        dialog->selectFile(folder.filePath(QStringLiteral("associates")));
        static_cast<QDialog*>(dialog)->accept();
    });
    const QString chosen = ui.saveFileName(request);
    Registry::restoreCurrentUser();
    Registry::setStorageFile({});
    EXPECT_FALSE(sidebarShown);
    EXPECT_TRUE(nonNative);
    EXPECT_EQ(title, QStringLiteral("Import Associates"));
    EXPECT_EQ(chosen, folder.filePath(QStringLiteral("associates.txt")));
}

TEST(QtUiFileDialogs, BrowseFolderReturnsTheChosenFolderOrNothing) {
    QTemporaryDir folder;
    QtUi ui;
    whenModalShows<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
        dialog->selectFile(folder.path());
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(ui.browseFolder(QStringLiteral("Folder for Corporate Control File"), folder.path()),
              folder.path());
    whenModalShows<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_TRUE(ui.browseFolder(QStringLiteral("Folder"), folder.path()).isEmpty());
}

TEST(QtUiCommonDialogs, ColourAndFontChoicesConvertBothWays) {
    QtUi ui;
    QColor offered;
    quint32 color = 0x000000FF;  // red, as 0x00BBGGRR
    whenModalShows<QColorDialog>([&](QColorDialog* dialog) {
        offered = dialog->currentColor();
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(ui.chooseColor(color));
    EXPECT_EQ(offered, QColor(255, 0, 0));
    EXPECT_EQ(color, 0x00563412u);
    whenModalShows<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(ui.chooseColor(color));
    EXPECT_EQ(color, 0x00563412u);

    FontChoice font;
    font.family = QStringLiteral("DejaVu Sans");
    font.size = 12;
    font.bold = true;
    QFont offeredFont;
    whenModalShows<QFontDialog>([&](QFontDialog* dialog) {
        offeredFont = dialog->currentFont();
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSize(14);
        chosen.setItalic(true);
        dialog->setCurrentFont(chosen);
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(ui.chooseFont(font));
    EXPECT_EQ(offeredFont.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(offeredFont.bold());
    EXPECT_EQ(offeredFont.pointSize(), 12);
    EXPECT_EQ(font.family, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(font.size, 14);
    EXPECT_TRUE(font.italic);
    EXPECT_FALSE(font.bold);
}

TEST(QtUiCommonDialogs, PrintSetupOffersTheCurrentChoiceAndReturnsWhatWasAccepted) {
    QtUi ui;
    PrintSetupChoice setup;
    setup.copies = 3;
    setup.paperName = QStringLiteral("A4");
    QPrinter* offered = nullptr;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPageSize::PageSizeId paper = QPageSize::Letter;
    int copies = 0;
    whenModalShows<QPrintDialog>([&](QPrintDialog* dialog) {
        offered = dialog->printer();
        orientation = offered->pageLayout().orientation();
        paper = offered->pageLayout().pageSize().id();
        copies = offered->copyCount();
        static_cast<QDialog*>(dialog)->accept();
    });
    setup.landscape = true;
    ASSERT_TRUE(ui.printSetup(setup));
    EXPECT_EQ(orientation, QPageLayout::Landscape);
    EXPECT_EQ(paper, QPageSize::A4);
    EXPECT_EQ(copies, 3);
    EXPECT_TRUE(setup.landscape);
    EXPECT_EQ(setup.paperName, QStringLiteral("A4"));
    EXPECT_EQ(setup.copies, 3);

    whenModalShows<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(ui.printSetup(setup));
}

TEST(QtUiSound, SystemSoundsPlayTheThemeEventsOrRingTheBell) {
    QStringList started;
    int bells = 0;
    bool startWorks = true;
    QtUi ui;
    ui.setSoundPlayer(SoundPlayer(
        QStringLiteral("/usr/bin/canberra-gtk-play"),
        [&](const QString& program, const QStringList& arguments) {
            started << program + u' ' + arguments.join(u' ');
            return startWorks;
        },
        [&] { ++bells; }));
    ui.playSound(QStringLiteral("SystemHand"));
    ui.playSound(QStringLiteral("SystemQuestion"));
    ui.playSound(QStringLiteral("SystemExclamation"));
    ui.playSound(QStringLiteral("SystemAsterisk"));
    ui.playSound(QStringLiteral("SystemDefault"));
    EXPECT_EQ(started,
              QStringList({QStringLiteral("/usr/bin/canberra-gtk-play -i dialog-error"),
                           QStringLiteral("/usr/bin/canberra-gtk-play -i dialog-question"),
                           QStringLiteral("/usr/bin/canberra-gtk-play -i dialog-warning"),
                           QStringLiteral("/usr/bin/canberra-gtk-play -i dialog-information"),
                           QStringLiteral("/usr/bin/canberra-gtk-play -i bell")}));
    EXPECT_EQ(bells, 0);

    startWorks = false;
    ui.playSound(QStringLiteral("SystemHand"));
    EXPECT_EQ(bells, 1);
    ui.setSoundPlayer(SoundPlayer(
        QString(),
        [&](const QString&, const QStringList&) {
            ADD_FAILURE() << "nothing to start";
            return true;
        },
        [&] { ++bells; }));
    ui.playSound(QStringLiteral("SystemAsterisk"));
    EXPECT_EQ(bells, 2);
}

TEST(QtUiStatus, TextAndPercentGoToTheSinkTogether) {
    QtUi ui;
    QStringList seen;
    ui.statusText(QStringLiteral("before any sink"));  // no sink yet: nothing happens
    ui.setStatusSink([&](const QString& text, int percent) {
        seen << QStringLiteral("%1 %2").arg(text).arg(percent);
    });
    ui.statusText(QStringLiteral("Loading files ..."));
    ui.statusPercent(40);
    ui.statusText(QStringLiteral("Zipping Corporate Control Files"));
    EXPECT_EQ(seen, QStringList({QStringLiteral("Loading files ... 0"),
                                 QStringLiteral("Loading files ... 40"),
                                 QStringLiteral("Zipping Corporate Control Files 40")}));
}

}  // namespace
}  // namespace vel
