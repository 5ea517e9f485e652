#pragma once
// frmImport ("Import File"): asks for the file an import reads and how much of it to skip. The
// caller names the import (window title and prompt), proposes the last file and skip counts, and
// says whether the "clear existing records" choice applies; Ask answers the person's choices.
//
// Controls: lblPrompt, txtFileName "Import &Filename:", cmdBrowse "..." (file dialog, filter
// "(All Files) *.*|*.*"), nbRows "Rows to skip", nbFields "Fields to Skip", chkClear "Clear
// existing records before importing", cmdImport "&Import", cmdCancel "&Cancel". chkClear is
// always shown; an import that cannot clear (the code change) shows it disabled and unticked.
//
// Import refuses an empty name ("Filename cannot be blank.") and a missing file ("File: " +
// name + " does not exist.") and keeps the window open.
#include "ui/Form.h"

namespace vel {

class CheckBox;
class Label;
class NumberBox;
class TextBox;

class frmImport : public Form {
  public:
    struct Request {
        QString title;     // "Update Activity Table Records"
        QString prompt;    // "Enter the name of the file to update the Activity Table"
        QString fileName;  // proposed; the chosen one afterwards
        int rowsToSkip = 0;
        int fieldsToSkip = 0;
        bool offerClear = false;  // chkClear can be ticked; otherwise it shows disabled
        bool clear = false;
    };

    frmImport();

    // Shows the window modally over the caller's window; true when Import was pressed with an
    // existing file, the request then holds the choices.
    bool Ask(Request& request, quintptr ownerHandle = 0);

  private:
    void browse();
    void confirm();

    Label* prompt_;
    TextBox* fileName_;
    NumberBox* rows_;
    NumberBox* fields_;
    CheckBox* clear_;
    bool confirmed_ = false;
};

}  // namespace vel
