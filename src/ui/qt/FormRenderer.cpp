#include "ui/qt/FormRenderer.h"

#include "services/HelpTopics.h"
#include "ui/Button.h"
#include "ui/qt/ControlBinding.h"
#include "ui/qt/FormDialog.h"
#include "ui/qt/FormLayoutBuilder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QShortcut>
#include <exception>

namespace vel {

FormRenderer::FormRenderer(Form& form, QWidget* parent) : form_(form) {
    dialog_ = new FormDialog(parent);
    dialog_->setObjectName(form.name());
    FormLayoutBuilder(*this).buildDialog(*dialog_);
    for (const auto& binding : bindings_) {
        binding->refresh();
    }
    applyFormState();
    form_.setObserver(this);
    connect(dialog_, &FormDialog::closeRequested, this, &FormRenderer::onCloseRequested);
    connect(dialog_, &FormDialog::escapePressed, this, &FormRenderer::onEscape);
    auto* help = new QShortcut(QKeySequence::HelpContents, dialog_);
    connect(help, &QShortcut::activated, this, [this] { showWindowHelp(form_); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { onFocusChanged(now); });
}

FormRenderer::~FormRenderer() {
    if (form_.observer() == this) {
        form_.setObserver(nullptr);
    }
    pending_.clear();
    byControl_.clear();
    bindings_.clear();  // first, so that no widget signal reaches the form while it goes
    delete dialog_.data();
}

FormDialog* FormRenderer::dialog() const {
    return dialog_.data();
}

void FormRenderer::addBinding(std::unique_ptr<ControlBinding> binding) {
    QWidget* focus = binding->focusWidget();
    if (focus && focus->objectName().isEmpty()) {
        focus->setObjectName(binding->control().path());
    }
    byControl_.insert(&binding->control(), binding.get());
    bindings_.push_back(std::move(binding));
}

QWidget* FormRenderer::widgetFor(const Control& control) const {
    ControlBinding* binding = byControl_.value(&control, nullptr);
    return binding ? binding->focusWidget() : nullptr;
}

QWidget* FormRenderer::widgetFor(const QString& path) const {
    const Control* control = form_.findControl(path);
    return control ? widgetFor(*control) : nullptr;
}

QButtonGroup* FormRenderer::optionGroup(const QString& arrayName) {
    QButtonGroup*& group = optionGroups_[arrayName];
    if (!group) {
        group = new QButtonGroup(dialog_);
        group->setExclusive(true);
    }
    return group;
}

void FormRenderer::controlChanged(Control& control) {
    if (ControlBinding* binding = byControl_.value(&control, nullptr)) {
        schedule(binding);
    }
}

// Changes are gathered and applied once the current handler is done, so that a form filling
// a grid cell by cell redraws it once.
void FormRenderer::schedule(ControlBinding* binding) {
    if (std::ranges::find(pending_, binding) == pending_.end()) {
        pending_.push_back(binding);
    }
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                flushQueued_ = false;
                flush();
            },
            Qt::QueuedConnection);
    }
}

void FormRenderer::flush() {
    bool pagesSwapped = false;
    while (!pending_.empty()) {
        const std::vector<ControlBinding*> batch = std::move(pending_);
        pending_.clear();
        for (ControlBinding* binding : batch) {
            const Control& control = binding->control();
            const bool page = control.kind() == ControlKind::Frame && control.parent() == &form_;
            const bool wasHidden = page && binding->outerWidget()->isHidden();
            binding->refresh();
            if (page && wasHidden != binding->outerWidget()->isHidden()) {
                pagesSwapped = true;
            }
        }
    }
    // A frame of the window itself shown or hidden is a wizard turning its page: the window
    // takes the new page's size, so that its buttons stay at its foot.
    if (pagesSwapped && dialog_ && dialog_->isVisible()) {
        dialog_->adjustSize();
    }
}

void FormRenderer::refreshNow(const Control& control) {
    if (ControlBinding* binding = byControl_.value(&control, nullptr)) {
        binding->refresh();
    }
}

void FormRenderer::formChanged(Form&) {
    applyFormState();
    if (!applyingFocus_) {
        applyFocus();
    }
}

void FormRenderer::applyFormState() {
    if (!dialog_) {
        return;
    }
    dialog_->setWindowTitle(form_.caption());
    dialog_->body()->setEnabled(form_.enabled());
    if (!form_.isLoaded() || !form_.isVisible()) {
        if (dialog_->isVisible()) {
            dialog_->hideByProgram();
        }
        if (!finished_) {
            finished_ = true;
            Q_EMIT finished();
        }
    } else {
        finished_ = false;
    }
}

void FormRenderer::applyFocus() {
    Control* focused = form_.focused();
    if (!focused || !dialog_) {
        return;
    }
    flush();  // the tab page that holds the control comes to the front first
    QWidget* widget = widgetFor(*focused);
    if (widget && !widget->hasFocus()) {
        applyingFocus_ = true;
        widget->setFocus(Qt::OtherFocusReason);
        applyingFocus_ = false;
    }
}

// A person moving the focus tells the form, so that its focused control stays true.
void FormRenderer::onFocusChanged(QWidget* now) {
    if (!now || applyingFocus_ || !dialog_ || now->window() != dialog_) {
        return;
    }
    for (QWidget* widget = now; widget && widget != dialog_; widget = widget->parentWidget()) {
        for (const auto& binding : bindings_) {
            if (binding->focusWidget() != widget && binding->outerWidget() != widget) {
                continue;
            }
            if (form_.focused() != &binding->control()) {
                applyingFocus_ = true;
                try {
                    form_.setFocus(binding->control());
                } catch (const std::exception& error) {
                    qWarning("%s: %s", qPrintable(form_.name()), error.what());
                }
                applyingFocus_ = false;
            }
            return;
        }
    }
}

void FormRenderer::onCloseRequested() {
    try {
        form_.userClose();
    } catch (const std::exception& error) {
        qWarning("%s: %s", qPrintable(form_.name()), error.what());
    }
    flush();
}

// Escape presses the window's cancel button when it has one a person can reach.
void FormRenderer::onEscape() {
    for (const auto& control : form_.allControls()) {
        auto* button = dynamic_cast<Button*>(control.get());
        if (button && button->isCancel() && button->reachable()) {
            try {
                button->userClick();
            } catch (const std::exception& error) {
                qWarning("%s: %s", qPrintable(form_.name()), error.what());
            }
            flush();
            return;
        }
    }
    onCloseRequested();
}

}  // namespace vel
