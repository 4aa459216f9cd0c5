#pragma once

#include <clocale>
#include <locale>
#include <string>

namespace VozudOzev::Testing {

// Puts the process under a comma-decimal locale for one scope: the C++ global locale
// gets a numeric facet writing ',' for decimals (no generated locale needed), and the C
// locale is switched too when one of the usual comma locales is installed.
class CommaLocale {
public:
    CommaLocale()
        : previous_(std::locale())
    {
        const char* current = std::setlocale(LC_ALL, nullptr);
        previousC_ = current ? current : "C";
        for (const char* name : {"de_DE.UTF-8", "vi_VN.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "vi_VN.utf8"})
            if (std::setlocale(LC_ALL, name)) {
                cSwitched_ = true;
                break;
            }
        std::locale::global(std::locale(std::locale::classic(), new Comma));
    }
    ~CommaLocale()
    {
        std::locale::global(previous_);
        std::setlocale(LC_ALL, previousC_.c_str());
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool cLocaleSwitched() const { return cSwitched_; }

private:
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };

    std::locale previous_;
    std::string previousC_;
    bool cSwitched_ = false;
};

}  // namespace VozudOzev::Testing
