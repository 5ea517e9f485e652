#pragma once
// frmEmployee ("Associate"): the associate editor. Its list shows every active associate (code,
// name, work center, shift, grouping, hire date, audit, number, the shown badges, and the
// incentive and performance-policy columns when those features are on); its record window (this
// form, pages in AssociatePages) edits one associate.
//
// Besides the associate table it keeps the grouping membership in step with every add, edit and
// delete (and rebuilds it when the edits are dropped), and rebuilds the punch lookup file when
// the list is saved and a lookup folder is set (see AssociateStores).
#include "data/TableObject.h"
#include "data/records/AssociateRecord.h"
#include "editors/AssociatePages.h"
#include "editors/AssociateSettings.h"
#include "editors/MasterTableEditor.h"
#include "ui/Form.h"

#include <QSet>

namespace vel {

class frmEmployee : public Form, public MasterTableEditor {
  public:
    frmEmployee();

    bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) override;

    // The folder searched for "features.new" (the program's own folder unless set).
    void setProgramFolder(const QString& folder) { programFolder_ = folder; }

  protected:
    void EditForm_ShowTotals(QString& text) override;
    void EditForm_AddRec() override;
    void EditForm_EditRec(int number) override;
    void EditForm_DeleteRec(int number) override;
    void EditForm_EditSave(bool& success) override;
    void EditForm_EditCancel(bool& close) override;
    void EditForm_ActionButton(int index) override;

    QStringList lineTexts(int number) const override;
    std::vector<PrintColumn> printColumns() const override;
    QStringList printCells(int number) const override;

  private:
    Table<AssociateRecord>& associates() const;
    // The related tables open and at least one work center active; false ends Edit.
    bool relatedTablesReady();
    void closeRelatedTables() override;
    void declareList();
    void recordLoop(int number, const QString& caption, bool adding);
    // Blank, code and badge checks of the OK button, in that order.
    bool passesChecks(int number);
    bool badgesAccepted(int number);
    void writeRecord(int number, const AssociateRecord& before, bool adding);
    void deleteAssociates(const std::vector<int>& numbers);
    // The associates of the selection that may go; the others are refused with a message.
    std::vector<int> deletable(const std::vector<int>& numbers);
    void moveMemberships(int number, const AssociateRecord& before, const AssociateRecord& after);

    AssociatePages pages_;
    AssociateSettings settings_;
    SystemFeatures features_;
    QString programFolder_;
    QSet<int> deletedWithSelection_;
    std::vector<TableObject*> openedRelated_;  // the related tables this editor opened
    int checkTallybookButton_ = 0;
    bool membershipChanged_ = false;
};

}  // namespace vel
