#pragma once
// frmImportLog: the log of an import, one line per record read with its remark, shown after the
// import ("Activity Import Log", heading "Log of Activity Import").
//
// Controls: lblHeading, lvLog (the caller's columns), cmdOK "OK".
#include "ui/Form.h"

#include <QStringList>
#include <vector>

namespace vel {

class Label;
class ListView;

class frmImportLog : public Form {
  public:
    frmImportLog();

    // Shows the lines modally under the caption and heading, with one column per heading.
    void ShowLog(const QString& caption, const QString& heading, const QStringList& columns,
                 const std::vector<QStringList>& lines, quintptr ownerHandle = 0);

  private:
    Label* heading_;
    ListView* log_ = nullptr;
};

}  // namespace vel
