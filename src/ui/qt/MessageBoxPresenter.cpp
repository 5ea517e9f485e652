#include "ui/qt/MessageBoxPresenter.h"

#include "ui/MessageBoxCodes.h"

#include <QApplication>
#include <QPushButton>
#include <memory>

namespace vel {

namespace {
struct ButtonAnswer {
    int answer;
    QMessageBox::StandardButton button;
};
constexpr ButtonAnswer buttonAnswers[] = {
    {IDOK, QMessageBox::Ok},       {IDCANCEL, QMessageBox::Cancel}, {IDABORT, QMessageBox::Abort},
    {IDRETRY, QMessageBox::Retry}, {IDIGNORE, QMessageBox::Ignore}, {IDYES, QMessageBox::Yes},
    {IDNO, QMessageBox::No},
};
}  // namespace

QMessageBox::StandardButton standardButtonFor(int answer) {
    for (const ButtonAnswer& pair : buttonAnswers) {
        if (pair.answer == answer) {
            return pair.button;
        }
    }
    return QMessageBox::NoButton;
}

int answerFor(QMessageBox::StandardButton button) {
    for (const ButtonAnswer& pair : buttonAnswers) {
        if (pair.button == button) {
            return pair.answer;
        }
    }
    return 0;
}

QMessageBox::Icon iconFor(int style) {
    switch (style & 0xF0) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONASTERISK:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QMessageBox* makeMessageBox(QWidget* parent, const QString& prompt, int style,
                            const QString& caption) {
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(caption.isEmpty() ? QApplication::applicationDisplayName() : caption);
    box->setText(prompt);
    box->setTextFormat(Qt::PlainText);
    box->setIcon(iconFor(style));
    for (int answer : messageButtons(style)) {
        box->addButton(standardButtonFor(answer));
    }
    box->setDefaultButton(standardButtonFor(defaultAnswer(style)));
    box->setEscapeButton(box->button(standardButtonFor(closeAnswer(style))));
    return box;
}

int showMessageBox(QWidget* parent, const QString& prompt, int style, const QString& caption) {
    const std::unique_ptr<QMessageBox> box(makeMessageBox(parent, prompt, style, caption));
    box->exec();
    const auto pressed = box->standardButton(box->clickedButton());
    const int answer = answerFor(pressed);
    return answer != 0 ? answer : closeAnswer(style);
}

}  // namespace vel
