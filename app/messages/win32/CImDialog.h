// An instant-message conversation page (dialog 119): a chat page that
// talks to one person. It opens in respond mode, showing the conversation
// with Respond and Cancel only; Respond brings the input line. Its lines go
// out through the conversation list; closing it ends the conversation.
#pragma once
#include <cstdint>
#include <string>

#include "CChatPage.h"

class IImPages;

class CImDialog : public CChatPage {
 public:
  static constexpr UINT kTemplate = 119;
  static constexpr UINT kRespondId = 1110;
  static constexpr UINT kInputId = 1105;
  // The input line's height in a floating page, and how much a floating
  // page's frame grows when the user responds.
  static constexpr int kFloatingInputHeight = 73;

  CImDialog(IImPages& pages, const std::string& title);
  ~CImDialog() override;

  bool IsRespondMode() const { return m_respondMode; }
  void Layout(const RECT& rect) override;

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnDestroy();
  void OnRespond();
  void SendInstantMessage(const std::string& text) override;
  DECLARE_MESSAGE_MAP()

 private:
  void Place(UINT id, int x, int y, int width, int height, bool show, bool enable);
  int TabStripHeight();

  IImPages& m_pages;
  bool m_respondMode = true;
  RECT m_rect{0, 0, 0, 0};
  int m_margin = 0;
  int m_top = 0;
  int m_buttonHeight = 0;
  int m_sendWidth = 0;
  int m_gesturesWidth = 0;
  int m_makeTabWidth = 0;
};

// What conversation pages ask of the program.
class IImPages {
 public:
  // Sends a line typed on the page of person.
  virtual void SendFromPage(uint32_t person, const std::string& text) = 0;
  // The page is going: its conversation ends.
  virtual void OnPageClosed(uint32_t person) = 0;

 protected:
  ~IImPages() = default;
};
