#include "maintenance/StandardValue.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

namespace vel {

namespace {

// A value exactly halfway between two seven-digit decimals (eight significant digits, the last a
// 5): those eight digits and the power of ten of the last. The standard library rounds such a
// value to even; standards have always been rounded away from zero.
std::optional<std::pair<quint64, int>> halfwayAtSevenDigits(float value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    int exponent = 0;
    const float fraction = std::frexp(std::fabs(value), &exponent);
    quint64 mantissa = quint64(std::ldexp(fraction, 24));  // value = mantissa * 2^power
    int power = exponent - 24;
    if (mantissa == 0) {
        return std::nullopt;
    }
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++power;
    }
    constexpr quint64 eightDigits = 100000000;
    unsigned __int128 digits = mantissa;
    int tenths = 0;
    if (power >= 0) {  // a whole number: drop its trailing zeros
        digits <<= power;
        while (digits % 10 == 0) {
            digits /= 10;
            ++tenths;
        }
    } else {  // mantissa / 2^n is mantissa * 5^n / 10^n
        for (int factor = 0; factor < -power && digits < eightDigits; ++factor) {
            digits *= 5;
        }
        tenths = power;
    }
    if (digits < eightDigits / 10 || digits >= eightDigits || digits % 10 != 5) {
        return std::nullopt;
    }
    return std::pair{quint64(digits), tenths};
}

}  // namespace

double standardValue(float value) {
    // Formatted and read back with the standard library's exact conversions, which cost a
    // fraction of a general number formatting.
    char digits[48];
    char* const end = digits + sizeof digits;
    std::to_chars_result written{};
    if (const auto halfway = halfwayAtSevenDigits(value)) {
        // Seven digits, an "e" and a small exponent always fit.
        char* at = digits;
        if (value < 0) {
            *at++ = '-';
        }
        written = std::to_chars(at, end - 8, (halfway->first + 5) / 10);
        *written.ptr = 'e';
        written = std::to_chars(written.ptr + 1, end, halfway->second + 1);
    } else {
        written = std::to_chars(digits, end, double(value), std::chars_format::general, 7);
    }
    double result = 0;
    std::from_chars(digits, written.ptr, result);
    return result;
}

}  // namespace vel
