// The three local pages the browser shows before a community page: the
// welcome page while connecting, a blank page and the error page. They live
// in the program folder; when any of them is missing, all are written anew.
#pragma once
#include <string>

struct ZrStartPage {
  const char* fileName;
  const char* text;
};

// The pages in the order welcome, blank, error.
const ZrStartPage* StartPages();
constexpr int kStartPageCount = 3;

// folder ends in a path separator. A page that cannot be created is skipped.
void WriteStartPages(const std::string& folder);
