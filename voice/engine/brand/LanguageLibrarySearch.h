// Which language resource library to load for a base name and a locale: up to
// three attempts (the locale's own language, the system's locale, US English),
// each naming the files to try in order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the system tells about the thread's locale; any field may be empty.
struct SystemLocale
{
    std::string isoLanguage;    // ISO 639 name, "en"
    std::string isoCountry;     // ISO 3166 name, "US"
    std::string abbrevLanguage; // three-letter abbreviation, "ENU"
    std::string abbrevCountry;  // country abbreviation, "USA"
};

struct LanguageLibraryAttempt
{
    std::string locale;                 // the locale this attempt stands for
    std::vector<std::string> fileNames; // tried in this order
};

// "jp" for a locale beginning "ja" (any case), else its first two characters.
std::string LanguageCodeOfLocale(std::string_view locale);

// "language-country" from the system's names; see SystemLocale.
std::string SystemLocaleName(const SystemLocale& system);

// The attempts for `baseName` and `locale`, from the first one chosen by the
// locale up to the US English one. A file name is listed only once.
std::vector<LanguageLibraryAttempt> LanguageLibraryAttempts(std::string_view baseName,
                                                            std::string_view locale,
                                                            const SystemLocale& system);
