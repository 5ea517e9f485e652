#include "ServicesTestSupport.h"
#include "services/ApplicationTitle.h"
#include "services/MessageWithSound.h"
#include "ui/Ui.h"

#include <gtest/gtest.h>

using namespace vel;

TEST(MessageWithSound, PlaysTheSoundOfTheIconClassBeforeShowingTheBox) {
    const struct {
        int style;
        const char* sound;
    } cases[] = {
        {MB_ICONHAND, "SystemHand"},
        {MB_ICONQUESTION, "SystemQuestion"},
        {MB_ICONEXCLAMATION, "SystemExclamation"},
        {MB_ICONASTERISK, "SystemAsterisk"},
        {MB_OK, "SystemDefault"},
        {308, "SystemExclamation"},  // Yes/No, exclamation, second button default
        {MB_YESNO | MB_ICONHAND | MB_DEFBUTTON2, "SystemHand"},
        {MB_ICONHAND | MB_ICONASTERISK, "SystemDefault"},  // 80 is no icon class of its own
        {MB_YESNOCANCEL, "SystemDefault"},
    };
    for (const auto& entry : cases) {
        test::RecordingUi ui;
        ScopedUi scoped(ui);
        ui.answerAlways(QStringLiteral("Proceed"), defaultAnswer(entry.style));
        MessageWithSound(QStringLiteral("Proceed?"), entry.style, QStringLiteral("Caption"));
        EXPECT_EQ(ui.events, QStringList({QStringLiteral("sound ") + QLatin1String(entry.sound),
                                          QStringLiteral("message Proceed?")}))
            << "style " << entry.style;
        ASSERT_EQ(ui.transcript().messages().size(), 1u);
        EXPECT_EQ(ui.transcript().messages().front().style, entry.style);
    }
}

TEST(MessageWithSound, ReturnsTheButtonPressedAndFillsAnEmptyCaptionWithTheTitle) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    ui.answer(QStringLiteral("Delete the record?"), IDNO);
    ui.answerAlways(QStringLiteral("Saved"), IDOK);

    EXPECT_EQ(MessageWithSound(QStringLiteral("Delete the record?"), 308), IDNO);
    EXPECT_EQ(MessageWithSound(QStringLiteral("Saved"), MB_ICONASTERISK, QStringLiteral("Mine")),
              IDOK);
    setApplicationTitle(QStringLiteral("Plant Three"));
    MessageWithSound(QStringLiteral("Saved"));
    setApplicationTitle(QStringLiteral("Velmor"));

    const auto& messages = ui.transcript().messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].caption, QStringLiteral("Velmor"));
    EXPECT_EQ(messages[0].answer, IDNO);
    EXPECT_EQ(messages[1].caption, QStringLiteral("Mine"));
    EXPECT_EQ(messages[2].caption, QStringLiteral("Plant Three"));
    EXPECT_EQ(messages[2].style, MB_OK);
}
