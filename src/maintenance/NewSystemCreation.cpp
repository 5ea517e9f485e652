#include "maintenance/NewSystemCreation.h"

#include "data/NewSystemBuilder.h"
#include "maintenance/frmAddSys.h"
#include "reports/frmPeriod.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/RuntimeError.h"
#include "ui/MessageBoxCodes.h"

namespace vel {

bool createNewSystem(quintptr ownerHandle, VelmorSystem& system, NewSystemBuilder& builder) {
    if (!builder.lock()) {
        MessageWithSound(builder.lastError(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    NewSystemParameters chosen;
    {
        frmAddSys wizard;
        if (!wizard.Ask(ownerHandle, system, builder, chosen)) {
            return false;
        }
    }
    if (!builder.prepare(chosen)) {
        MessageWithSound(builder.lastError(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    {
        frmPeriod periods;
        if (!periods.Edit(ownerHandle, builder.masterfile())) {
            builder.removeFiles();
            return false;
        }
    }
    if (!builder.createFiles()) {
        MessageWithSound(QStringLiteral("Error creating System.  All system files will be deleted."),
                         MB_OK | MB_ICONEXCLAMATION);
        const QString reason = builder.lastError();
        builder.removeFiles();
        throw RuntimeError(GenericErrorNumber, reason);
    }
    if (!builder.openNewSystem()) {
        throw RuntimeError(GenericErrorNumber, builder.lastError());
    }
    return true;
}

}  // namespace vel
