#include "VozudOzev/Locale/Decimal.hpp"

#include <algorithm>
#include <charconv>
#include <climits>

namespace VozudOzev {

namespace {

using U128 = unsigned __int128;

constexpr U128 tenTo(int k)
{
    U128 p = 1;
    for (int i = 0; i < k; ++i)
        p *= 10;
    return p;
}

constexpr U128 limit = tenTo(Decimal::maxDigits);  // magnitudes stay below this

int digitCount(U128 m)
{
    int n = 1;
    while (m >= 10) {
        m /= 10;
        ++n;
    }
    return n;
}

// m / 10^k rounded half to even.
U128 roundedShift(U128 m, int k)
{
    if (k <= 0)
        return m;
    if (k > Decimal::maxDigits + 1)
        return 0;
    const U128 p = tenTo(k);
    const U128 q = m / p;
    const U128 r = m % p;
    const U128 half = p / 2;
    if (r > half || (r == half && (q & 1)))
        return q + 1;
    return q;
}

}  // namespace

Decimal::Decimal(long long value)
{
    negative_ = value < 0;
    magnitude_ = negative_ ? U128(-(value + 1)) + 1 : U128(value);
}

Decimal Decimal::make(bool negative, U128 magnitude, long long exponent)
{
    while (magnitude >= limit) {
        const int drop = digitCount(magnitude) - maxDigits;
        magnitude = roundedShift(magnitude, drop);
        exponent += drop;
    }
    Decimal d;
    d.negative_ = negative && magnitude != 0;
    d.magnitude_ = magnitude;
    d.exponent_ = magnitude == 0 ? 0 : static_cast<int>(std::clamp<long long>(exponent, INT_MIN / 2, INT_MAX / 2));
    return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    U128 m = 0;
    int taken = 0;
    long long exponent = 0;
    int roundDigit = -1;  // first digit that did not fit
    bool sticky = false;  // a non-zero digit after it
    bool seenDigit = false;
    bool seenPoint = false;
    for (char c : text) {
        if (c == '.') {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        seenDigit = true;
        const int digit = c - '0';
        if (taken < maxDigits) {
            if (m != 0 || digit != 0) {
                m = m * 10 + U128(digit);
                ++taken;
            }
            if (seenPoint)
                --exponent;
        } else {
            if (roundDigit < 0)
                roundDigit = digit;
            else if (digit != 0)
                sticky = true;
            if (!seenPoint)
                ++exponent;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    if (roundDigit > 5 || (roundDigit == 5 && (sticky || (m & 1))))
        ++m;  // may reach 10^38; make() rounds once more
    return make(negative, m, exponent);
}

Decimal Decimal::pow10(int exponent)
{
    return make(false, 1, exponent);
}

Decimal Decimal::operator-() const
{
    return make(!negative_, magnitude_, exponent_);
}

Decimal Decimal::abs() const
{
    return make(false, magnitude_, exponent_);
}

Decimal operator+(const Decimal& a, const Decimal& b)
{
    using U128 = Decimal::U128;
    if (b.magnitude_ == 0)
        return a;
    if (a.magnitude_ == 0)
        return b;
    const Decimal& hi = a.exponent_ >= b.exponent_ ? a : b;  // the coarser exponent
    const Decimal& lo = a.exponent_ >= b.exponent_ ? b : a;
    const long long gap = static_cast<long long>(hi.exponent_) - lo.exponent_;
    // Scale the coarser operand down to the finer exponent as far as 38 digits allow;
    // what is left of the gap rounds the finer operand instead.
    const long long room = Decimal::maxDigits - digitCount(hi.magnitude_);
    const long long shift = std::min(gap, room);
    const U128 hm = hi.magnitude_ * tenTo(static_cast<int>(shift));
    const U128 lm = roundedShift(lo.magnitude_, static_cast<int>(std::min<long long>(gap - shift, Decimal::maxDigits + 2)));
    const long long exponent = hi.exponent_ - shift;
    if (hi.negative_ == lo.negative_)
        return Decimal::make(hi.negative_, hm + lm, exponent);
    if (hm >= lm)
        return Decimal::make(hi.negative_, hm - lm, exponent);
    return Decimal::make(lo.negative_, lm - hm, exponent);
}

Decimal operator-(const Decimal& a, const Decimal& b)
{
    return a + (-b);
}

Decimal operator*(const Decimal& a, const Decimal& b)
{
    using U128 = Decimal::U128;
    U128 am = a.magnitude_;
    U128 bm = b.magnitude_;
    long long exponent = static_cast<long long>(a.exponent_) + b.exponent_;
    if (am == 0 || bm == 0)
        return Decimal();
    for (; am % 10 == 0; am /= 10)
        ++exponent;
    for (; bm % 10 == 0; bm /= 10)
        ++exponent;
    U128 product = 0;
    // Past 38 digits in all, round the longer factor a digit at a time.
    while (__builtin_mul_overflow(am, bm, &product)) {
        if (am >= bm)
            am = roundedShift(am, 1);
        else
            bm = roundedShift(bm, 1);
        ++exponent;
    }
    return Decimal::make(a.negative_ != b.negative_, product, exponent);
}

int Decimal::compare(const Decimal& a, const Decimal& b)
{
    const bool an = a.isNegative();
    const bool bn = b.isNegative();
    if (a.magnitude_ == 0 && b.magnitude_ == 0)
        return 0;
    if (an != bn)
        return an ? -1 : 1;
    if (a.magnitude_ == 0)
        return bn ? 1 : -1;
    if (b.magnitude_ == 0)
        return an ? -1 : 1;
    // Same sign, both non-zero: compare magnitudes by their leading digit position first.
    const long long aTop = static_cast<long long>(digitCount(a.magnitude_)) + a.exponent_;
    const long long bTop = static_cast<long long>(digitCount(b.magnitude_)) + b.exponent_;
    int magnitudeOrder = 0;
    if (aTop != bTop) {
        magnitudeOrder = aTop < bTop ? -1 : 1;
    } else {
        // Equal leading positions: scaling the coarser one down cannot pass 38 digits.
        U128 am = a.magnitude_;
        U128 bm = b.magnitude_;
        if (a.exponent_ > b.exponent_)
            am *= tenTo(a.exponent_ - b.exponent_);
        else if (b.exponent_ > a.exponent_)
            bm *= tenTo(b.exponent_ - a.exponent_);
        magnitudeOrder = am == bm ? 0 : (am < bm ? -1 : 1);
    }
    return an ? -magnitudeOrder : magnitudeOrder;
}

std::string Decimal::toString() const
{
    std::string digits;
    for (U128 m = magnitude_; m != 0; m /= 10)
        digits += static_cast<char>('0' + static_cast<int>(m % 10));
    if (digits.empty())
        return "0";
    std::reverse(digits.begin(), digits.end());
    std::string out = negative_ ? "-" : "";
    if (exponent_ >= 0) {
        out += digits;
        out.append(static_cast<size_t>(exponent_), '0');
        return out;
    }
    const size_t fraction = static_cast<size_t>(-static_cast<long long>(exponent_));
    std::string integer;
    std::string frac;
    if (digits.size() > fraction) {
        integer = digits.substr(0, digits.size() - fraction);
        frac = digits.substr(digits.size() - fraction);
    } else {
        integer = "0";
        frac = std::string(fraction - digits.size(), '0') + digits;
    }
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    out += integer;
    if (!frac.empty())
        out += "." + frac;
    return out;
}

double Decimal::toDouble() const
{
    const std::string text = toString();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace VozudOzev
