#include "CVistaplexLink.h"

#include <windows.h>

bool CVistaplexLink::Send(const std::string& commands) {
  if (!Init(std::string()) || !Connect(kService, kTopic)) {
    ::OutputDebugStringA("Failed to create DDE session to Vistaplex");
    return false;
  }
  size_t start = 0;
  while (start <= commands.size()) {
    const size_t end = std::min(commands.find(';', start), commands.size());
    const std::string command = commands.substr(start, end - start);
    if (!command.empty() && !Execute(command)) ::OutputDebugStringA("Failed to send a message to Vistaplex");
    start = end + 1;
  }
  Disconnect();
  return true;
}
