#include "ui/ScriptLine.h"

#include "ui/Form.h"
#include "ui/FormDriver.h"

namespace vel {

ScriptLine ScriptLine::parse(const QString& text, int number) {
    ScriptLine line;
    line.number = number;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'\\' && i + 1 < text.size()) {
                const QChar next = text[++i];
                word += next == u'n' ? QChar(u'\n') : next;
            } else if (c == u'"') {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == u'"') {
            quoted = inWord = true;
        } else if (c == u'#') {
            break;
        } else if (c.isSpace()) {
            if (inWord) {
                line.words << word;
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) {
        line.error = QStringLiteral("line %1: a quote is not closed").arg(number);
    }
    if (inWord) {
        line.words << word;
    }
    return line;
}

QStringList windowActionNames() {
    return {QStringLiteral("set"),   QStringLiteral("type"),     QStringLiteral("key"),
            QStringLiteral("click"), QStringLiteral("tab"),      QStringLiteral("line"),
            QStringLiteral("doubleclick"), QStringLiteral("tick"), QStringLiteral("untick"),
            QStringLiteral("pick"),  QStringLiteral("unpick"),   QStringLiteral("move"),
            QStringLiteral("cell"),  QStringLiteral("clickcell"), QStringLiteral("expect"),
            QStringLiteral("close"), QStringLiteral("help")};
}

QString applyWindowAction(FormDriver& driver, const ScriptLine& line) {
    const QStringList& w = line.words;
    const QString action = w.value(0).toLower();
    const auto arguments = [&](int count) { return w.size() == count + 1; };
    bool ok1 = true;
    bool ok2 = true;
    const QString usage = QStringLiteral("line %1: ").arg(line.number);

    if (action == u"close" && arguments(0)) {
        driver.close();
    } else if (action == u"help" && arguments(0)) {
        driver.pressHelp();
    } else if (action == u"click" && arguments(1)) {
        driver.click(w[1]);
    } else if (action == u"set" && arguments(2)) {
        driver.set(w[1], w[2]);
    } else if (action == u"type" && arguments(2)) {
        driver.type(w[1], w[2]);
    } else if (action == u"key" && arguments(2)) {
        const int code = w[2].toInt(&ok1);
        if (ok1) driver.key(w[1], code);
    } else if (action == u"tab" && arguments(2)) {
        const int number = w[2].toInt(&ok1);
        if (ok1) driver.selectTab(w[1], number);
    } else if (action == u"line" && arguments(2)) {
        const int number = w[2].toInt(&ok1);
        if (ok1) driver.selectLine(w[1], number);
    } else if (action == u"doubleclick" && arguments(2)) {
        const int number = w[2].toInt(&ok1);
        if (ok1) driver.doubleClickLine(w[1], number);
    } else if ((action == u"tick" || action == u"untick") && arguments(2)) {
        driver.tick(w[1], w[2], action == u"tick");
    } else if (action == u"pick" && arguments(2)) {
        driver.pick(w[1], w[2]);
    } else if (action == u"unpick" && arguments(2)) {
        const int position = w[2].toInt(&ok1);
        if (ok1) driver.unpick(w[1], position);
    } else if (action == u"move" && arguments(3)) {
        const int position = w[2].toInt(&ok1);
        const int offset = w[3].toInt(&ok2);
        if (ok1 && ok2) driver.moveChosen(w[1], position, offset);
    } else if ((action == u"cell" && arguments(4)) || (action == u"clickcell" && arguments(3))) {
        const int row = w[2].toInt(&ok1);
        const int col = w[3].toInt(&ok2);
        if (ok1 && ok2) {
            action == u"cell" ? driver.editCell(w[1], row, col, w[4]) : driver.clickCell(w[1], row, col);
        }
    } else if (action == u"expect" && arguments(2)) {
        const QString actual = w[1] == u"caption" ? driver.form().caption() : driver.value(w[1]);
        if (actual != w[2]) {
            driver.fail(QStringLiteral("line %1: %2 %3 is \"%4\", expected \"%5\"")
                            .arg(QString::number(line.number), driver.form().name(), w[1], actual,
                                 w[2]));
        }
    } else {
        return usage + QStringLiteral("not a window action: %1 (actions: %2)")
                           .arg(w.join(u' '), windowActionNames().join(QStringLiteral(", ")));
    }
    if (!ok1 || !ok2) {
        return usage + QStringLiteral("a number is expected in: %1").arg(w.join(u' '));
    }
    return {};
}

}  // namespace vel
