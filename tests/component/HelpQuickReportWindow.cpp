// The quick report's window for the help test, built apart from the report wizard's headers.
#include "reports/frmQuickReport.h"

#include <memory>

namespace vel::testing {

std::unique_ptr<Form> makeQuickReportWindow() {
    return std::make_unique<frmQuickReport>();
}

}  // namespace vel::testing
