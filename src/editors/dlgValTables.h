#pragma once
// dlgValTables ("Export Options"): where the table export asks which validation tables to write,
// in which output type and into which folder.
//
// Controls: TabStrip1 with the pages "File Type and Folder" (Combo1 "&Type of Export:", Text1
// "&Folder:", Command2 "Browse for File", the caller's explanation lblExplanation) and "Tables"
// (Check1(0) to Check1(9), one per table, and Command1 "Check/UnCheck All"); cmdOK "&Export" and
// cmdCancel "Cancel".
//
// The type list holds every output type of the export writer whose class is 1 or 2, shown as
// its description with the extension in brackets.
#include "maintenance/ValidationTables.h"
#include "ui/Form.h"

#include <array>

namespace vel {

class CheckBox;
class ComboBox;
class Label;
class TabStrip;
class TextBox;

class dlgValTables : public Form {
  public:
    // What the dialog shows and, when confirmed, what the person chose.
    struct Options {
        ValidationTableSelection selection;
        QString folder;
        QString outputType;  // a type name ("XLSX"); an empty or unknown one preselects XLSX
    };

    dlgValTables();

    // Shows the dialog modally with the caption title and the explanation on the first page.
    // True when the person confirmed with an existing folder; options then holds the choice.
    // Cancel or closing the window answers false and leaves options as they were.
    bool ShowOptions(quintptr ownerHandle, Options& options, const QString& explanation,
                     const QString& title);

  private:
    void fill(const Options& options, const QString& explanation, const QString& title);
    void browse();
    void checkOrClearAll();
    void confirm();

    TabStrip* strip_;
    ComboBox* type_;
    TextBox* folder_;
    Label* explanation_;
    std::array<CheckBox*, ValidationTableCount> tables_{};
    bool checkAllNext_ = true;  // the next "Check/UnCheck All" checks every box
    bool confirmed_ = false;
    quintptr owner_ = 0;
};

}  // namespace vel
