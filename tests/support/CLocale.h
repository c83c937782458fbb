#pragma once
// Runs part of a test under a C library locale whose decimal separator is a
// comma (de_DE, fr_FR), as Qt sets it from the environment, and puts the
// previous one back at the end. The locales come from localedef (the set-up
// generates them); one the machine lacks is reported as missing, and the test
// skips.

#include <clocale>
#include <string>
#include <vector>

namespace tlrx::test {

// The comma locales the writers and reports are tried under.
inline const std::vector<std::string>& CommaLocales() {
    static const std::vector<std::string> names = {"de_DE.UTF-8", "fr_FR.UTF-8"};
    return names;
}

class ScopedCLocale {
public:
    explicit ScopedCLocale(const std::string& name) : saved_(std::setlocale(LC_ALL, nullptr)) {
        active_ = std::setlocale(LC_ALL, name.c_str()) != nullptr;
    }
    ~ScopedCLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

    // Whether the locale was set: false when the machine lacks it.
    bool Active() const { return active_; }

private:
    std::string saved_;
    bool active_ = false;
};

}  // namespace tlrx::test

// Skips the test unless every comma locale is available.
#define TLRX_REQUIRE_COMMA_LOCALES()                             \
    for (const std::string& name : ::tlrx::test::CommaLocales()) \
        if (!::tlrx::test::ScopedCLocale(name).Active())         \
    GTEST_SKIP() << name << " is not generated (localedef -i " << name.substr(0, 5) << " -f UTF-8 " << name << ")"
