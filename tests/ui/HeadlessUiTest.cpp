#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"
#include "ui/SaveButtons.h"
#include "ui/TextBox.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

// A record window whose OK asks a question and may open a nested window.
struct RecordForm : Form {
    explicit RecordForm(Form* nested = nullptr)
        : Form(QStringLiteral("frmRecord"), QStringLiteral("Edit Record: 1")) {
        code = &textBox(QStringLiteral("Text1"), 0, QStringLiteral("&Code:")).keys(KeyFilter::code());
        button(QStringLiteral("btnMore"), QStringLiteral("&More...")).clicked([this, nested] {
            if (nested) {
                nested->setOwner({this, 0});
                currentUi().runModal(*nested);
            }
        });
        saveButtons(QStringLiteral("SaveButtons1")).clicked([this](int index) {
            if (index == SaveButtons::OK &&
                currentUi().messageBox(QStringLiteral("Save Code ") + code->text() + u'?',
                                       MB_YESNO | MB_ICONQUESTION, QStringLiteral("Velmor")) == IDYES) {
                saved = true;
            }
            hide();
        });
    }
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override {
        cancel = keepOpen;
        closedBy = mode;
    }
    TextBox* code;
    bool saved = false;
    bool keepOpen = false;
    int closedBy = -1;
};

}  // namespace

TEST(MessageBoxCodes, DefaultAndCloseAnswersFollowTheStyle) {
    EXPECT_EQ(defaultAnswer(308), IDNO) << "Yes/No, exclamation, second button default";
    EXPECT_EQ(defaultAnswer(MB_YESNO), IDYES);
    EXPECT_EQ(defaultAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(closeAnswer(MB_OK | MB_ICONCRITICAL), IDOK);
    EXPECT_EQ(closeAnswer(MB_YESNO), IDNO);
    EXPECT_EQ(answerFromName(QStringLiteral("yes")), IDYES);
}

TEST(HeadlessUi, RunsTheScriptAndRecordsWindowsAndMessages) {
    HeadlessUi ui;
    ScopedUi scope(ui);
    RecordForm form;
    ui.when(QStringLiteral("frmRecord"), [](FormDriver& f) {
        f.type(QStringLiteral("Text1(0)"), QStringLiteral("a{1"));
        f.click(QStringLiteral("SaveButtons1(1)"));
    });
    ui.answer(QStringLiteral("Save Code"), IDYES);
    ui.runModal(form);

    EXPECT_TRUE(form.saved);
    EXPECT_TRUE(ui.failures().isEmpty()) << ui.failures().join(u'\n').toStdString();
    EXPECT_EQ(ui.transcript().lines(),
              (QStringList{QStringLiteral("window: Edit Record: 1"),
                           QStringLiteral("message: 36 Velmor | Save Code A[1? -> Yes")}));
}

TEST(HeadlessUi, UnansweredMessagesAndUnscriptedWindowsFail) {
    HeadlessUi ui;
    ScopedUi scope(ui);
    QStringList hooked;
    ui.setFailureHook([&](const QString& failure) { hooked << failure; });

    EXPECT_EQ(ui.messageBox(QStringLiteral("Delete it?"), 308, QStringLiteral("Velmor")), IDNO);
    RecordForm form;
    ui.runModal(form);
    ui.answer(QStringLiteral("Delete"), IDOK);
    ui.messageBox(QStringLiteral("Delete it?"), MB_YESNO, QStringLiteral("Velmor"));

    ASSERT_EQ(hooked.size(), 3);
    EXPECT_TRUE(hooked[0].contains(QStringLiteral("no answer for the message \"Delete it?\"")));
    EXPECT_TRUE(hooked[1].contains(QStringLiteral("no script")));
    EXPECT_TRUE(hooked[2].contains(QStringLiteral("has no OK button")));
    EXPECT_FALSE(form.isVisible()) << "an unscripted window is closed so the run goes on";

    ui.setUnanswered(HeadlessUi::Unanswered::Yes);
    EXPECT_EQ(ui.messageBox(QStringLiteral("Go on?"), 308, QString()), IDYES);
    EXPECT_EQ(hooked.size(), 3);
}

TEST(HeadlessUi, AnswersOnceOrAlwaysAndChecksNestedWindowsInOrder) {
    HeadlessUi ui;
    ScopedUi scope(ui);
    ui.answerAlways(QStringLiteral("Save"), IDNO);
    ui.answer(QStringLiteral("Save Code B"), IDYES);
    Form nested(QStringLiteral("frmNested"), QStringLiteral("Nested"));
    RecordForm form(&nested);
    Form* activeInside = nullptr;
    ui.when(QStringLiteral("frmNested"), [&](FormDriver& f) {
        activeInside = ui.activeForm();
        f.close();
    });
    ui.when(QStringLiteral("frmRecord"), [&](FormDriver& f) {
        EXPECT_EQ(ui.activeForm(), &form);
        f.click(QStringLiteral("btnMore"));
        f.type(QStringLiteral("Text1(0)"), QStringLiteral("b"));
        f.click(QStringLiteral("SaveButtons1(1)"));
    });
    ui.runModal(form);
    EXPECT_EQ(activeInside, &nested);
    EXPECT_EQ(nested.owner().form, &form);
    EXPECT_TRUE(form.saved) << "the one-off answer wins over the standing one";
    EXPECT_EQ(ui.activeForm(), nullptr);
    EXPECT_EQ(ui.transcript().windows(), (QStringList{QStringLiteral("Edit Record: 1"), QStringLiteral("Nested")}));

    form.saved = false;
    ui.when(QStringLiteral("frmRecord"), [](FormDriver& f) { f.click(QStringLiteral("SaveButtons1(1)")); });
    ui.runModal(form);
    EXPECT_FALSE(form.saved) << "the standing answer No applies once the one-off is used";
}

TEST(HeadlessUi, LeftOpenWindowsCloseByTheFrameAndRefusalsAreTranscribed) {
    HeadlessUi ui;
    ScopedUi scope(ui);
    QStringList failures;
    ui.setFailureHook([&](const QString& failure) { failures << failure; });
    RecordForm form;
    form.control(QStringLiteral("btnMore")).setEnabled(false);
    ui.when(QStringLiteral("frmRecord"), [](FormDriver& f) {
        EXPECT_FALSE(f.click(QStringLiteral("btnMore")));
        EXPECT_FALSE(f.set(QStringLiteral("Nothing(1)"), QStringLiteral("x")));
    });
    ui.runModal(form);
    EXPECT_EQ(form.closedBy, Form::FormControlMenu);
    EXPECT_FALSE(form.isLoaded());
    EXPECT_TRUE(ui.transcript().lines().contains(QStringLiteral("refused: frmRecord.btnMore click")));
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains(QStringLiteral("Nothing(1)")));

    form.keepOpen = true;
    ui.when(QStringLiteral("frmRecord"), [](FormDriver&) {});
    ui.runModal(form);
    EXPECT_EQ(failures.size(), 2) << "a window that refuses to close after its script fails";
    EXPECT_FALSE(form.isVisible());
}
