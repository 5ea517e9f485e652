#include "app/velmor/ProgramOptions.h"

#include <gtest/gtest.h>

using namespace vel;

TEST(ProgramOptions, ReadsCallsScriptsAndDemosAndNamesWhatIsWrong) {
    const ProgramOptions call = ProgramOptions::parse(
        {QStringLiteral("--data"), QStringLiteral("/site"), QStringLiteral("--system"), QStringLiteral("2"),
         QStringLiteral("call"), QStringLiteral("EditSettings"), QStringLiteral("SettingType=13"),
         QStringLiteral("--yes")});
    EXPECT_TRUE(call.error.isEmpty()) << call.error.toStdString();
    EXPECT_EQ(call.command, ProgramOptions::Command::Call);
    EXPECT_EQ(call.systemNumber, 2);
    EXPECT_EQ(call.operation, QStringLiteral("EditSettings"));
    EXPECT_EQ(call.arguments.value(QStringLiteral("SettingType")), QStringLiteral("13"));
    EXPECT_EQ(call.answers, ProgramOptions::Answers::Yes);

    const ProgramOptions demo = ProgramOptions::parse({QStringLiteral("new-demo"), QStringLiteral("/tmp/d"),
                                                       QStringLiteral("--size"), QStringLiteral("large")});
    EXPECT_EQ(demo.command, ProgramOptions::Command::NewDemo);
    EXPECT_EQ(demo.file, QStringLiteral("/tmp/d"));
    EXPECT_TRUE(demo.largeSite);

    const auto error = [](QStringList arguments) { return ProgramOptions::parse(arguments).error; };
    EXPECT_EQ(error({QStringLiteral("call"), QStringLiteral("EditMistakes")}),
              QStringLiteral("--data FOLDER is needed to call operations or run scripts"));
    EXPECT_EQ(error({QStringLiteral("--data"), QStringLiteral("/s"), QStringLiteral("call"),
                     QStringLiteral("EditMistakes"), QStringLiteral("oops")}),
              QStringLiteral("arguments of an operation are NAME=VALUE, not \"oops\""));
    EXPECT_EQ(error({QStringLiteral("--system"), QStringLiteral("0")}),
              QStringLiteral("--system takes a system number from 1"));
    EXPECT_EQ(error({QStringLiteral("fly")}), QStringLiteral("unknown command \"fly\""));
    EXPECT_EQ(error({QStringLiteral("--size"), QStringLiteral("huge")}), QStringLiteral("--size is small or large"));
    EXPECT_TRUE(ProgramOptions::usage().contains(QStringLiteral("37 ImportAssociatesEX1 ImportFile=...")));
}
