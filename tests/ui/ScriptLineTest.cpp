#include "ui/Form.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/ScriptLine.h"
#include "ui/TextBox.h"
#include "ui/Transcript.h"

#include <gtest/gtest.h>

using namespace vel;

TEST(ScriptLine, SplitsWordsKeepsQuotedBlanksAndEscapes) {
    const ScriptLine line = ScriptLine::parse(
        QStringLiteral("  type Text1(0) \"Wrong \\\"pick\\\"\\n\" # a comment"), 7);
    EXPECT_EQ(line.words, (QStringList{QStringLiteral("type"), QStringLiteral("Text1(0)"),
                                       QStringLiteral("Wrong \"pick\"\n")}));
    EXPECT_TRUE(line.error.isEmpty());

    const ScriptLine call = ScriptLine::parse(QStringLiteral("call ExportTables OutputFolder=\"/tmp/a b\""), 1);
    EXPECT_EQ(call.words.value(2), QStringLiteral("OutputFolder=/tmp/a b"));
    EXPECT_EQ(ScriptLine::parse(QStringLiteral("set x \"open"), 3).error,
              QStringLiteral("line 3: a quote is not closed"));
    EXPECT_TRUE(ScriptLine::parse(QStringLiteral("   # only a comment"), 4).words.isEmpty());
}

TEST(ScriptLine, WindowActionsDriveTheFormAndCheckExpectations) {
    Form form(QStringLiteral("frmCode"), QStringLiteral("Code"));
    form.textBox(QStringLiteral("Text1"), 0, QStringLiteral("&Code:")).keys(KeyFilter::code());
    Transcript transcript;
    QStringList failures;
    FormDriver driver(form, transcript, [&](const QString& failure) { failures << failure; });
    const auto apply = [&](const char* text) {
        return applyWindowAction(driver, ScriptLine::parse(QString::fromUtf8(text), 9));
    };

    EXPECT_EQ(apply("type Text1(0) \"ab{\""), QString());
    EXPECT_EQ(apply("expect Text1(0) \"AB[\""), QString());
    EXPECT_TRUE(failures.isEmpty());
    EXPECT_EQ(apply("expect Text1(0) \"ab\""), QString());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0], QStringLiteral("line 9: frmCode Text1(0) is \"AB[\", expected \"ab\""));

    EXPECT_EQ(apply("key Text1(0) 8"), QString());
    EXPECT_EQ(form.controlAs<TextBox>(QStringLiteral("Text1(0)")).text(), QStringLiteral("AB"));
    EXPECT_TRUE(apply("key Text1(0) backspace").contains(QStringLiteral("a number is expected")));
    EXPECT_TRUE(apply("wave Text1(0)").contains(QStringLiteral("not a window action")));
    EXPECT_TRUE(apply("click").contains(QStringLiteral("not a window action"))) << "click needs a control";
}
