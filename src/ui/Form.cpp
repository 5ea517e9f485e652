#include "ui/Form.h"

#include "services/HelpTopics.h"
#include "services/RuntimeError.h"
#include "ui/TabStrip.h"

#include <algorithm>

namespace vel {

namespace {
std::vector<Form*>& allForms() {
    static std::vector<Form*> forms;
    return forms;
}
}  // namespace

Form::Form(const QString& name, const QString& caption)
    : Container(*this, Layout::Rows), name_(name), caption_(caption) {
    allForms().push_back(this);
}

Form::~Form() {
    std::erase(allForms(), this);
    observer_ = nullptr;
}

int Form::helpContextID() const {
    return helpContextID_ != 0 ? helpContextID_ : helpContextForForm(name_);
}

void Form::setCaption(const QString& caption) {
    caption_ = caption;
    notifyFormChanged();
}

Control& Form::control(const QString& path) const {
    Control* found = findControl(path);
    if (!found) {
        throw RuntimeError::invalidCall(
            QStringLiteral("Control %1 not found on window %2").arg(path, name_));
    }
    return *found;
}

Control* Form::findControl(const QString& path) const {
    return byPath_.value(QString(path).remove(u' '), nullptr);
}

std::vector<Control*> Form::controlArray(const QString& name) const {
    std::vector<Control*> members;
    for (const auto& control : controls_) {
        if (control->name() == name) {
            members.push_back(control.get());
        }
    }
    return members;
}

void Form::registerControl(std::unique_ptr<Control> control) {
    if (!control->name().isEmpty()) {
        Q_ASSERT_X(!byPath_.contains(control->path()), "Form",
                   qPrintable(QStringLiteral("duplicate control ") + control->path()));
        byPath_.insert(control->path(), control.get());
    }
    controls_.push_back(std::move(control));
}

void Form::load() {
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
}

void Form::show() {
    load();
    if (!visible_) {
        visible_ = true;
        notifyFormChanged();
    }
}

void Form::hide() {
    if (visible_) {
        visible_ = false;
        notifyFormChanged();
    }
}

bool Form::unload(UnloadMode mode) {
    if (!loaded_) {
        return true;
    }
    bool cancel = false;
    Form_QueryUnload(cancel, mode);
    if (cancel) {
        return false;
    }
    Form_Unload();
    loaded_ = false;
    visible_ = false;
    focused_ = nullptr;
    notifyFormChanged();
    return true;
}

void Form::setEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        notifyFormChanged();
    }
}

void Form::setFocus(Control& control) {
    for (Container* container = control.parent(); container != this;) {
        if (auto* page = dynamic_cast<TabPage*>(container)) {
            page->strip().select(page->number());
            container = page->strip().parent();
        } else {
            container = container->asControl()->parent();
        }
    }
    focused_ = &control;
    notifyFormChanged();
}

void Form::notifyFormChanged() {
    if (observer_) {
        observer_->formChanged(*this);
    }
}

std::vector<Form*> Form::loadedForms() {
    std::vector<Form*> loaded;
    std::ranges::copy_if(allForms(), std::back_inserter(loaded),
                         [](Form* form) { return form->isLoaded(); });
    return loaded;
}

}  // namespace vel
