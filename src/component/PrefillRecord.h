#pragma once
// The quick report's prefill, stored by SetPrefillData and read by PrintQuickReport. The two
// sequence arrays are indexed from 1 to NumSequences (index 0 is unused), as the host passes them.
#include <QDate>
#include <vector>

namespace vel {

struct PrefillRecord {
    short DateRangeType = 0;  // 0: no prefill stored
    short DataLevel = 0;
    QDate StartDate;
    QDate LastDate;
    short NumSequences = 0;
    std::vector<short> SeqType;  // size NumSequences + 1 when NumSequences > 0, else empty
    std::vector<short> SeqNum;

    bool isSet() const { return DateRangeType != 0; }
};

}  // namespace vel
