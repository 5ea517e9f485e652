#pragma once
// frmTitle: the title editor ("System Title"). One field, Text1 "System Title:", holding the
// system's title; OK writes it as the first title of the master file and logs the change.
//
// The title lives in the master file only, so the editor opens the master file (shared) for the
// length of its window; a blank title is refused and the window stays open.
#include "editors/EditorEntry.h"
#include "ui/Form.h"

namespace vel {

class TextBox;

class frmTitle : public Form, public EditorEntry {
  public:
    frmTitle();

    // Shows the window until OK stores a title or the person cancels; true when it was shown.
    bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) override;
    bool tableChanged() const override { return written_; }
    void release() override;

  private:
    // The checks and the write of one OK; false keeps the window open.
    bool saveTitle();
    int message(const QString& text, int style);

    TextBox* title_;
    VelmorSystem* system_ = nullptr;
    bool confirmed_ = false;
    bool written_ = false;
};

}  // namespace vel
