#include "CStartArguments.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <vector>

#include "DirectoryText.h"

namespace {

struct Word {
  size_t begin;  // of the raw word, quotes included
  size_t end;
  std::string text;  // without quotes
};

bool IsBlank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Blank-separated words; a double-quoted stretch may hold blanks.
std::vector<Word> SplitWords(const std::string& text) {
  std::vector<Word> words;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsBlank(text[at])) {
      ++at;
    }
    if (at == text.size()) {
      break;
    }
    Word word{at, at, std::string()};
    bool quoted = false;
    while (at < text.size() && (quoted || !IsBlank(text[at]))) {
      if (text[at] == '"') {
        quoted = !quoted;
      } else {
        word.text.push_back(text[at]);
      }
      ++at;
    }
    word.end = at;
    words.push_back(std::move(word));
  }
  return words;
}

bool WholeNumber(const std::string& word, int32_t& value) {
  size_t pos = 0;
  std::optional<int32_t> number = zr::directory::ReadNumber(word, pos);
  if (!number || pos != word.size()) {
    return false;
  }
  value = *number;
  return true;
}

std::string Unquoted(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '"') {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

int CStartArguments::Parse(const std::string& arguments) {
  *this = CStartArguments();
  std::vector<Word> words = SplitWords(arguments);
  if (words.empty()) {
    return m_fields;
  }
  m_title = words[0].text;
  m_fields = 1;
  if (words.size() < 2) {
    return m_fields;
  }
  int32_t numbers[5];
  bool placed = words.size() >= 7;
  for (size_t i = 0; placed && i < 5; ++i) {
    placed = WholeNumber(words[words.size() - 5 + i].text, numbers[i]);
  }
  size_t libraryEnd = placed ? words[words.size() - 6].end : words[1].end;
  m_library = Unquoted(arguments.substr(words[1].begin, libraryEnd - words[1].begin));
  m_fields = 2;
  if (placed) {
    m_mode = numbers[0];
    m_x = numbers[1];
    m_y = numbers[2];
    m_width = numbers[3];
    m_height = numbers[4];
    m_fields = 7;
  } else if (words.size() >= 3 && WholeNumber(words[2].text, m_mode)) {
    m_fields = 3;
  }
  return m_fields;
}

std::string CStartArguments::Format(const std::string& title, const std::string& library,
                                    int32_t mode, int32_t x, int32_t y, int32_t width,
                                    int32_t height) {
  bool quote = library.find_first_of(" \t") != std::string::npos;
  std::string text = title + " " + (quote ? "\"" + library + "\"" : library);
  char numbers[80];
  std::snprintf(numbers, sizeof numbers, " %" PRId32 " %" PRId32 " %" PRId32 " %" PRId32 " %" PRId32,
                mode, x, y, width, height);
  return text + numbers;
}

std::string CStartArguments::ArgumentsOf(const std::string& commandLine) {
  size_t at = 0;
  while (at < commandLine.size() && IsBlank(commandLine[at])) {
    ++at;
  }
  bool quoted = false;
  while (at < commandLine.size() && (quoted || !IsBlank(commandLine[at]))) {
    if (commandLine[at] == '"') {
      quoted = !quoted;
    }
    ++at;
  }
  while (at < commandLine.size() && IsBlank(commandLine[at])) {
    ++at;
  }
  return commandLine.substr(at);
}

std::string CStartArguments::DisplayTitle() const {
  if (m_fields == 0) {
    return IsDirectoryMode() ? "Directory" : "Event Management";
  }
  return zr::directory::UnderscoresToBlanks(m_title.substr(0, kMaxTitle));
}
