// The process's one link with the other browser over its DDE interface: the
// verbs the client sends it (service "NETSCAPE", one topic a verb) and the
// calls it makes back to report echoes, progress and protocol URLs, kept
// per view in the echo table and passed on to each view's window as posted
// messages.
#pragma once
#include <windows.h>

#include <string>

#include "CNetscapeEchoTable.h"
#include "INetscapeEchoView.h"
#include "CZrDdeClient.h"

class CNetscapeEcho : public CZrDdeClient {
 public:
  // Messages posted to a view's window.
  static constexpr UINT kLoadBegan = 7529;
  static constexpr UINT kProgressChanged = 7536;
  static constexpr UINT kContentChanged = 7537;
  static constexpr UINT kLocationLearnt = 7538;
  static constexpr UINT kProtocolUrl = 7539;
  // The name the verbs give the browser for calling back, and under which
  // this link answers.
  static constexpr char kServerName[] = "Zanthe";
  static constexpr char kBrowserService[] = "NETSCAPE";

  CNetscapeEcho() : CZrDdeClient(Accepting::Yes) {}
  ~CNetscapeEcho() override;

  // A record for the view; -1 when the table is full. Sets the link up and
  // registers the echo and protocols when not done yet.
  int32_t AddView(INetscapeEchoView& view);
  // Frees the record; with the last one the link closes.
  void RemoveView(int32_t index);
  CNetscapeEchoTable::Record* Record(int32_t index) { return m_table.At(index); }

  // Opens the URL in the view's browser window; the answer is its window id.
  void OpenUrl(int32_t index, const std::string& url);
  // Reads the URL and title of the record's browser window into the record.
  void GetWindowInfo(CNetscapeEchoTable::Record& record);

 protected:
  bool OnPeerRequest(const std::string& topic, const std::string& item, std::vector<uint8_t>& answer) override;
  void OnPeerPoke(const std::string& topic, const std::string& item, const uint8_t* data,
                  uint32_t size) override;

 private:
  bool SetUp();
  // The browser is asked about its window only after its call has been
  // answered: DDE allows no new call of ours while we answer one.
  void AskWindowInfoLater(int32_t index, bool loadBegan);
  void FinishEcho(int32_t index, bool loadBegan);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // One verb: connect, one request or poke, disconnect.
  bool RequestVerb(const std::string& verb, const std::string& item, std::vector<uint8_t>* answer);
  void PokeVerb(const std::string& verb, const std::string& item, const std::string& data);
  INetscapeEchoView* ViewOf(const CNetscapeEchoTable::Record& record) const;
  void Post(const CNetscapeEchoTable::Record& record, UINT message);

  std::vector<uint8_t> AnswerOpenUrl(const std::string& item);
  std::vector<uint8_t> AnswerBeginProgress(const std::string& item);
  std::vector<uint8_t> AnswerMakingProgress(const std::string& item);
  void OnEndProgress(const std::string& data);
  void OnUrlEcho(const std::string& data);

  CNetscapeEchoTable m_table;
  HWND m_window = nullptr;
  bool m_initialised = false;
  bool m_protocolsRegistered = false;
};
