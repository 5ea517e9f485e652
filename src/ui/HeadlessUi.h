#pragma once
// HeadlessUi: the Ui without windows. Scripts say what a person does in each window and how they
// answer each message (matched by a part of its text); everything shown is written to a
// transcript. A window without a script, a message without an answer or a dialog without a
// prepared choice is a failure, reported through the failure hook (a test fails; a script run
// exits non-zero), unless the run is set to answer by default.
#include "ui/FormDriver.h"
#include "ui/Transcript.h"
#include "ui/Ui.h"

#include <QHash>
#include <deque>
#include <functional>
#include <optional>

namespace vel {

class HeadlessUi : public Ui {
public:
    using FormScript = std::function<void(FormDriver&)>;
    using FailureHook = std::function<void(const QString&)>;

    // What happens to a message that no answer matches.
    enum class Unanswered { Fail, DefaultButton, Yes, No };

    HeadlessUi();

    // The next showing of the window (by form name) runs this script. After it the window, if
    // still shown, is closed by its frame.
    HeadlessUi& when(const QString& formName, FormScript script);
    // Every showing of the window runs this script (after any queued one-off scripts).
    HeadlessUi& whenever(const QString& formName, FormScript script);
    // The next message whose prompt contains the text gets this answer.
    HeadlessUi& answer(const QString& promptPart, int answer);
    // Every message whose prompt contains the text gets this answer.
    HeadlessUi& answerAlways(const QString& promptPart, int answer);
    void setUnanswered(Unanswered policy) { unanswered_ = policy; }
    // The person presses Cancel beside the status display the next time it is offered while
    // the status text contains the text.
    HeadlessUi& cancelWhenStatus(const QString& statusPart);

    // Prepared choices for the common dialogs, used once each, in order. An empty file name or
    // folder, the colour CancelColor and a font without a family are the person cancelling.
    static constexpr quint32 CancelColor = 0xFFFFFFFFu;
    HeadlessUi& nextFileName(const QString& path);
    HeadlessUi& nextFolder(const QString& path);
    HeadlessUi& nextColor(quint32 bgrColor);
    HeadlessUi& nextFont(const FontChoice& font);
    HeadlessUi& nextPrintSetup(const PrintSetupChoice& setup);

    const Transcript& transcript() const { return transcript_; }
    Transcript& transcript() { return transcript_; }
    const QStringList& failures() const { return failures_; }
    void setFailureHook(FailureHook hook) { failureHook_ = std::move(hook); }
    int lastPercent() const { return lastPercent_; }
    const QStringList& helpShown() const { return helpShown_; }

    void runModal(Form& form) override;
    bool lastWindowUnattended() const override { return lastWindowUnattended_; }
    Form* activeForm() const override;
    int messageBox(const QString& prompt, int style, const QString& caption) override;
    void playSound(const QString& soundName) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
    bool chooseColor(quint32& bgrColor) override;
    bool chooseFont(FontChoice& font) override;
    bool printSetup(PrintSetupChoice& setup) override;
    void showHelp(const QString& helpFile, int context) override;
    void statusText(const QString& text) override;
    void statusPercent(int percent) override;
    void statusCancellable(bool cancellable) override;
    bool statusCancelled() override;
    void processEvents() override;

private:
    struct AnswerRule {
        QString promptPart;
        int answer;
    };
    template <class T>
    std::optional<T> takeChoice(std::deque<T>& queue, const QString& dialog);
    std::optional<int> matchAnswer(const QString& prompt);
    int unansweredAnswer(const QString& prompt, int style);
    void fail(const QString& failure);

    Transcript transcript_;
    std::vector<Form*> showing_;  // the windows being shown, innermost last
    QHash<QString, std::deque<FormScript>> scripts_;
    QHash<QString, FormScript> standingScripts_;
    std::deque<AnswerRule> answers_;
    std::vector<AnswerRule> standingAnswers_;
    Unanswered unanswered_ = Unanswered::Fail;
    std::deque<QString> fileNames_;
    std::deque<QString> folders_;
    std::deque<quint32> colors_;
    std::deque<FontChoice> fonts_;
    std::deque<PrintSetupChoice> printSetups_;
    QStringList failures_;
    FailureHook failureHook_;
    QStringList helpShown_;
    bool lastWindowUnattended_ = false;
    int lastPercent_ = 0;
    QString lastStatus_;
    std::optional<QString> cancelWhen_;
    bool cancellable_ = false;
    bool cancelled_ = false;
};

}  // namespace vel
