#include "maintenance/frmImportLog.h"

#include "services/ErrorReport.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListView.h"

namespace vel {

frmImportLog::frmImportLog() : Form(QStringLiteral("frmImportLog"), QString()) {
    heading_ = &label(QStringLiteral("lblHeading"), QString());
    log_ = &listView(QStringLiteral("lvLog"));
    line()
        .button(QStringLiteral("cmdOK"), QStringLiteral("OK"))
        .makeDefault()
        .makeCancel()
        .clicked([this] { unload(); });
}

void frmImportLog::ShowLog(const QString& caption, const QString& heading,
                           const QStringList& columns, const std::vector<QStringList>& lines,
                           quintptr ownerHandle) {
    guarded(QStringLiteral(" - frmImportLog:ShowLog"), [&] {
        setCaption(caption);
        heading_->setCaption(heading);
        log_->clear();
        if (log_->columns().empty()) {
            for (const QString& column : columns) {
                log_->column(column, column == columns.last() ? 44 : 12);
            }
        }
        for (const QStringList& texts : lines) {
            log_->addItem(texts);
        }
        ShowLikeModal(*this, ownerHandle);
        unload();
    });
}

}  // namespace vel
