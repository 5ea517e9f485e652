#pragma once
// Exact conversions between doubles and the plain decimal texts of numeric fields ("-123.4500")
// without strings or the locale. With at most 15 digits, the digits as a whole number and the
// power of ten are both exact doubles, so one correctly rounded division gives the value a full
// conversion gives, and a value that such a division gives has exactly those digits. Anything
// else answers nothing, and the caller takes the general conversion.
#include <QtGlobal>

#include <array>
#include <cmath>
#include <optional>

namespace vel::xbase::decimalText {

inline constexpr int maximumDigits = 15;
inline constexpr std::array<double, maximumDigits + 1> powersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// [-]digits[.digits], the whole text: no blanks, no leading zero but a lone one, a digit on each
// side of a point, at most 15 places and 15 digits after the leading zeros.
inline std::optional<double> parse(const char* begin, const char* end) {
    const char* at = begin;
    const bool negative = at < end && *at == '-';
    at += negative ? 1 : 0;
    if (at == end || *at < '0' || *at > '9' || (*at == '0' && at + 1 < end && at[1] != '.')) {
        return std::nullopt;
    }
    qint64 digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    for (; at < end; ++at) {
        if (*at >= '0' && *at <= '9') {
            digits = digits * 10 + (*at - '0');
            ++count;
            decimals += point ? 1 : 0;
        } else if (*at == '.' && !point && at + 1 < end) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    // The digits as a number below 10^15 (leading zeros do not count), at most 15 places.
    if (count > 18 || decimals > maximumDigits || double(digits) >= powersOfTen[maximumDigits]) {
        return std::nullopt;
    }
    const double value = double(digits) / powersOfTen[size_t(decimals)];
    return negative ? -value : value;
}

// The whole number k when value is the double nearest to k / 10^decimals and k has at most 15
// digits: the text with `decimals` places is then k's digits with a point set in.
inline std::optional<qint64> scaledDigits(double value, int decimals) {
    if (decimals < 0 || decimals > maximumDigits || !std::isfinite(value)) {
        return std::nullopt;
    }
    const double power = powersOfTen[size_t(decimals)];
    const double scaled = std::nearbyint(value * power);
    if (std::fabs(scaled) >= powersOfTen[maximumDigits] || scaled / power != value) {
        return std::nullopt;
    }
    return qint64(scaled);
}

// Writes the text of scaledDigits' k with `decimals` places ("-0.05", "12", "0.000") to out
// (room for 18 characters) and answers its length. Zero has no sign.
inline int format(qint64 scaled, int decimals, char* out) {
    char reversed[20];
    int length = 0;
    quint64 rest = quint64(scaled < 0 ? -scaled : scaled);
    for (int place = 0;; ++place) {
        if (place == decimals && decimals > 0) {
            reversed[length++] = '.';
        }
        reversed[length++] = char('0' + rest % 10);
        rest /= 10;
        if (place >= decimals && rest == 0) {
            break;
        }
    }
    int written = 0;
    if (scaled < 0) {
        out[written++] = '-';
    }
    while (length > 0) {
        out[written++] = reversed[--length];
    }
    return written;
}

}  // namespace vel::xbase::decimalText
