#include "LanguageLibrarySearch.h"

#include <algorithm>
#include <cctype>

namespace {

enum Attempt { kLocaleLanguage = 0, kSystemLocale = 1, kUsEnglish = 2 };

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

std::string ChangeCase(std::string text, int (*change)(int))
{
    for (char& c : text)
        c = static_cast<char>(change(static_cast<unsigned char>(c)));
    return text;
}

Attempt FirstAttempt(std::string_view locale)
{
    if (locale.size() < 2)
        return kSystemLocale;
    return StartsWithIgnoringCase(locale, "en") ? kUsEnglish : kLocaleLanguage;
}

// A code of two or three characters is taken; any other falls back to the
// system's three-letter abbreviation.
std::string UsableCode(const std::string& code, const SystemLocale& system)
{
    return (code.size() == 2 || code.size() == 3) ? code : system.abbrevLanguage;
}

void AddFileName(std::vector<std::string>& names, std::vector<std::string>& seen,
                 std::string name)
{
    const std::string key = ChangeCase(name, std::tolower);
    if (std::find(seen.begin(), seen.end(), key) != seen.end())
        return;
    seen.push_back(key);
    names.push_back(std::move(name));
}

LanguageLibraryAttempt MakeAttempt(std::string_view baseName, std::string locale,
                                   const std::string& code, const SystemLocale& system,
                                   std::vector<std::string>& seen)
{
    LanguageLibraryAttempt attempt{std::move(locale), {}};
    const std::string usable = UsableCode(code, system);
    if (usable.empty())
        return attempt;
    const std::string base(baseName);
    AddFileName(attempt.fileNames, seen, base + usable + ".dll");
    AddFileName(attempt.fileNames, seen, base + usable.substr(0, 2) + ".dll");
    return attempt;
}

} // namespace

std::string LanguageCodeOfLocale(std::string_view locale)
{
    if (StartsWithIgnoringCase(locale, "ja"))
        return "jp";
    return std::string(locale.substr(0, 2));
}

std::string SystemLocaleName(const SystemLocale& system)
{
    std::string language = system.isoLanguage;
    std::string country = system.isoCountry;
    if (language.empty()) {
        language = ChangeCase(system.abbrevLanguage, std::tolower);
        country = ChangeCase(system.abbrevCountry.substr(0, 2), std::toupper);
    }
    if (language.empty() || country.empty())
        return language;
    return language + "-" + country;
}

std::vector<LanguageLibraryAttempt> LanguageLibraryAttempts(std::string_view baseName,
                                                            std::string_view locale,
                                                            const SystemLocale& system)
{
    std::vector<LanguageLibraryAttempt> attempts;
    std::vector<std::string> seen;
    for (int attempt = FirstAttempt(locale); attempt <= kUsEnglish; ++attempt) {
        switch (attempt) {
        case kLocaleLanguage:
            attempts.push_back(MakeAttempt(baseName, std::string(locale),
                                           LanguageCodeOfLocale(locale), system, seen));
            break;
        case kSystemLocale:
            attempts.push_back(MakeAttempt(baseName, SystemLocaleName(system),
                                           system.abbrevLanguage, system, seen));
            break;
        default:
            attempts.push_back(MakeAttempt(baseName, "en-US", "enu", system, seen));
            break;
        }
    }
    return attempts;
}
