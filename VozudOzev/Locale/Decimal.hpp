#pragma once

#include <compare>
#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace VozudOzev {

// An exact base-10 number of up to 38 significant digits: mantissa × 10^exponent.
// Results that need more digits are rounded half to even; nothing here reads the
// process locale.
class Decimal {
public:
    static constexpr int maxDigits = 38;

    Decimal() = default;
    Decimal(long long value);  // NOLINT: whole numbers convert implicitly

    // Reads "-12", "1234.50", ".5", "5." (ASCII digits, one optional "." and a leading "-"
    // or "+"); anything else gives nothing.
    static std::optional<Decimal> parse(std::string_view text);
    static Decimal pow10(int exponent);

    // Plain rendering: no exponent, no trailing fraction zeros ("1500000", "-2000", "0.5").
    std::string toString() const;
    double toDouble() const;

    bool isZero() const { return magnitude_ == 0; }
    bool isNegative() const { return negative_ && magnitude_ != 0; }

    Decimal operator-() const;
    Decimal abs() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    Decimal& operator+=(const Decimal& b) { return *this = *this + b; }

    // Numeric comparison: 1.50 equals 1.5.
    friend bool operator==(const Decimal& a, const Decimal& b) { return compare(a, b) == 0; }
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) { return compare(a, b) <=> 0; }

private:
    using U128 = unsigned __int128;
    // Rounds the magnitude to maxDigits when it holds more; zero is never negative.
    static Decimal make(bool negative, U128 magnitude, long long exponent);
    static int compare(const Decimal& a, const Decimal& b);

    bool negative_ = false;
    U128 magnitude_ = 0;
    int exponent_ = 0;
};

// Written as a JSON number (the nearest double); read from a number or a decimal text.
void to_json(nlohmann::json& j, const Decimal& d);
void from_json(const nlohmann::json& j, Decimal& d);

}  // namespace VozudOzev
