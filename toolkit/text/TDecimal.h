// A decimal number as text reads it (significant digits and a power of ten), and the
// double nearest to it, correctly rounded with ties to the even neighbour whatever the
// number of digits and the exponent.
#pragma once

#include <cstdint>

namespace toolkit {

class TDecimal {
public:
    // Enough digits to decide the rounding of any double: a midpoint between two
    // doubles has at most 767 significant digits, so digits beyond these only tell
    // whether the number lies above the kept ones.
    static constexpr int maxDigits = 800;

    // Appends the next digit of the text, before or after the point. Leading zeros are
    // not significant; a digit beyond the kept ones only raises the exponent (before
    // the point) and marks the number as lying above the kept digits (when not 0).
    void addDigit(unsigned digit, bool afterPoint) {
        if (count_ == 0 && digit == 0) {
            exponent_ -= afterPoint;
        } else if (count_ < maxDigits) {
            digits_[count_++] = static_cast<std::uint8_t>(digit);
            exponent_ -= afterPoint;
        } else {
            truncated_ |= digit != 0;
            exponent_ += !afterPoint;
        }
    }
    // Multiplies the number by 10^power.
    void scale(std::int64_t power) { exponent_ += power; }

    // The nearest double, ties to even; a value beyond the double range gives the
    // largest double and sets beyondRange, one below half the smallest subnormal gives 0.
    double nearestDouble(bool& beyondRange) const;

private:
    struct Approximation;
    double exactCase(int kept, std::int64_t exponent) const;
    Approximation approximate(int kept, std::int64_t exponent) const;
    int compareWithMidpoint(double lower, std::int64_t exponent, int kept) const;

    std::uint8_t digits_[maxDigits];
    int count_ = 0;
    std::int64_t exponent_ = 0;  // of the last kept digit
    bool truncated_ = false;     // nonzero digits beyond the kept ones
};

}  // namespace toolkit
