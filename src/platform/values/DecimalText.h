#pragma once
// Internal to the values layer: a number read from text as its exact decimal digits, so that
// money and whole-number conversions can round it without passing through double.
#include "Currency.h"
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace DecimalText {

struct Digits {
    bool negative = false;
    std::string whole;     // ASCII digits before the separator, grouping removed
    std::string fraction;  // ASCII digits after it
};

// The strict grammar Currency::parse documents; nullopt when the text is not such a number.
std::optional<Digits> read(const QString &text, const NumberFormat &format);

enum class Rounded { Ok, Overflow };
// The value times 10^decimals, rounded half to even to a whole number, into *out.
Rounded roundHalfEven(const Digits &digits, int decimals, int64_t *out);

}
