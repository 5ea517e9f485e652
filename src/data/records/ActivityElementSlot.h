#pragma once
// One of the 30 element slots of an activity: which element, its standard in units per hour
// (-1: not set), the limits of the units recorded, the slot's switches and the data field that
// posted units update.
#include "data/RecordFields.h"

namespace vel {

struct ActivityElementSlot {
    int Element = 0;  // element record number; 0: the slot is empty
    float Standard = -1.0F;
    float LowerLimit = 0.0F;
    float UpperLimit = 0.0F;
    bool UseUnits = false;       // units count in the activity's total units
    bool Override = false;       // units may be changed when a document is looked up
    bool Occurrence = false;     // the element tracks occurrences
    bool Historical = false;     // the element is the base of the historical standard
    bool Exceed = false;         // the units may exceed the limits
    bool UseStdElement = false;  // the standard is entered through the time-of-use element
    int UnitsField = 0;          // data field of the element's units; 0: none

    // The six switches as one text of "T"/"F", in the order above.
    QString switches() const {
        QString text;
        for (bool flag : {UseUnits, Override, Occurrence, Historical, Exceed, UseStdElement}) {
            text += flag ? u'T' : u'F';
        }
        return text;
    }
    void setSwitches(const QString& text) {
        bool* flags[] = {&UseUnits, &Override, &Occurrence, &Historical, &Exceed, &UseStdElement};
        for (int index = 0; index < 6; ++index) {
            *flags[index] = index < text.size() && text[index] == u'T';
        }
    }

    bool isEmpty() const { return Element == 0; }
    bool operator==(const ActivityElementSlot&) const = default;
};

}  // namespace vel
