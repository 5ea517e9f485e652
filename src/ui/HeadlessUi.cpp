#include "ui/HeadlessUi.h"

#include "services/HelpTopics.h"
#include "ui/Form.h"
#include "ui/MessageBoxCodes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace vel {

HeadlessUi::HeadlessUi() = default;

HeadlessUi& HeadlessUi::when(const QString& formName, FormScript script) {
    scripts_[formName].push_back(std::move(script));
    return *this;
}

HeadlessUi& HeadlessUi::whenever(const QString& formName, FormScript script) {
    standingScripts_[formName] = std::move(script);
    return *this;
}

HeadlessUi& HeadlessUi::answer(const QString& promptPart, int answer) {
    answers_.push_back({promptPart, answer});
    return *this;
}

HeadlessUi& HeadlessUi::answerAlways(const QString& promptPart, int answer) {
    standingAnswers_.push_back({promptPart, answer});
    return *this;
}

HeadlessUi& HeadlessUi::nextFileName(const QString& path) {
    fileNames_.push_back(path);
    return *this;
}

HeadlessUi& HeadlessUi::nextFolder(const QString& path) {
    folders_.push_back(path);
    return *this;
}

HeadlessUi& HeadlessUi::nextColor(quint32 bgrColor) {
    colors_.push_back(bgrColor);
    return *this;
}

HeadlessUi& HeadlessUi::nextFont(const FontChoice& font) {
    fonts_.push_back(font);
    return *this;
}

HeadlessUi& HeadlessUi::nextPrintSetup(const PrintSetupChoice& setup) {
    printSetups_.push_back(setup);
    return *this;
}

void HeadlessUi::fail(const QString& failure) {
    failures_ << failure;
    transcript_.addLine(QStringLiteral("failure: ") + failure);
    if (failureHook_) {
        failureHook_(failure);
    }
}

void HeadlessUi::runModal(Form& form) {
    form.show();
    transcript_.addWindow(form.caption());
    FormScript script;
    auto queued = scripts_.find(form.name());
    if (queued != scripts_.end() && !queued->empty()) {
        script = std::move(queued->front());
        queued->pop_front();
    } else if (standingScripts_.contains(form.name())) {
        script = standingScripts_.value(form.name());
    }
    lastWindowUnattended_ = !script;
    if (!script) {
        fail(QStringLiteral("window %1 (\"%2\") was shown with no script for it")
                 .arg(form.name(), form.caption()));
    } else {
        showing_.push_back(&form);
        FormDriver driver(form, transcript_, [this](const QString& failure) { fail(failure); });
        script(driver);
        std::erase(showing_, &form);
    }
    if (form.isVisible() && form.isLoaded() && !form.userClose()) {
        fail(QStringLiteral("window %1 refused to close after its script").arg(form.name()));
    }
    form.hide();
}

Form* HeadlessUi::activeForm() const {
    return !showing_.empty() && showing_.back()->isVisible() ? showing_.back() : nullptr;
}

std::optional<int> HeadlessUi::matchAnswer(const QString& prompt) {
    auto once = std::ranges::find_if(
        answers_, [&](const AnswerRule& rule) { return prompt.contains(rule.promptPart); });
    if (once != answers_.end()) {
        const int answer = once->answer;
        answers_.erase(once);
        return answer;
    }
    for (const AnswerRule& rule : standingAnswers_) {
        if (prompt.contains(rule.promptPart)) {
            return rule.answer;
        }
    }
    return std::nullopt;
}

int HeadlessUi::unansweredAnswer(const QString& prompt, int style) {
    const std::vector<int> buttons = messageButtons(style);
    const auto offers = [&](int answer) { return std::ranges::find(buttons, answer) != buttons.end(); };
    switch (unanswered_) {
    case Unanswered::Fail:
        fail(QStringLiteral("no answer for the message \"%1\"").arg(prompt));
        return defaultAnswer(style);
    case Unanswered::Yes:
        return offers(IDYES) ? int(IDYES) : offers(IDOK) ? int(IDOK) : defaultAnswer(style);
    case Unanswered::No:
        return offers(IDNO) ? int(IDNO) : offers(IDCANCEL) ? int(IDCANCEL) : defaultAnswer(style);
    case Unanswered::DefaultButton:
        break;
    }
    return defaultAnswer(style);
}

int HeadlessUi::messageBox(const QString& prompt, int style, const QString& caption) {
    int answer = 0;
    if (const std::optional<int> matched = matchAnswer(prompt)) {
        answer = *matched;
        const std::vector<int> buttons = messageButtons(style);
        if (std::ranges::find(buttons, answer) == buttons.end()) {
            fail(QStringLiteral("the message \"%1\" has no %2 button")
                     .arg(prompt, answerName(answer)));
            answer = defaultAnswer(style);
        }
    } else if (messageButtons(style).size() == 1 && unanswered_ != Unanswered::Fail) {
        answer = IDOK;
    } else {
        answer = unansweredAnswer(prompt, style);
    }
    transcript_.addMessage({prompt, style, caption, answer});
    return answer;
}

void HeadlessUi::playSound(const QString& soundName) {
    transcript_.addSound(soundName);
}

template <class T>
std::optional<T> HeadlessUi::takeChoice(std::deque<T>& queue, const QString& dialog) {
    if (queue.empty()) {
        if (unanswered_ == Unanswered::Fail) {
            fail(QStringLiteral("the %1 dialog was shown with no prepared choice").arg(dialog));
        }
        return std::nullopt;
    }
    T choice = std::move(queue.front());
    queue.pop_front();
    return choice;
}

QString HeadlessUi::openFileName(const FileDialogRequest& request) {
    transcript_.addWindow(request.title);
    return takeChoice(fileNames_, QStringLiteral("file")).value_or(QString());
}

QString HeadlessUi::saveFileName(const FileDialogRequest& request) {
    transcript_.addWindow(request.title);
    return takeChoice(fileNames_, QStringLiteral("file")).value_or(QString());
}

QString HeadlessUi::browseFolder(const QString& title, const QString&) {
    transcript_.addWindow(title);
    return takeChoice(folders_, QStringLiteral("folder")).value_or(QString());
}

bool HeadlessUi::chooseColor(quint32& bgrColor) {
    const std::optional<quint32> choice = takeChoice(colors_, QStringLiteral("colour"));
    if (!choice || *choice == CancelColor) {
        return false;
    }
    bgrColor = *choice;
    return true;
}

bool HeadlessUi::chooseFont(FontChoice& font) {
    std::optional<FontChoice> choice = takeChoice(fonts_, QStringLiteral("font"));
    if (!choice || choice->family.isEmpty()) {
        return false;
    }
    font = *choice;
    return true;
}

bool HeadlessUi::printSetup(PrintSetupChoice& setup) {
    std::optional<PrintSetupChoice> choice = takeChoice(printSetups_, QStringLiteral("print set-up"));
    if (choice) {
        setup = *choice;
    }
    return choice.has_value();
}

void HeadlessUi::showHelp(const QString& helpFile, int context) {
    helpShown_ << QStringLiteral("%1#%2").arg(helpFile).arg(context);
    const QString opened = helpFileForContext(helpFile, context);
    transcript_.addLine(QStringLiteral("help: ") + (opened.isEmpty()
                                                        ? QStringLiteral("(no help file)")
                                                        : QFileInfo(opened).fileName()));
}

void HeadlessUi::statusText(const QString& text) {
    lastStatus_ = text;
    transcript_.addStatus(text);
}

HeadlessUi& HeadlessUi::cancelWhenStatus(const QString& statusPart) {
    cancelWhen_ = statusPart;
    return *this;
}

void HeadlessUi::statusCancellable(bool cancellable) {
    cancellable_ = cancellable;
    cancelled_ = false;
}

bool HeadlessUi::statusCancelled() {
    if (cancellable_ && cancelWhen_ && lastStatus_.contains(*cancelWhen_)) {
        cancelWhen_.reset();
        cancelled_ = true;
        transcript_.addStatus(QStringLiteral("(Cancel pressed)"));
    }
    return cancellable_ && cancelled_;
}

void HeadlessUi::statusPercent(int percent) {
    lastPercent_ = percent;
}

void HeadlessUi::processEvents() {
    if (QCoreApplication::instance()) {
        QCoreApplication::processEvents();
    }
}

}  // namespace vel
