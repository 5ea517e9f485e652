#pragma once
// Standards are stored in single precision; files and windows show them as the decimal they were
// entered as (12.3, not 12.30000019).
#include <QtGlobal>

namespace vel {

// The value rounded to seven significant digits, as a general number formatting rounds it
// (a value exactly halfway between two seven-digit decimals away from zero).
double standardValue(float value);

}  // namespace vel
