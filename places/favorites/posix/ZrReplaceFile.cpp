#include "ZrReplaceFile.h"

#include <cstdio>

bool ZrReplaceFile(const std::string& source, const std::string& target) {
  return std::rename(source.c_str(), target.c_str()) == 0;
}
