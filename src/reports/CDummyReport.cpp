#include "reports/CDummyReport.h"

#include "data/Masterfile.h"

namespace vel {

int CDummyReport::LineStyle() const {
    return owner_ ? owner_->lineStyle() : 0;
}

}  // namespace vel
