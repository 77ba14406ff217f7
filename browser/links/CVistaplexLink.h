// The link to the slide-show partner program: each command of a list is sent
// to it as one DDE execute. Failures go to the debugger output only.
#pragma once
#include <string>

#include "CZrDdeClient.h"

class CVistaplexLink : public CZrDdeClient {
 public:
  static constexpr char kService[] = "CssPlug";
  static constexpr char kTopic[] = "SlideShow";

  // Sends the commands separated by ";" (empty ones skipped); false when
  // the partner cannot be reached.
  bool Send(const std::string& commands);
};
