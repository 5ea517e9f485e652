#include "ui/Control.h"

#include "ui/Container.h"
#include "ui/Form.h"

namespace vel {

Control::Control(Container& parent, ControlKind kind, const QString& name, int index,
                 const QString& caption)
    : kind_(kind), form_(parent.owningForm()), parent_(&parent), name_(name), index_(index),
      caption_(caption) {}

Control::~Control() = default;

QString Control::path() const {
    return index_ >= 0 ? QStringLiteral("%1(%2)").arg(name_).arg(index_) : name_;
}

QString Control::plainCaption() const {
    QString plain;
    for (qsizetype i = 0; i < caption_.size(); ++i) {
        if (caption_[i] == u'&' && i + 1 < caption_.size()) {
            ++i;  // "&&" stands for one "&"; a single "&" marks the mnemonic
        }
        plain += caption_[i];
    }
    return plain;
}

void Control::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        notifyChanged();
    }
}

void Control::setToolTip(const QString& tip) {
    toolTip_ = tip;
    notifyChanged();
}

void Control::setEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        notifyChanged();
    }
}

void Control::setVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        notifyChanged();
    }
}

void Control::setLocked(bool locked) {
    if (locked != locked_) {
        locked_ = locked;
        notifyChanged();
    }
}

bool Control::reachable() const {
    return visible_ && enabled_ && parent_->containerReachable();
}

void Control::setFocus() {
    form_.setFocus(*this);
}

bool Control::hasFocus() const {
    return form_.focused() == this;
}

bool Control::userSetValue(const QString&) {
    return false;
}

bool Control::userClick() {
    if (!reachable()) {
        return false;
    }
    raiseClick();
    return true;
}

void Control::raiseClick() {
    const auto handlers = clickHandlers_;  // a handler may add handlers
    for (const Handler& handler : handlers) {
        handler();
    }
}

void Control::raiseChange() {
    const auto handlers = changeHandlers_;
    for (const Handler& handler : handlers) {
        handler();
    }
}

void Control::notifyChanged() {
    if (FormObserver* observer = form_.observer()) {
        observer->controlChanged(*this);
    }
}

}  // namespace vel
