#include "LanguageLibrarySearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const SystemLocale kGermanSystem{"de", "DE", "DEU", "DEU"};

struct SearchCase
{
    const char* what;
    const char* baseName;
    const char* locale;
    SystemLocale system;
    std::vector<std::vector<std::string>> fileNames; // per attempt
    std::vector<std::string> locales;
};

const SearchCase kSearchCases[] = {
    {"Japanese goes by jp, then the system, then US English", "SNCom", "ja-JP", kGermanSystem,
     {{"SNComjp.dll"}, {"SNComDEU.dll", "SNComDE.dll"}, {"SNComenu.dll", "SNComen.dll"}},
     {"ja-JP", "de-DE", "en-US"}},
    {"Any English goes straight to US English", "SNCom", "en-GB", kGermanSystem,
     {{"SNComenu.dll", "SNComen.dll"}}, {"en-US"}},
    {"English in any case", "Brand", "EN", kGermanSystem,
     {{"Brandenu.dll", "Branden.dll"}}, {"en-US"}},
    {"JA in upper case is still jp", "SNCom", "JA", kGermanSystem,
     {{"SNComjp.dll"}, {"SNComDEU.dll", "SNComDE.dll"}, {"SNComenu.dll", "SNComen.dll"}},
     {"JA", "de-DE", "en-US"}},
    {"A short locale starts at the system's locale", "SNCom", "f", kGermanSystem,
     {{"SNComDEU.dll", "SNComDE.dll"}, {"SNComenu.dll", "SNComen.dll"}}, {"de-DE", "en-US"}},
    {"A file already tried is not listed again", "SNCom", "fr-FR",
     SystemLocale{"fr", "FR", "FRA", "FRA"},
     {{"SNComfr.dll"}, {"SNComFRA.dll"}, {"SNComenu.dll", "SNComen.dll"}},
     {"fr-FR", "fr-FR", "en-US"}},
    {"A system without an abbreviation gives no files for it", "SNCom", "", SystemLocale{},
     {{}, {"SNComenu.dll", "SNComen.dll"}}, {"", "en-US"}},
};

} // namespace

TEST(LanguageLibrarySearch, AttemptsNameTheFilesInOrder)
{
    for (const SearchCase& c : kSearchCases) {
        SCOPED_TRACE(c.what);
        const auto attempts = LanguageLibraryAttempts(c.baseName, c.locale, c.system);
        ASSERT_EQ(c.fileNames.size(), attempts.size());
        for (size_t i = 0; i < attempts.size(); ++i) {
            EXPECT_EQ(c.fileNames[i], attempts[i].fileNames) << "attempt " << i;
            EXPECT_EQ(c.locales[i], attempts[i].locale) << "attempt " << i;
        }
    }
}

TEST(LanguageLibrarySearch, LanguageCodeOfLocale)
{
    const std::pair<const char*, const char*> cases[] = {
        {"ja-JP", "jp"}, {"Ja", "jp"}, {"de-AT", "de"}, {"pt", "pt"}, {"x", "x"}, {"", ""}};
    for (const auto& [locale, code] : cases)
        EXPECT_EQ(code, LanguageCodeOfLocale(locale)) << locale;
}

TEST(LanguageLibrarySearch, SystemLocaleName)
{
    const std::pair<SystemLocale, const char*> cases[] = {
        {{"en", "US", "ENU", "USA"}, "en-US"},
        {{"", "", "ENU", "USA"}, "enu-US"},   // no ISO names: abbreviations
        {{"", "", "DEU", ""}, "deu"},         // no country
        {{"nl", "", "NLD", "NLD"}, "nl"},
        {{}, ""},
    };
    for (const auto& [system, name] : cases)
        EXPECT_EQ(name, SystemLocaleName(system)) << name;
}
