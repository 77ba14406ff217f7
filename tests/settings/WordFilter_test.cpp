// The word filter: the comma list, whole-word masking in any letter case,
// the inner-occurrence rule, and lines that must not hang or overflow.
#include "WordFilter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "WordFilterModel.h"

namespace {

CWordFilter FilterOf(const std::string& list) {
  CWordFilter filter;
  filter.SplitCommaList(list);
  return filter;
}

struct SplitCase {
  const char* list;
  std::vector<std::string> words;
};

TEST(WordFilter, CommaListAddsNonEmptyWordsInLowerCase) {
  const SplitCase cases[] = {
      {"Darn,HECK", {"darn", "heck"}},
      {"darn,,heck", {"darn", "heck"}},
      {"darn,heck,", {"darn", "heck"}},
      {",darn", {"darn"}},
      {"", {}},
      {",,,", {}},
      {"a, b", {"a", " b"}},
      {"single", {"single"}},
  };
  for (const SplitCase& c : cases) {
    CWordFilter filter = FilterOf(c.list);
    std::vector<std::string> words;
    for (size_t i = 0; i < filter.GetCount(); ++i) words.push_back(*filter.GetWord(i));
    EXPECT_EQ(words, c.words) << c.list;
    EXPECT_FALSE(filter.GetWord(filter.GetCount()).has_value());
  }
}

TEST(WordFilter, ClearingEmptiesTheListBeforeTheNextSplit) {
  CWordFilter filter = FilterOf("one,two");
  filter.ClearStringList();
  filter.SplitCommaList("three");
  ASSERT_EQ(filter.GetCount(), 1u);
  EXPECT_EQ(*filter.GetWord(0), "three");
}

struct MaskCase {
  const char* list;
  const char* line;
  const char* masked;
};

TEST(WordFilter, MasksWholeWordsOnly) {
  const MaskCase cases[] = {
      {"darn", "Darn it", "#### it"},
      {"darn", "oh DARN!", "oh ####!"},
      {"darn", "darned thing", "darned thing"},
      {"darn", "darned, darn", "darned, ####"},
      {"darn", "darn darn", "#### ####"},
      {"darn", "darn1", "####1"},
      {"darn,heck", "heck darned", "heck darned"},
      {"darn,heck", "darn heck", "#### ####"},
      {"heck,darn", "heck darned", "#### darned"},
      {"ab", "xab ab", "xab ##"},
      {"ab", "xabyab", "xaby##"},
      {"ab", "abx", "abx"},
      {"a", "ba", "ba"},
      {"a", "", ""},
      {"big deal", "no Big Deal.", "no ########."},
      {"a#", "a# b", "## b"},
      {"#,##", "# ## ###", "# ## ###"},
  };
  for (const MaskCase& c : cases) {
    const CWordFilter filter = FilterOf(c.list);
    std::string line = c.line;
    filter.MaskAll(line);
    EXPECT_EQ(line, c.masked) << "[" << c.list << "] " << c.line;
  }
}

TEST(WordFilter, MaskOneReportsWhetherItMasked) {
  const CWordFilter filter = FilterOf("darn");
  std::string line = "darn darn";
  EXPECT_EQ(filter.MaskOne(line), 1);
  EXPECT_EQ(line, "#### darn");
  EXPECT_EQ(filter.MaskOne(line), 1);
  EXPECT_EQ(filter.MaskOne(line), 0);
  EXPECT_EQ(line, "#### ####");
}

TEST(WordFilter, WordBoundaries) {
  const std::string text = "ab 1";
  EXPECT_TRUE(CWordFilter::IsWordBoundary(text, -1));
  EXPECT_FALSE(CWordFilter::IsWordBoundary(text, 0));
  EXPECT_TRUE(CWordFilter::IsWordBoundary(text, 2));
  EXPECT_TRUE(CWordFilter::IsWordBoundary(text, 3));
  EXPECT_TRUE(CWordFilter::IsWordBoundary(text, 4));
  EXPECT_TRUE(CWordFilter::IsWordBoundary(std::string("\xE9"), 0));
}

TEST(WordFilter, ALongLineOfInnerOccurrencesNeitherOverflowsNorHangs) {
  // Every "a" but the last of the run is followed by a letter; the search
  // restarts behind each one, and the last one starts its restart and
  // ends before a blank, so it is masked as the separate "a" is.
  const CWordFilter filter = FilterOf("zz,a");
  std::string run;
  for (int i = 0; i < 16000; ++i) run += "xa";
  std::string line = run + " a";
  const std::string expected = run.substr(0, run.size() - 1) + "# #";
  filter.MaskAll(line);
  EXPECT_EQ(line, expected);
}

TEST(WordFilter, AgreesWithTheLiteralRuleOnRandomLines) {
  std::mt19937 random(1533);
  const char alphabet[] = "abAB #,.x";
  auto draw = [&](size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += alphabet[random() % (sizeof alphabet - 1)];
    return text;
  };
  for (int round = 0; round < 4000; ++round) {
    const std::string list = draw(random() % 8);
    const CWordFilter filter = FilterOf(list);
    std::vector<std::string> words;
    for (size_t i = 0; i < filter.GetCount(); ++i) words.push_back(*filter.GetWord(i));
    std::string line = draw(random() % 24);
    std::string expected = line;
    word_filter_model::MaskAll(words, expected);
    filter.MaskAll(line);
    ASSERT_EQ(line, expected) << "[" << list << "]";
  }
}

}  // namespace
