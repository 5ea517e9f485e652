#pragma once
// dlgExport ("Export Options"): the file, output type and zero-row choice of the activity-detail
// export. Text1 "&File Name:" with "Browse for File" (a save dialog "Name an Output File" that
// offers the chosen type's files), Combo1 "&Type of Export:" (the export writer's types) and
// chkNonZero. Choosing another type gives a file name that ends in another type's extension
// the new type's extension. OK refuses an empty file name and a folder that does not exist.
#include "ui/Form.h"

namespace vel {

class CheckBox;
class ComboBox;
class TextBox;

class dlgExport : public Form {
  public:
    struct Options {
        QString fileName;
        QString outputType;  // a type's name ("CSV"); an unknown one starts on CSV
        bool nonZeroOnly = false;
    };

    dlgExport();

    // Shows the window with the options; true, with the options changed, when the person
    // confirmed. The window is hidden afterwards and stays loaded until released.
    bool ShowOptions(quintptr ownerHandle, Options& options);

    // The save dialog's filter for a type: "Comma Separated Values (*.csv)|*.csv|All Files ...".
    static QString fileFilter(const QString& outputType);

  private:
    void browse();
    void typeChosen();
    void confirm();
    QString chosenType() const;

    quintptr owner_ = 0;
    bool confirmed_ = false;
    QString shownType_;
    TextBox* fileName_ = nullptr;
    ComboBox* type_ = nullptr;
    CheckBox* nonZero_ = nullptr;
};

}  // namespace vel
