// The decisions of the client's start that depend on nothing but values:
// whether this copy goes on or hands its command line to a running copy,
// and which community, host, first page, name and layout the command line
// and the settings give.
#pragma once

#include <cstdint>
#include <string>

class CPlaceAddress;

class CZrStartPlan {
 public:
  // What this copy does after looking for a running client and directory
  // program.
  struct Instance {
    bool handOver = false;        // pass the command line on and end
    bool notifyDirectory = false;  // hide and close the directory program
    bool killNetscape = false;
  };

  // A running client gets the command line and this copy ends, leaving the
  // running client's directory program alone; otherwise the directory
  // program is told to hide and close, and Netscape is ended when the
  // resource library asks for it.
  static Instance DecideInstance(bool clientRunning, bool directoryRunning, bool closeNetscapeOnLaunch);

  // The arguments of a process command line: the text after the program
  // name (quoted or not) and the blanks that follow it.
  static std::string ArgumentsOf(const std::string& commandLine);

  // Takes the parsed command line; homeServer and layoutMode are the
  // settings'.
  void ApplyCommandLine(const CPlaceAddress& address, const std::string& homeServer,
                        int32_t layoutMode);
  // After the settings are read again: the community of the settings when
  // the command line named none, and the home page.
  void ApplySettings(const std::string& homeServer, const std::string& serverTitle,
                     const std::string& homeURL);

  bool HasCommunityArgument() const { return m_communityArgument; }
  bool HasNickName() const { return m_hasNickName; }

  std::string m_communityName;
  std::string m_communityHost;
  std::string m_nickName;
  // The page named on the command line; shown when the place is entered.
  std::string m_pendingPlacePage;
  std::string m_homePage;
  // The page the first place entry goes to.
  std::string m_firstPage;
  bool m_showPage = true;
  bool m_replicated = false;
  int32_t m_layoutMode = 0;

 private:
  bool m_communityArgument = false;
  bool m_hasNickName = false;
};
