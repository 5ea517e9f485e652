#include "ui/Form.h"
#include "ui/KeyFilter.h"
#include "ui/TextBox.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

struct CodeForm : Form {
    CodeForm() : Form(QStringLiteral("frmCode"), QStringLiteral("Code")) {
        code = &textBox(QStringLiteral("Text1"), 0, QStringLiteral("&Code:"))
                    .keys(KeyFilter::code())
                    .maxLength(5);
        name = &textBox(QStringLiteral("Text1"), 1, QStringLiteral("&Name:")).keys(KeyFilter::name());
    }
    TextBox* code;
    TextBox* name;
};

}  // namespace

TEST(KeyFilter, CodeTableUpperCasesAndKeepsOnlyItsRanges) {
    const KeyFilter code = KeyFilter::code();
    EXPECT_EQ(code('{'), '[');
    EXPECT_EQ(code('|'), '\\');
    EXPECT_EQ(code('a'), 'A');
    EXPECT_EQ(code(0xE9), 0xC9);  // é becomes É
    EXPECT_EQ(code(0xF7), 0xF7);  // ÷ is outside the lowered ranges and stays
    for (int refused : {'$', ' ', '"', '\'', '*', ',', '`'}) {
        EXPECT_EQ(code(refused), 0) << "code " << refused;
    }
    for (int passing : {1, 3, 8, 22, 24}) {
        EXPECT_EQ(code(passing), passing);
    }
    EXPECT_EQ(code(KeyEnter), 0);

    const KeyFilter name = KeyFilter::name();
    EXPECT_EQ(name('a'), 'a');
    EXPECT_EQ(name(' '), ' ');
    EXPECT_EQ(name('"'), 0);
    EXPECT_EQ(name(0x80), 0);     // the euro sign lies between "~" and "¡"
    EXPECT_EQ(name(0xE9), 0xE9);
}

TEST(KeyFilter, Windows1252CodesRoundTrip) {
    EXPECT_EQ(toWindows1252(QChar(0x20AC)), 0x80);  // €
    EXPECT_EQ(fromWindows1252(0x80), QChar(0x20AC));
    EXPECT_EQ(toWindows1252(QChar(0xE9)), 0xE9);
    EXPECT_EQ(toWindows1252(QChar(0x4E2D)), 0);     // not in the code page
}

TEST(TextBox, TypingGoesThroughTheFilterAndTheLengthLimit) {
    CodeForm form;
    int changes = 0;
    form.code->onChange([&] { ++changes; });

    EXPECT_FALSE(form.code->userType(QStringLiteral("{a$b")));  // "$" is swallowed
    EXPECT_EQ(form.code->text(), QStringLiteral("[AB"));
    EXPECT_EQ(changes, 3);

    form.code->userType(QStringLiteral("cdef"));
    EXPECT_EQ(form.code->text(), QStringLiteral("[ABCD")) << "stops at the maximum length";

    form.code->userKey(KeyBackspace);
    EXPECT_EQ(form.code->text(), QStringLiteral("[ABC"));
    form.code->userKey(KeyCtrlA);
    form.code->userType(QStringLiteral("z"));
    EXPECT_EQ(form.code->text(), QStringLiteral("Z")) << "Ctrl+A selects all, the key replaces it";

    form.code->userKey(KeyEnter);
    EXPECT_EQ(form.code->text(), QStringLiteral("Z")) << "Enter is swallowed in a one-line box";

    form.code->setLocked(true);
    EXPECT_FALSE(form.code->userType(QStringLiteral("Q")));
    EXPECT_EQ(form.code->text(), QStringLiteral("Z"));
}
