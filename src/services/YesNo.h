#pragma once
// "Yes" or "No", as lists, print-outs and exported tables show a flag.
#include <QString>

namespace vel {

inline QString yesNo(bool flag) {
    return flag ? QStringLiteral("Yes") : QStringLiteral("No");
}

}  // namespace vel
