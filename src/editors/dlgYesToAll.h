#pragma once
// dlgYesToAll: a question answered Yes, Yes to All or No, for checks that repeat over many items
// (one question per element without a standard). Yes to All tells the caller to stop asking.
//
// Controls: lblPrompt (the question), cmdYes "&Yes", cmdYesToAll "Yes to &All", cmdNo "&No"
// (the default and the answer when the window is closed).
#include "ui/Form.h"

namespace vel {

class Label;

class dlgYesToAll : public Form {
  public:
    enum Answer { No = 0, Yes = 1, YesToAll = 2 };

    explicit dlgYesToAll(const QString& caption = {});

    // Shows the question modally over the caller's window and answers the button pressed.
    Answer Ask(const QString& prompt, quintptr ownerHandle = 0);

  private:
    void choose(Answer answer);

    Label* prompt_;
    Answer answer_ = No;
};

}  // namespace vel
