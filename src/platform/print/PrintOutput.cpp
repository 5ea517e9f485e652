#include "platform/print/PrintOutput.h"

namespace vel {

namespace {
PrintOutput* installed = nullptr;
}

PrintOutput* installedPrintOutput() {
    return installed;
}

void installPrintOutput(PrintOutput* output) {
    installed = output;
}

ScopedPrintOutput::ScopedPrintOutput(PrintOutput& output) : previous_(installed) {
    installed = &output;
}

ScopedPrintOutput::~ScopedPrintOutput() {
    installed = previous_;
}

}  // namespace vel
