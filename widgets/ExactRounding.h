#pragma once

// numerator / denominator rounded to the nearest integer, a tie going to the even one, without
// going through floating point (so 1750 / 100 is exactly 17.5 and gives 18). denominator > 0.
constexpr long DivideRoundHalfEven(long numerator, long denominator) {
    long quotient = numerator / denominator, remainder = numerator % denominator;
    if (remainder < 0) {
        quotient -= 1;
        remainder += denominator;
    }
    const long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) quotient += 1;
    return quotient;
}
