#include "ui/FormDriver.h"

#include "services/HelpTopics.h"
#include "ui/Form.h"
#include "ui/Grid.h"
#include "ui/ListSelect.h"
#include "ui/ListView.h"
#include "ui/OrderedSelect.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"
#include "ui/Transcript.h"

namespace vel {

FormDriver::FormDriver(Form& form, Transcript& transcript, FailureSink fail)
    : form_(form), transcript_(transcript), fail_(std::move(fail)) {}

Control* FormDriver::find(const QString& path) {
    Control* control = form_.findControl(path);
    if (!control) {
        fail_(QStringLiteral("%1 has no control %2").arg(form_.name(), path));
    }
    return control;
}

void FormDriver::wrongKind(const QString& path) {
    fail_(QStringLiteral("%1: control %2 does not take that action").arg(form_.name(), path));
}

QString FormDriver::value(const QString& path) {
    Control* control = find(path);
    return control ? control->valueText() : QString();
}

bool FormDriver::report(bool taken, const QString& path, const QString& action) {
    if (!taken && form_.findControl(path)) {
        transcript_.addLine(QStringLiteral("refused: %1.%2 %3").arg(form_.name(), path, action));
    }
    return taken;
}

bool FormDriver::set(const QString& path, const QString& value) {
    Control* control = find(path);
    const bool taken = control && control->userSetValue(value);
    if (auto* box = dynamic_cast<TextBox*>(control)) {
        box->userLeave();  // a text set whole is entered, as typing it and moving on
    }
    return report(taken, path, QStringLiteral("set \"%1\"").arg(value));
}

bool FormDriver::type(const QString& path, const QString& text) {
    auto* box = control<TextBox>(path);
    const bool taken = box && box->userType(text);
    if (box) {
        box->userLeave();  // a person who typed moves on to the next control
    }
    return report(taken, path, QStringLiteral("type \"%1\"").arg(text));
}

bool FormDriver::key(const QString& path, int code) {
    auto* box = control<TextBox>(path);
    return report(box && box->userKey(code), path, QStringLiteral("key %1").arg(code));
}

bool FormDriver::click(const QString& path) {
    Control* control = find(path);
    return report(control && control->userClick(), path, QStringLiteral("click"));
}

bool FormDriver::selectTab(const QString& path, int number) {
    auto* strip = control<TabStrip>(path);
    return report(strip && strip->userSelect(number), path, QStringLiteral("tab %1").arg(number));
}

bool FormDriver::selectLine(const QString& path, int line, bool addToSelection) {
    auto* list = control<ListView>(path);
    return report(list && list->userSelect(line, addToSelection), path,
                  QStringLiteral("line %1").arg(line));
}

bool FormDriver::doubleClickLine(const QString& path, int line) {
    auto* list = control<ListView>(path);
    return report(list && list->userDoubleClick(line), path,
                  QStringLiteral("double-click line %1").arg(line));
}

bool FormDriver::tick(const QString& path, const QString& itemText, bool ticked) {
    auto* list = control<ListSelect>(path);
    return report(list && list->userSetSelected(list->find(itemText), ticked), path,
                  QStringLiteral("tick \"%1\" %2").arg(itemText).arg(ticked));
}

bool FormDriver::pick(const QString& path, const QString& itemText) {
    auto* list = control<OrderedSelect>(path);
    return report(list && list->userAdd(list->findAvailable(itemText)), path,
                  QStringLiteral("pick \"%1\"").arg(itemText));
}

bool FormDriver::unpick(const QString& path, int position) {
    auto* list = control<OrderedSelect>(path);
    return report(list && list->userRemove(position), path,
                  QStringLiteral("unpick %1").arg(position));
}

bool FormDriver::moveChosen(const QString& path, int position, int offset) {
    auto* list = control<OrderedSelect>(path);
    return report(list && list->userMove(position, offset), path,
                  QStringLiteral("move %1 by %2").arg(position).arg(offset));
}

bool FormDriver::clickCell(const QString& path, int row, int col) {
    auto* grid = control<Grid>(path);
    return report(grid && grid->userClickCell(row, col), path,
                  QStringLiteral("click cell %1,%2").arg(row).arg(col));
}

bool FormDriver::editCell(const QString& path, int row, int col, const QString& text) {
    auto* grid = control<Grid>(path);
    return report(grid && grid->userEditCell(row, col, text), path,
                  QStringLiteral("cell %1,%2 \"%3\"").arg(row).arg(col).arg(text));
}

bool FormDriver::close() {
    const bool closed = form_.userClose();
    if (!closed) {
        transcript_.addLine(QStringLiteral("refused: %1 close").arg(form_.name()));
    }
    return closed;
}

void FormDriver::pressHelp() {
    showWindowHelp(form_);
}

}  // namespace vel
