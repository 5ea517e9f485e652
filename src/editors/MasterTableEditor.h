#pragma once
// What every master-table editor shares. The editor's own form is the record window; this part
// holds the list window (TBEditForm) and the delete dialog (frmDelete), the system and the table
// being edited, and answers the list's events that are alike for every table: the totals line,
// saving with at least one active record, cancelling, shutdown, help, and the printed listing's
// device set-up, page header and lines. The editor supplies its list line and printed cells per
// record and its own add, edit and delete rules, using the helpers below.
//
// An editor's Edit is: beginEdit (table access, open), set-up of the list's columns,
// fillList, showList, endEdit. Its record loop is: showRecord until OK passes its checks or
// Cancel, then recordWritten.
#include "editors/EditorEntry.h"
#include "editors/frmDelete.h"
#include "editors/shell/TBEditForm.h"
#include "ui/MessageBoxCodes.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace vel {

class TableObject;
class TextBox;
class VelmorSystem;

// The words of one editor: "Mistake", "Mistakes", "List of Mistakes".
struct EditorWords {
    QString kind;
    QString plural;
    QString listTitle;
};

// A column of the printed listing: its heading and its width in characters.
struct PrintColumn {
    QString heading;
    int width = 10;
};

// The reason a table gave for not opening (file, problem, how to repair it), to follow the
// "Error opening the ..." message on its own lines; empty when the table gave none.
QString openFailureDetail(const TableObject& table);

class MasterTableEditor : public EditorEntry, protected EditFormEvents {
  public:
    bool tableChanged() const override;
    bool openedForModification() const override { return opened_ && !viewOnly_; }
    void release() override;

    TBEditForm& list() { return *list_; }

  protected:
    MasterTableEditor(Form& recordWindow, EditorWords words);
    ~MasterTableEditor() override;

    // Before beginEdit, for editors that offer the choice: the table-access question asked twice
    // (plain, then whether the choice is offered); with both answered, frmOKtoView decides
    // between viewing and modifying. False when the person cancelled.
    bool offerViewOrModify(VelmorSystem& system, const QString& code, bool& viewOnly);
    // Runs the body of an editor's Edit: an unexpected failure inside is reported with the
    // suffix (" - frmMistake:Edit") and gives back the tables and the table access taken so far.
    // Answers the body's answer, false after a failure.
    bool runEdit(const QString& procedureSuffix, const std::function<bool()>& body);
    // The table-access question with the code (view-only when forced or refused), then the
    // table opened ("Error opening the " + its name + suffix when it fails). False ends Edit.
    bool beginEdit(VelmorSystem& system, TableObject& table, bool viewOnly,
                   const QString& accessCode, const QString& openFailureSuffix = {});
    // A table the editor reads besides its own (a corporate control copy), opened afresh for
    // this run and closed by endEdit. False after "Error opening the " + its name + " Table";
    // the editor then only views.
    bool openForRun(VelmorSystem& system, TableObject& table);
    // The caption (table name + " Table", " (readonly)" when view-only), view-only switches and
    // the help values; the editor adds its columns after this.
    void setUpList();
    // One line per active record, while the status display shows the share done.
    void fillList();
    // Shows the list modally. With requireActive, a list closed while no record is active says
    // "At least 1 " + kind + " must be active" and shows again.
    void showList(quintptr owner, bool requireActive);
    void endEdit();

    // The record window's OK / Cancel pair (SaveButtons1) and the two move buttons (btnMove).
    void addRecordButtons(Container& container);
    // Makes every value box, check box, option, list and grid of the record window count as a
    // change of the record (call once, after the window's controls are declared): while the
    // record shown is unchanged, OK is disabled and the move buttons enabled; the first change
    // enables OK and disables the moves until the window closes. Editors without it keep OK
    // enabled and the moves as they are.
    void trackRecordChanges();
    // After the window was filled with a record: changed for a record not stored yet.
    void resetRecordChanges(bool changed);
    // A change made outside the value controls (a colour chosen through a button).
    void markRecordChanged();
    bool recordChanged() const { return recordChanged_; }
    // Shows the record window over the list with the caption; true when OK closed it (always
    // false when view-only: nothing is written).
    bool showRecord(const QString& caption);
    // The record window's caption for an add, and for an edit ("View " when view-only), before
    // the record number: "Add Mistake Record: ", "Edit Mistake Record: ".
    QString addCaption() const;
    QString editCaption() const;
    // A blank (or blanks-only) box: its label caption + " Field cannot be blank", focus to it.
    bool refusedAsBlank(TextBox& box);
    // Whether the trimmed text names another active record (a blank text never passes).
    bool takenByAnother(const QString& text, int number) const;
    // The first free record, or 0 after "Cannot add any " + plural + ", the maximum of ...".
    int freeRecordOrRefuse();
    // After the editor wrote a record: its list line, the list changed, the change log.
    void recordWritten(int number, const QString& action, const QStringList& changedSettings);
    // The delete of one record through frmDelete ("(None)" and the other records as targets,
    // or those the filter accepts), then confirmAndRemove. Answers the target that receives the
    // record's data (0: none), or -1 when nothing was deleted.
    int deleteThroughDialog(int number, const std::function<bool(int other)>& isTarget = {},
                            int confirmStyle = MB_YESNO | MB_ICONQUESTION);
    // "OK to Delete this " + kind + " from the system at this time?" (Yes/No, or OK/Cancel by the
    // style); when confirmed the table's remove (posted data to the target, 0: dropped), the
    // change log and the list line. True when done.
    bool confirmAndRemove(int number, int target, int confirmStyle = MB_YESNO | MB_ICONQUESTION);
    // The record-deletion dialog, for editors that delete in their own way.
    frmDelete& deleteDialog() { return *delete_; }
    // A message with the caption, or the system's title.
    int message(const QString& text, int style, const QString& caption = {});
    // A printed line of cells under the columns of printColumns().
    void printCellsRow(TBPrint& printer, const QStringList& cells);

    VelmorSystem& system() const { return *system_; }
    TableObject& table() const { return *table_; }
    bool viewOnly() const { return viewOnly_; }
    const EditorWords& words() const { return words_; }

    // What the editor shows of a record: its list line (Text columns in column-number order),
    // and its printed cells under printColumns().
    virtual QStringList lineTexts(int number) const = 0;
    virtual std::vector<PrintColumn> printColumns() const = 0;
    virtual QStringList printCells(int number) const = 0;

    // Events alike for every editor.
    void EditForm_ShowTotals(QString& text) override;
    void EditForm_EditSave(bool& success) override;
    void EditForm_EditCancel(bool& close) override;
    void EditForm_NeedtoShutdown(bool& shutdown) override;
    void EditForm_ShowHelp(int helpContext) override;
    void EditForm_DeviceInit(TBPrint& printer) override;
    void EditForm_PrintHeader(TBPrint& printer) override;
    void EditForm_PrintRec(TBPrint& printer, int number) override;
    void EditForm_PrintTotals(TBPrint& printer) override;

  private:
    Form& record_;
    EditorWords words_;
    std::unique_ptr<TBEditForm> list_;
    std::unique_ptr<frmDelete> delete_;
    VelmorSystem* system_ = nullptr;
    TableObject* table_ = nullptr;
    std::vector<TableObject*> openedForRun_;
    bool viewOnly_ = false;
    bool opened_ = false;
    bool accessBegun_ = false;
    bool confirmed_ = false;
    bool trackingChanges_ = false;
    bool recordChanged_ = false;
    std::vector<Control*> recordButtons_;  // btnMove(0), btnMove(1), SaveButtons1(1)
};

}  // namespace vel
