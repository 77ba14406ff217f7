#include "VoiceStartRule.h"

bool ShouldStartVoice(const VoiceStartFacts& facts) {
  return !facts.auditorium && facts.insidePlace && facts.controlExists && facts.voiceEnabled && !facts.running;
}

const std::string& ChooseVoiceHost(const std::string& placeAddress, const std::string& diagnosticsText,
                                   const std::string& dispatchHost, const std::string& diagnosticsHost) {
  const bool diagnostics = !diagnosticsText.empty() && placeAddress.find(diagnosticsText) != std::string::npos;
  return diagnostics ? diagnosticsHost : dispatchHost;
}
