#pragma once
// Form: one window of the component. A derived form declares its controls in its constructor and
// answers their events; the Ui shows it (headless or as a Qt dialog) and feeds it a person's
// actions. Tests and scripts reach a control by its name: form.control("Text1(0)").
#include "ui/Container.h"
#include "ui/Control.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace vel {

class Form;

// Who owns a window while it shows: another window of the component, or the host's window.
struct WindowOwner {
    Form* form = nullptr;
    quintptr hostWindow = 0;
};

// Told about every change of a form's state, so that a rendered window follows the model.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(Control& control) = 0;
    virtual void formChanged(Form& form) = 0;  // caption, visibility, enabled state, focus
};

class Form : public Container {
public:
    enum UnloadMode { FormControlMenu = 0, FormCode = 1 };

    Form(const QString& name, const QString& caption);
    ~Form() override;

    const QString& name() const { return name_; }
    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

    // Control lookup by "Name(index)" or "Name". control() raises run-time error 5 on an
    // unknown name; findControl() returns nullptr.
    Control& control(const QString& path) const;
    Control* findControl(const QString& path) const;
    template <class T>
    T& controlAs(const QString& path) const { return dynamic_cast<T&>(control(path)); }
    std::vector<Control*> controlArray(const QString& name) const;
    const std::vector<std::unique_ptr<Control>>& allControls() const { return controls_; }

    // Life cycle. load() raises Form_Load once per loading; show() loads and shows; hide()
    // keeps the window loaded; unload() asks QueryUnload (which may cancel) and unloads.
    bool isLoaded() const { return loaded_; }
    bool isVisible() const { return visible_; }
    void load();
    void show();
    void hide();
    bool unload(UnloadMode mode = FormCode);
    // A person closing the window by its frame: QueryUnload with FormControlMenu, then unload.
    bool userClose() { return unload(FormControlMenu); }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const WindowOwner& owner() const { return owner_; }
    void setOwner(const WindowOwner& owner) { owner_ = owner; }

    Control* focused() const { return focused_; }
    // Puts the focus on the control and brings the tab pages that hold it to the front.
    void setFocus(Control& control);

    // A timer the window runs while it shows modally in the Qt front end: every interval
    // milliseconds the handler runs (a list polling for shutdown). Headless, nothing runs it by
    // itself; fireTimer() is what the tick calls.
    void setTimer(int intervalMilliseconds, std::function<void()> handler) {
        timerInterval_ = intervalMilliseconds;
        timerHandler_ = std::move(handler);
    }
    int timerInterval() const { return timerHandler_ ? timerInterval_ : 0; }
    void fireTimer() {
        if (timerHandler_ && loaded_) {
            timerHandler_();
        }
    }

    // The help topic that F1 and the window's "&Help" button open: the window's own number
    // when set, else the one the help set gives its form name (HelpTopics.h).
    int helpContextID() const;
    void setHelpContextID(int context) { helpContextID_ = context; }

    FormObserver* observer() const { return observer_; }
    void setObserver(FormObserver* observer) { observer_ = observer; }

    // Every loaded window of the component, in loading order.
    static std::vector<Form*> loadedForms();

protected:
    virtual void Form_Load() {}
    // Set cancel to true to keep the window loaded.
    virtual void Form_QueryUnload(bool& cancel, UnloadMode mode) {}
    virtual void Form_Unload() {}

private:
    friend class Control;
    void registerControl(std::unique_ptr<Control> control);
    friend class Container;
    void notifyFormChanged();

    QString name_;
    QString caption_;
    bool loaded_ = false;
    bool visible_ = false;
    bool enabled_ = true;
    WindowOwner owner_;
    Control* focused_ = nullptr;
    FormObserver* observer_ = nullptr;
    int timerInterval_ = 0;
    int helpContextID_ = 0;
    std::function<void()> timerHandler_;
    std::vector<std::unique_ptr<Control>> controls_;
    QHash<QString, Control*> byPath_;
};

}  // namespace vel
