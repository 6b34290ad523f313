#include "toolkit/text/NumberFit.h"
#include "toolkit/text/NumberFormat.h"
#include "toolkit/text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

using namespace toolkit;

namespace {

std::string bytesOf(const std::string& s) {
    std::string out;
    char buf[4];
    for (unsigned char c : s) {
        std::snprintf(buf, sizeof buf, "%02X", c);
        out += buf;
    }
    return out;
}

}  // namespace

TEST(SourceCharset, CyrillicLiteralsAreWindows1251Bytes) {
    EXPECT_EQ(bytesOf("перевод дБ"), "EFE5F0E5E2EEE420E4C1");
    EXPECT_EQ(bytesOf("Ёё№"), "A8B8B9");
}

TEST(ExtendedPrecision, ArithmeticRunsWithSixtyFourMantissaBits) {
    // Not only the type: the FPU must really compute in extended precision at run time.
    volatile long double one = 1.0L;
    volatile long double epsilon = LDBL_EPSILON;
    EXPECT_NE(one + epsilon, one);
    EXPECT_EQ(std::numeric_limits<long double>::digits, 64);
}

TEST(IntToText, LimitsAndSigns) {
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(-1), "-1");
    EXPECT_EQ(intToText(7), "7");
    EXPECT_EQ(intToText(2147483647), "2147483647");
    EXPECT_EQ(intToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(TextToInt, SignsDigitsAndStops) {
    EXPECT_EQ(textToIntZ(""), 0);
    EXPECT_EQ(textToIntZ(nullptr), 0);
    EXPECT_EQ(textToIntZ("-"), 0);
    EXPECT_EQ(textToIntZ("+7"), 7);
    EXPECT_EQ(textToIntZ("-12abc"), -12);
    EXPECT_EQ(textToIntZ(" 5"), 0);  // leading blanks are not skipped
    EXPECT_EQ(textToIntZ("+-3"), 0);
    EXPECT_EQ(textToInt("007"), 7);
    EXPECT_EQ(textToInt(std::string("12\0"
                                    "34",
                                    5)),
              12);
}

TEST(TextToInt, OverflowWrapsInThirtyTwoBits) {
    EXPECT_EQ(textToInt("4294967297"), 1);  // 2^32 + 1
    EXPECT_EQ(textToInt("2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(textToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(textToInt("99999999999999999999"), static_cast<std::int32_t>(1661992959u));
}

TEST(HexToInt, PrefixDigitsAndOverflow) {
    EXPECT_EQ(hexToInt("$ff"), 255);
    EXPECT_EQ(hexToInt("FF"), 255);
    EXPECT_EQ(hexToInt("1g2"), 1);
    EXPECT_EQ(hexToInt(""), 0);
    EXPECT_EQ(hexToInt("$"), 0);
    EXPECT_EQ(hexToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(hexToInt("123456789"), 0x23456789);  // high digits fall off
    EXPECT_EQ(hexToInt("aBcD"), 0xABCD);
    EXPECT_EQ(hexToInt("10"), 16);  // the digit 0
    EXPECT_EQ(hexToInt("$A0"), 160);
    EXPECT_EQ(hexToInt("$$1"), 0);  // one "$" only
}

TEST(IntegerPower, ExponentsAndEndlessLoopsAvoided) {
    EXPECT_EQ(integerPower(2.0L, 0), 1.0L);
    EXPECT_EQ(integerPower(0.0L, 0), 1.0L);
    EXPECT_EQ(integerPower(2.0L, 10), 1024.0L);
    EXPECT_EQ(integerPower(2.0L, -2), 0.25L);
    EXPECT_EQ(integerPower(-2.0L, 3), -8.0L);
    EXPECT_EQ(integerPower(10.0L, -1), 0.1L);
    // Huge exponents end as soon as the product can no longer change but in sign.
    EXPECT_TRUE(std::isinf(integerPower(10.0L, std::numeric_limits<std::int32_t>::max())));
    EXPECT_EQ(integerPower(10.0L, std::numeric_limits<std::int32_t>::min()), 0.0L);
    EXPECT_EQ(integerPower(-1.0L, 2000000001), -1.0L);
    EXPECT_EQ(integerPower(-1.0L, 2000000000), 1.0L);
    EXPECT_LT(integerPower(-10.0L, 100001), 0.0L);
    EXPECT_GT(integerPower(-10.0L, 100000), 0.0L);
    EXPECT_TRUE(std::signbit(integerPower(-0.1L, 100001)));
}

TEST(TextToReal, LenientReading) {
    EXPECT_EQ(textToReal("1,5"), 15.0);
    EXPECT_EQ(textToReal("1.2.3"), 1.2);
    EXPECT_EQ(textToReal("- 3"), -3.0);
    EXPECT_EQ(textToReal("+3"), 3.0);
    EXPECT_EQ(textToReal("1-2"), 12.0);
    EXPECT_EQ(textToReal("2e3"), 2000.0);
    EXPECT_EQ(textToReal("2E-1"), 0.2);
    EXPECT_EQ(textToReal("abc"), 0.0);
    EXPECT_EQ(textToReal(""), 0.0);
    EXPECT_EQ(textToReal(".5"), 0.5);
    EXPECT_EQ(textToReal("12 34"), 1234.0);
    EXPECT_EQ(textToReal("1e 3"), 1.0);  // the exponent text must start with its digits
    EXPECT_EQ(textToReal("1.5e+2x"), 150.0);
    EXPECT_TRUE(std::signbit(textToReal("-0")));
}

TEST(TextToReal, ConstantsReadAsTheirNearestDoubles) {
    EXPECT_EQ(textToReal("0.000001"), 0.000001);
    EXPECT_EQ(textToReal("0.1151292546"), 0.1151292546);
    EXPECT_EQ(textToReal("0.0000001"), 1e-7);
    EXPECT_EQ(textToReal("120"), 120.0);
    EXPECT_EQ(textToReal("0.1"), 0.1);
    EXPECT_EQ(textToReal("3.141592653589793"), 3.141592653589793);
    EXPECT_EQ(textToReal("123456.789"), 123456.789);
}

TEST(TextToReal, BeyondTheDoubleRangeStaysFinite) {
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(textToReal("1e400"), largest);
    EXPECT_EQ(textToReal("-1e400"), -largest);
    EXPECT_EQ(textToReal("1e2147483647"), largest);
    EXPECT_EQ(textToReal("1e-400"), 0.0);
    EXPECT_EQ(textToReal(std::string(6000, '9') + "e-9999"), 0.0);  // inf * 0 is no NaN
    EXPECT_EQ(textToReal(std::string(6000, '9')), largest);
    // Exponents beyond 32 bits saturate too, as the mantissa and sign say.
    EXPECT_EQ(textToReal("1e-999999999999"), 0.0);
    EXPECT_EQ(textToReal("1e999999999999"), largest);
    EXPECT_EQ(textToReal("-1e999999999999"), -largest);
    EXPECT_EQ(textToReal("1e-21474836311"), 0.0);
    EXPECT_EQ(textToReal("0e999999999999"), 0.0);
}

// The C library's reading, correctly rounded, with its infinities saturated as ours are.
double libraryReading(const std::string& text) {
    const double value = std::strtod(text.c_str(), nullptr);
    return std::isinf(value) ? std::copysign(std::numeric_limits<double>::max(), value) : value;
}

TEST(TextToReal, ReadsTheNearestDoubleOfWhatRealToTextWrites) {
    // Values spread evenly over the magnitudes 1e-308 to 1e308, in a seeded loop.
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> magnitude(-308.0, 308.0), mantissa(1.0, 10.0);
    int checked = 0;
    for (int i = 0; i < 4000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, std::floor(magnitude(random)));
        if (!std::isfinite(value) || value == 0.0) continue;
        const std::string text = realToText(value);
        ASSERT_EQ(textToReal(text), libraryReading(text)) << text;
        ++checked;
    }
    EXPECT_GT(checked, 3900);
}

TEST(TextToReal, ReadsTheNearestDoubleOfAnyDecimalText) {
    // Up to 40 random digits with a point somewhere and exponents across and beyond
    // the range, subnormals and overflow included.
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> digitCount(1, 40), digit(0, 9), exponent(-360, 330);
    for (int i = 0; i < 4000; ++i) {
        const int count = digitCount(random);
        std::string text = (i % 3 == 0) ? "-" : "";
        const int point = std::uniform_int_distribution<int>(0, count)(random);
        for (int d = 0; d < count; ++d) {
            if (d == point && d > 0) text += '.';
            text += static_cast<char>('0' + digit(random));
        }
        text += "e" + std::to_string(exponent(random));
        ASSERT_EQ(textToReal(text), libraryReading(text)) << text;
    }
}

TEST(TextToReal, HardCasesRoundCorrectly) {
    for (const char* text : {
             "9007199254740993",                      // 2^53 + 1: a tie, to even
             "9007199254740993.0000000000000000001",  // just above the tie
             "2.2250738585072011e-308",               // at the edge of the subnormals
             "2.4703282292062327e-324",               // just below half the smallest subnormal
             "2.4703282292062328e-324",               // just above it
             "4.9406564584124654e-324",               // the smallest subnormal
             "1.7976931348623157e308",                // the largest double
             "1.7976931348623158e308",                // still rounds to it
             "0.1000000000000000055511151231257827021181583404541015625",  // 0.1 exactly
             "0.1000000000000000055511151231257827021181583404541015624",
             "0.1000000000000000055511151231257827021181583404541015626",
             "1.00000000000000011102230246251565404236316680908203125",  // 1 + half an ulp
             "1.00000000000000011102230246251565404236316680908203125000000000000000000001",
             "18446744073709546496.5",  // more than 19 digits, just above 2^64 - 5120, a midpoint
         })
        EXPECT_EQ(textToReal(text), libraryReading(text)) << text;
    // Beyond the kept digits only their being nonzero matters.
    const std::string tie = "1.00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(textToReal(tie + std::string(2000, '0')), 1.0);
    EXPECT_EQ(textToReal(tie + std::string(2000, '0') + "1"), std::nextafter(1.0, 2.0));
    bool beyond = false;
    EXPECT_EQ(textToReal("1.7976931348623158e308", beyond), std::numeric_limits<double>::max());
    EXPECT_FALSE(beyond);
    EXPECT_EQ(textToReal("1.7976931348623159e308", beyond), std::numeric_limits<double>::max());
    EXPECT_TRUE(beyond);
}

TEST(ExtendedToText, WorkedResults) {
    EXPECT_EQ(extendedToText(1.0L), "1");
    EXPECT_EQ(extendedToText(0.1L), "0.1");
    EXPECT_EQ(extendedToText(1.5L), "1.5");
    EXPECT_EQ(extendedToText(100.0L), "100");
    EXPECT_EQ(extendedToText(0.00123L), "0.00123");
    EXPECT_EQ(extendedToText(-0.5L), "-0.5");
    EXPECT_EQ(extendedToText(1.0L / 3.0L), "0.333333333333333");
    EXPECT_EQ(extendedToText(2.0L / 3.0L), "0.666666666666667");
    EXPECT_EQ(extendedToText(1.23456789012345678e17L), "123456789012346000");
    EXPECT_EQ(extendedToText(1e20L), "1" + std::string(20, '0'));
    EXPECT_EQ(extendedToText(1e-10L), "0." + std::string(9, '0') + "1");
}

TEST(ExtendedToText, NoExponentTrailingZerosOrPoint) {
    EXPECT_EQ(extendedToText(0.0L), "0");
    EXPECT_EQ(extendedToText(-0.0L), "0");
    EXPECT_EQ(extendedToText(10.0L), "10");
    EXPECT_EQ(extendedToText(-1234.5L), "-1234.5");
    EXPECT_EQ(extendedToText(123456789012345.0L), "123456789012345");
    EXPECT_EQ(extendedToText(999999999999999.5L), "1000000000000000");
    EXPECT_EQ(extendedToText(0.9999999999999999L), "1");
    EXPECT_EQ(extendedToText(5e12L), "5000000000000");
    // A value whose rounding at fourteen digits would carry keeps its fifteen.
    EXPECT_EQ(extendedToText(9.99999999999999e12L), "9999999999999.99");
    EXPECT_EQ(extendedToText(99999.9999999999L), "99999.9999999999");
    EXPECT_EQ(extendedToText(9.99999999999994e12L), "9999999999999.94");
    const std::string big = realToText(1e308);
    EXPECT_EQ(big.size(), 309u);
    EXPECT_EQ(big.substr(0, 15), "100000000000000");
    EXPECT_EQ(big.find_first_not_of('0', 1), std::string::npos);
}

TEST(RealToText, ConverterResults) {
    EXPECT_EQ(realToText(1e-6), "0.000001");
    EXPECT_EQ(realToText(-0.0), "0");
    EXPECT_EQ(realToText(0.5), "0.5");
    EXPECT_EQ(realToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(realToText(33.4965436652221), "33.4965436652221");
    EXPECT_EQ(realToText(9999.99990059543), "9999.99990059543");
    EXPECT_EQ(realToText(std::numeric_limits<double>::denorm_min()).substr(0, 8), "0.000000");
    // A rounding that carries at the fourteenth digit keeps the fifteenth.
    EXPECT_EQ(realToText(999999999999999.0), "999999999999999");
    EXPECT_EQ(realToText(0.999999999999999), "0.999999999999999");
    EXPECT_EQ(realToText(99999999999999.99), "100000000000000");
    EXPECT_EQ(realToText(9999999999999999.0), "10000000000000000");
}

TEST(RealToText, ConverterFormulaFor120dB) {
    // What the converter computes for 120 dB: every step rounded to a 64-bit real.
    const double coefficient = textToReal("0.1151292546");
    const double product = 120.0 * coefficient;
    const double power = static_cast<double>(std::exp(static_cast<long double>(product)));
    EXPECT_EQ(realToText(textToReal("0.000001") * power), "0.999999994035725");
}

TEST(ExtendedToText, NonFiniteValuesHaveDefinedTexts) {
    EXPECT_EQ(extendedToText(std::numeric_limits<long double>::infinity()), "INF");
    EXPECT_EQ(extendedToText(-std::numeric_limits<long double>::infinity()), "-INF");
    EXPECT_EQ(extendedToText(std::numeric_limits<long double>::quiet_NaN()), "NAN");
    EXPECT_EQ(realToText(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(ExtendedToText, RoundTripsFifteenDigits) {
    for (const char* text : {"0.123456789012345", "98765.4321", "1.5", "0.000001", "42"})
        EXPECT_EQ(realToText(textToReal(text)), text);
}

TEST(LowerCase, OnlyLatinCapitalsFold) {
    EXPECT_EQ(lowerCase("ABC xyz [@Z]"), "abc xyz [@z]");
    EXPECT_EQ(lowerCase("ПИ Sin"), "ПИ sin");
    EXPECT_EQ(lowerCase(""), "");
}

TEST(Rounding, TiesToEvenAndTheIndefiniteValue) {
    EXPECT_EQ(roundToInt64(2.5L), 2);
    EXPECT_EQ(roundToInt64(3.5L), 4);
    EXPECT_EQ(roundToInt64(-0.5L), 0);
    EXPECT_EQ(roundToInt64(-2.5L), -2);
    EXPECT_EQ(roundToInt64(0x1p63L), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(roundToInt64(0x1p63L - 0.5L), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(roundToInt64(-0x1p63L), std::numeric_limits<std::int64_t>::min());
    EXPECT_TRUE(fitsInt64(-0x1p63L));  // the lowest 64-bit integer is one
    EXPECT_FALSE(fitsInt64(-0x1p63L - 2.0L));
    EXPECT_EQ(roundToInt64(std::numeric_limits<long double>::quiet_NaN()),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(roundToInt32(4294967296.0L + 5.0L), 5);  // low 32 bits
    EXPECT_EQ(roundToInt32(1e30L), 0);
}

TEST(FitNumberText, RoundsToTheRoomOrGivesHyphens) {
    const struct {
        const char* text;
        std::size_t width;
        const char* fitted;
    } rows[] = {
        {"0.0000011220184542462", 19, "0.00000112201845425"},  // the converter at 1 dB
        {"99999995029771300000000000000000000000000000", 19, "-------------------"},
        {"0.999999994035725", 19, "0.999999994035725"},  // fits: unchanged
        {"0.125", 4, "0.12"},                            // a tie goes to the even digit
        {"0.135", 4, "0.14"},
        {"0.12501", 4, "0.13"},
        {"1.99999", 4, "2"},  // carried, the zeros behind the point dropped
        {"99.96", 4, "100"},
        {"999.96", 4, "1000"},  // no room for the point: the integer rounded
        {"9999.6", 4, "----"},  // the carry needs a fifth digit
        {"-1.25", 4, "-1.2"},
        {"-0.0004", 4, "0"},  // no negative zero
        {"-12345", 5, "-----"},
        {"12:30", 3, "12:30"},  // not a number: unchanged
        {"1e5", 2, "1e5"},
        {"1.", 1, "1"},
    };
    for (const auto& row : rows) EXPECT_EQ(fitNumberText(row.text, row.width), row.fitted) << row.text;
}

TEST(FormatSignificant, FourDigitsPlainOrWithAnExponent) {
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {1.0, "1,000"},
        {0.06266, "0,06266"},
        {2533.0, "2533"},
        {1.592e-5, "1,592E-05"},
        {25330.0, "2,533E+04"},
        {9999.6, "1,000E+04"},
        {0.0009996, "9,996E-04"},
        {0.00099996, "0,001000"},  // carried
        {0.00099949, "9,995E-04"},
        {9.9995, "9,999"},  // 9.9995 is a little below as a double
        {1234.5, "1234"},
        {1235.5, "1236"},  // ties go to the even digit
        {-2.5e-7, "-2,500E-07"},
        {0.0, "0,000E+00"},
        {1e100, "1,000E+100"},
        {1.4142135623730951, "1,414"},
        {999.95, "1000"},
        {-0.001, "-0,001000"},
    };
    for (const auto& row : rows) EXPECT_EQ(formatSignificant(row.value, 4, ','), row.text) << row.value;
    EXPECT_EQ(formatSignificant(1.592, 4, '.'), "1.592");
}

TEST(FormatFixed, OneDecimal) {
    const struct {
        double value;
        const char* text;
    } rows[] = {{124.0, "124,0"}, {-6.0, "-6,0"},   {-0.04, "0,0"},
                {0.25, "0,2"},    {99.96, "100,0"}, {128.06, "128,1"}};
    for (const auto& row : rows) EXPECT_EQ(formatFixed(row.value, 1, ','), row.text) << row.value;
}
