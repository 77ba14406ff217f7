// When the client starts voice for its current place, and which voice
// dispatch host it joins there.
#pragma once

#include <string>

struct VoiceStartFacts {
  bool auditorium = false;     // the current place is an auditorium
  bool insidePlace = false;    // the local user is inside the current place
  bool controlExists = false;  // the voice control was created
  bool voiceEnabled = false;   // the settings allow voice
  bool running = false;        // a voice session already runs
};

// True when a voice session should start now.
bool ShouldStartVoice(const VoiceStartFacts& facts);

// The diagnostics host when the place address contains diagnosticsText (a
// non-empty text), the normal dispatch host otherwise.
const std::string& ChooseVoiceHost(const std::string& placeAddress, const std::string& diagnosticsText,
                                   const std::string& dispatchHost, const std::string& diagnosticsHost);
