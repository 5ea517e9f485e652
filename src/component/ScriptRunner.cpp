#include "component/ScriptRunner.h"

#include "component/CVelUI.h"
#include "component/OperationCatalog.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"
#include "ui/ScriptLine.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vel {

namespace {

using Step = std::function<void()>;

struct Parsed {
    std::vector<Step> steps;
    QStringList errors;
};

// "#RRGGBB" as the colour dialog's 0x00BBGGRR, or "cancel"; none for another word.
std::optional<quint32> colorChoice(const QString& word) {
    if (word.compare(QStringLiteral("cancel"), Qt::CaseInsensitive) == 0) {
        return HeadlessUi::CancelColor;
    }
    bool ok = false;
    const quint32 rgb = word.startsWith(u'#') && word.size() == 7 ? word.mid(1).toUInt(&ok, 16) : 0;
    if (!ok) {
        return std::nullopt;
    }
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// "FAMILY SIZE [bold] [italic] [underline] [strikeout]", or "cancel" (a font without a family).
std::optional<FontChoice> fontChoice(const QStringList& words) {
    if (words.size() == 1 && words[0].compare(QStringLiteral("cancel"), Qt::CaseInsensitive) == 0) {
        return FontChoice{.family = {}};
    }
    bool ok = false;
    FontChoice font{.family = words.value(0), .size = words.value(1).toDouble(&ok)};
    if (!ok || font.family.isEmpty() || font.size <= 0) {
        return std::nullopt;
    }
    for (const QString& style : words.mid(2)) {
        const QString word = style.toLower();
        bool* flag = word == u"bold" ? &font.bold
                     : word == u"italic" ? &font.italic
                     : word == u"underline" ? &font.underline
                     : word == u"strikeout" ? &font.strikeOut
                                            : nullptr;
        if (!flag) {
            return std::nullopt;
        }
        *flag = true;
    }
    return font;
}

}  // namespace

ScriptRunner::ScriptRunner(HeadlessUi& ui, CVelUI& component, VelmorSystem& system, quintptr owner)
    : ui_(ui), component_(component), system_(system), owner_(owner) {}

bool ScriptRunner::run(const QString& script) {
    errors_.clear();
    Parsed parsed;
    auto lastResult = std::make_shared<QString>();
    const QStringList texts = script.split(u'\n');
    const auto error = [&](const ScriptLine& line, const QString& text) {
        parsed.errors << QStringLiteral("line %1: %2").arg(line.number).arg(text);
    };

    for (int index = 0; index < texts.size(); ++index) {
        const ScriptLine line = ScriptLine::parse(texts[index], index + 1);
        if (!line.error.isEmpty()) {
            parsed.errors << line.error;
            continue;
        }
        if (line.words.isEmpty()) {
            continue;
        }
        const QStringList& w = line.words;
        const QString command = w[0].toLower();
        if (command == u"call" && w.size() >= 2) {
            QHash<QString, QString> arguments;
            for (const QString& word : w.mid(2)) {
                const qsizetype equals = word.indexOf(u'=');
                if (equals <= 0) {
                    error(line, QStringLiteral("arguments are NAME=VALUE: ") + word);
                }
                arguments.insert(word.left(equals), word.mid(equals + 1));
            }
            const QString name = w[1];
            if (!OperationCatalog::find(name)) {
                error(line, QStringLiteral("there is no operation ") + name);
            }
            parsed.steps.push_back([this, name, arguments, lastResult, number = line.number] {
                const CallOutcome outcome =
                    OperationCatalog::call(component_, system_, owner_, name, arguments);
                if (!outcome.called()) {
                    errors_ << QStringLiteral("line %1: %2").arg(number).arg(outcome.refusal);
                    ui_.transcript().addLine(QStringLiteral("refused: ") + outcome.refusal);
                } else if (outcome.errorNumber != 0) {
                    ui_.transcript().addLine(
                        QStringLiteral("error: %1 %2").arg(outcome.errorNumber).arg(outcome.errorText));
                    *lastResult = QStringLiteral("error %1").arg(outcome.errorNumber);
                } else {
                    ui_.transcript().addLine(QStringLiteral("result: ") + outcome.result);
                    *lastResult = outcome.result;
                }
            });
        } else if (command == u"expect" && w.size() == 3 && w[1].toLower() == u"result") {
            parsed.steps.push_back([this, expected = w[2], lastResult, number = line.number] {
                if (*lastResult != expected) {
                    errors_ << QStringLiteral("line %1: the result is \"%2\", expected \"%3\"")
                                   .arg(number).arg(*lastResult, expected);
                }
            });
        } else if (command == u"answer" && w.size() == 2) {
            const QString policy = w[1].toLower();
            const HeadlessUi::Unanswered mode = policy == u"yes" ? HeadlessUi::Unanswered::Yes
                                                : policy == u"no" ? HeadlessUi::Unanswered::No
                                                                  : HeadlessUi::Unanswered::DefaultButton;
            if (policy != u"yes" && policy != u"no" && policy != u"default") {
                error(line, QStringLiteral("answer takes default, yes or no, or a text and a button"));
            }
            parsed.steps.push_back([this, mode] { ui_.setUnanswered(mode); });
        } else if (command == u"answer" && (w.size() == 3 || (w.size() == 4 && w[1] == u"always"))) {
            const bool always = w.size() == 4;
            const QString text = w[w.size() - 2];
            const int button = answerFromName(w.back());
            if (button == 0) {
                error(line, QStringLiteral("not a button: ") + w.back());
            }
            parsed.steps.push_back([this, always, text, button] {
                always ? ui_.answerAlways(text, button) : ui_.answer(text, button);
            });
        } else if ((command == u"file" || command == u"folder") && w.size() == 2) {
            parsed.steps.push_back([this, command, path = w[1]] {
                command == u"file" ? ui_.nextFileName(path) : ui_.nextFolder(path);
            });
        } else if (command == u"color" && w.size() == 2) {
            const std::optional<quint32> color = colorChoice(w[1]);
            if (!color) {
                error(line, QStringLiteral("color takes #RRGGBB or cancel"));
            }
            parsed.steps.push_back([this, color] { ui_.nextColor(color.value_or(0)); });
        } else if (command == u"font" && w.size() >= 2) {
            const std::optional<FontChoice> font = fontChoice(w.mid(1));
            if (!font) {
                error(line, QStringLiteral("font takes a family, a size and bold, italic, underline "
                                           "or strikeout, or cancel"));
            }
            parsed.steps.push_back([this, font] { ui_.nextFont(font.value_or(FontChoice{})); });
        } else if (command == u"window" && (w.size() == 2 || (w.size() == 3 && w[1] == u"always"))) {
            const bool always = w.size() == 3;
            std::vector<ScriptLine> actions;
            bool ended = false;
            while (++index < texts.size()) {
                const ScriptLine action = ScriptLine::parse(texts[index], index + 1);
                if (action.words.isEmpty() && action.error.isEmpty()) {
                    continue;
                }
                if (action.words.value(0).toLower() == u"end") {
                    ended = true;
                    break;
                }
                if (!action.error.isEmpty() ||
                    !windowActionNames().contains(action.words[0].toLower())) {
                    error(action, action.error.isEmpty()
                                      ? QStringLiteral("not a window action: ") + action.words[0]
                                      : action.error);
                }
                actions.push_back(action);
            }
            if (!ended) {
                error(line, QStringLiteral("the window block has no \"end\""));
            }
            parsed.steps.push_back([this, always, form = w.back(), actions] {
                auto script = [this, actions](FormDriver& driver) {
                    for (const ScriptLine& action : actions) {
                        const QString problem = applyWindowAction(driver, action);
                        if (!problem.isEmpty()) {
                            errors_ << problem;
                        }
                    }
                };
                always ? ui_.whenever(form, script) : ui_.when(form, script);
            });
        } else {
            error(line, QStringLiteral("not a script command: ") + w.join(u' '));
        }
    }

    if (!parsed.errors.isEmpty()) {
        errors_ = parsed.errors;
        return false;
    }
    const qsizetype failuresBefore = ui_.failures().size();
    for (const Step& step : parsed.steps) {
        step();
    }
    errors_ << ui_.failures().mid(failuresBefore);
    return errors_.isEmpty();
}

}  // namespace vel
