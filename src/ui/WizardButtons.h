#pragma once
// The button row of a wizard window: the control array Command1 with 0 "&Help", 1 "&Cancel",
// 2 "Next >" and 3 "< Back", laid out as a wizard's are: "< Back", "Next >", "&Cancel",
// "&Help". Cancel unloads the window; the window says what the other three do.
#include <QString>
#include <functional>

namespace vel {

class Button;
class Container;
class Form;

class WizardButtons {
  public:
    using Handler = std::function<void()>;

    // Adds the row at the end of the window.
    WizardButtons(Form& form, Handler back, Handler next, Handler help);

    // Back is offered after the first page; Next reads lastCaption on the last page.
    void showPage(bool first, bool last, const QString& lastCaption);
    Button& nextButton() const { return *next_; }

  private:
    Button* back_;
    Button* next_;
};

}  // namespace vel
