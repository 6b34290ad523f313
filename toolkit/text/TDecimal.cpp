// The nearest double to a decimal number. An approximation in extended precision, with
// a bound on its error, decides almost every case: the number then lies clearly on one
// side of the midpoint between the two doubles around it. Only a number too close to
// that midpoint is compared with it exactly, in big integers (the comparison method of
// correctly rounding decimal readers).
#include "toolkit/text/TDecimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace toolkit {

namespace {

constexpr double largest = std::numeric_limits<double>::max();

// 10^k for k = 0..27: exact in extended precision (5^27 still fits 64 bits).
constexpr std::array<long double, 28> exactPowersOfTen = [] {
    std::array<long double, 28> powers{};
    long double power = 1.0L;
    for (long double& p : powers) {
        p = power;
        power *= 10.0L;
    }
    return powers;
}();

// 10^k for k = 0..22: exact as doubles.
constexpr std::array<double, 23> exactDoublePowersOfTen = [] {
    std::array<double, 23> powers{};
    double power = 1.0;
    for (double& p : powers) {
        p = power;
        power *= 10.0;
    }
    return powers;
}();

// 10^k in extended precision: exact up to 27, beyond by squaring 10^27; counts the
// roundings, each of which may be off by half a unit in the last place.
long double powerOfTen(std::uint64_t k, int& roundings) {
    if (k < exactPowersOfTen.size()) return exactPowersOfTen[k];
    long double result = exactPowersOfTen[k % 27];
    long double base = exactPowersOfTen[27];
    for (std::uint64_t q = k / 27;;) {
        if (q & 1) {
            result *= base;
            ++roundings;
        }
        q >>= 1;
        if (q == 0) return result;
        base *= base;
        ++roundings;
    }
}

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }
// The neighbours of a double that is not negative (the next one of the largest is
// infinity, the one below zero stays zero).
double nextUp(double x) { return std::bit_cast<double>(bitsOf(x) + 1); }
double nextDown(double x) { return x == 0.0 ? 0.0 : std::bit_cast<double>(bitsOf(x) - 1); }

// An unsigned integer of up to 4096 bits, enough for the largest comparison (about
// 2,700 bits: 800 digits, or a midpoint times 5^1123).
class BigInteger {
public:
    explicit BigInteger(std::uint64_t value) {
        while (value != 0) {
            limbs_[size_++] = static_cast<std::uint32_t>(value);
            value >>= 32;
        }
    }
    BigInteger(const std::uint8_t* digits, int count) {
        for (int i = 0; i < count; i += 9) {
            const int chunk = std::min(9, count - i);
            std::uint32_t value = 0, factor = 1;
            for (int j = 0; j < chunk; ++j) {
                value = value * 10 + digits[i + j];
                factor *= 10;
            }
            multiplyAdd(factor, value);
        }
    }

    void multiplyByPowerOfFive(std::int64_t power) {
        for (; power >= 13; power -= 13) multiplyAdd(1220703125u, 0);  // 5^13
        std::uint32_t rest = 1;
        for (; power > 0; --power) rest *= 5;
        multiplyAdd(rest, 0);
    }

    void shiftLeft(std::int64_t bits) {
        if (size_ == 0 || bits == 0) return;
        const int limbShift = static_cast<int>(bits / 32);
        const int bitShift = static_cast<int>(bits % 32);
        if (size_ + limbShift + 1 > capacity) return;  // never reached: see the bound above
        if (bitShift != 0) {
            std::uint32_t carry = 0;
            for (int i = 0; i < size_; ++i) {
                const std::uint32_t limb = limbs_[i];
                limbs_[i] = (limb << bitShift) | carry;
                carry = limb >> (32 - bitShift);
            }
            if (carry != 0) limbs_[size_++] = carry;
        }
        std::copy_backward(limbs_, limbs_ + size_, limbs_ + size_ + limbShift);
        std::fill(limbs_, limbs_ + limbShift, 0u);
        size_ += limbShift;
    }

    int compare(const BigInteger& other) const {
        if (size_ != other.size_) return size_ < other.size_ ? -1 : 1;
        for (int i = size_; i-- > 0;)
            if (limbs_[i] != other.limbs_[i]) return limbs_[i] < other.limbs_[i] ? -1 : 1;
        return 0;
    }

private:
    static constexpr int capacity = 128;

    void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (int i = 0; i < size_; ++i) {
            const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0 && size_ < capacity) limbs_[size_++] = static_cast<std::uint32_t>(carry);
    }

    std::uint32_t limbs_[capacity];
    int size_ = 0;
};

}  // namespace

// The number's first digits scaled by a power of ten in extended precision, and the
// largest relative error the value may have.
struct TDecimal::Approximation {
    long double value;
    long double error;
};

TDecimal::Approximation TDecimal::approximate(int kept, std::int64_t exponent) const {
    const int leading = std::min(kept, 19);  // 19 digits fit 64 bits, exactly
    std::uint64_t head = 0;
    for (int i = 0; i < leading; ++i) head = head * 10 + digits_[i];
    const std::int64_t power = exponent + (kept - leading);
    int roundings = 0;
    const long double ten = powerOfTen(static_cast<std::uint64_t>(power < 0 ? -power : power), roundings);
    const long double value = power < 0 ? head / ten : head * ten;
    if (power != 0) ++roundings;
    // Each rounding is off by at most 2^-64 of the value; the digits left out of the
    // head are less than 10^-18 of it.
    long double error = (roundings + 1) * 0x1p-63L;
    if (kept > leading || truncated_) error += 0x1p-59L;
    return {value, error};
}

// The common case in double arithmetic alone: digits that are an exact double times or
// over a power of ten that is one, so that the one rounding is the right one. 0 when
// the number is not such a case.
double TDecimal::exactCase(int kept, std::int64_t exponent) const {
    if (kept > 15 || exponent < -22 || exponent > 22) return 0.0;
    std::uint64_t digits = 0;  // below 10^15 < 2^53: exact as a double
    for (int i = 0; i < kept; ++i) digits = digits * 10 + digits_[i];
    const double power =
        exactDoublePowersOfTen[static_cast<std::size_t>(exponent < 0 ? -exponent : exponent)];
    return exponent < 0 ? static_cast<double>(digits) / power : static_cast<double>(digits) * power;
}

int TDecimal::compareWithMidpoint(double lower, std::int64_t exponent, int kept) const {
    // lower = m * 2^e, so the midpoint above it is (2m + 1) * 2^(e - 1).
    const std::uint64_t bits = bitsOf(lower);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    std::int64_t e = -1074;
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    // digits * 5^exponent * 2^exponent against (2m + 1) * 2^(e - 1), in integers.
    BigInteger number(digits_, kept);
    BigInteger midpoint(2 * m + 1);
    if (exponent >= 0)
        number.multiplyByPowerOfFive(exponent);
    else
        midpoint.multiplyByPowerOfFive(-exponent);
    const std::int64_t shift = exponent - (e - 1);
    if (shift >= 0)
        number.shiftLeft(shift);
    else
        midpoint.shiftLeft(-shift);
    const int order = number.compare(midpoint);
    return order == 0 && truncated_ ? 1 : order;  // dropped digits lie above
}

double TDecimal::nearestDouble(bool& beyondRange) const {
    beyondRange = false;
    int kept = count_;
    std::int64_t exponent = exponent_;
    if (!truncated_) {
        for (; kept > 0 && digits_[kept - 1] == 0; --kept) ++exponent;
    }
    if (kept == 0) return 0.0;
    // The number lies in [10^(magnitude - 1), 10^magnitude).
    const std::int64_t magnitude = kept + exponent;
    if (magnitude > 310) {
        beyondRange = true;
        return largest;
    }
    if (magnitude < -323) return 0.0;  // below 10^-324, half the smallest subnormal is 2.47e-324
    if (const double exact = exactCase(kept, exponent); exact != 0.0) return exact;

    const Approximation x = approximate(kept, exponent);
    // The two doubles around the midpoint nearest to the approximation; past the
    // largest double, infinity stands for the first value beyond the range.
    const double rounded = static_cast<double>(x.value);
    double lower = rounded, upper = rounded;
    if (rounded > largest) {
        lower = largest;
        upper = nextUp(largest);
    } else if (x.value >= rounded) {
        upper = nextUp(rounded);
    } else {
        lower = nextDown(rounded);
    }
    const long double upperValue = upper > largest ? 0x1p1024L : upper;
    const long double midpoint = (static_cast<long double>(lower) + upperValue) / 2;  // exact

    const long double distance = x.value - midpoint;
    const int side = std::fabs(distance) > x.error * x.value ? (distance > 0 ? 1 : -1)
                                                             : compareWithMidpoint(lower, exponent, kept);
    const bool up = side > 0 || (side == 0 && (bitsOf(lower) & 1) != 0);  // ties to even
    const double result = up ? upper : lower;
    if (result > largest) {
        beyondRange = true;
        return largest;
    }
    return result;
}

}  // namespace toolkit
