#include "ZrStartPages.h"

#include <cstdio>

namespace {

constexpr ZrStartPage kPages[kStartPageCount] = {
    {"welcome.htm",
     "<HTML>\n<HEAD>\n<TITLE>Welcome to Lumora Chat</TITLE>\n</HEAD>\n<BODY BGCOLOR=#9999ff>\n"
     "<H2><CENTER><HR><BR>\n<BR>\n"
     "Welcome to Lumora Chat</CENTER>\n</H2>\n<H3><CENTER>Connecting to community...<BR>\n"
     "<HR></CENTER>\n</H3>\n</BODY>\n</HTML>"},
    {"blank.htm", "<HTML>\n<HEAD>\n<TITLE>ZrPlaces</TITLE>\n</HEAD>\n<BODY>\n</BODY>\n</HTML>\n"},
    {"error.htm",
     "<HTML>\n<HEAD>\n<TITLE>Lumora Chat</TITLE>\n</HEAD>\n<BODY BGCOLOR=#9999ff>\n"
     "<H2><CENTER><HR><BR>\n<BR>\n"
     "ERROR</CENTER>\n</H2>\n<H3><CENTER>The requested URL could not be retrieved<BR>\n"
     "<HR></CENTER>\n</H3>\n</BODY>\n</HTML>"},
};

bool Exists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return false;
  std::fclose(file);
  return true;
}

// Text mode: on Windows every line break is written as CR LF.
void Write(const std::string& path, const char* text) {
  std::FILE* file = std::fopen(path.c_str(), "w+");
  if (!file) return;
  std::fputs(text, file);
  std::fclose(file);
}

}  // namespace

const ZrStartPage* StartPages() { return kPages; }

void WriteStartPages(const std::string& folder) {
  bool allThere = true;
  for (const ZrStartPage& page : kPages) allThere = allThere && Exists(folder + page.fileName);
  if (allThere) return;
  for (const ZrStartPage& page : kPages) Write(folder + page.fileName, page.text);
}
