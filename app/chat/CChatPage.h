// A chat page: one tab of the chat tab container, or a floating window of
// its own. A transcript on top, a one-line input under it with Send,
// Gestures and Make Tab buttons. Every page addresses one target (the room,
// a group, a game, the stage or, for instant-message pages, a person); it
// sends what the user types by the road its kind and the user's state
// choose, tells the place when the user starts and stops typing, and shows
// the lines the container routes to it.
//
// Pages of other kinds derive from it (instant messages with their own
// template); the container creates them with CChatTabWnd::AddPage.
#pragma once
#include <cstdint>
#include <string>

#include "CChatEdit.h"
#include "CChatTextView.h"
#include "CCmdUI.h"
#include "CColorButton.h"
#include "CColorButton2.h"
#include "CPaneDlg.h"
#include "ChatTabModel.h"

class IChatPageHost;

class CChatPage : public CPaneDlg {
 public:
  static constexpr UINT kTemplate = 104;
  static constexpr UINT kTranscriptId = 1106;
  static constexpr UINT kSendId = 1107;
  static constexpr UINT kGesturesId = 1108;
  static constexpr UINT kMakeTabId = 1113;

  CChatPage(ChatPageKind kind, const std::string& title, UINT templateId = kTemplate);
  ~CChatPage() override;

  // The application's side of every page; null while there is none.
  static void SetHost(IChatPageHost* host);
  static IChatPageHost* Host();

  ChatPageKind GetPageKind() const { return static_cast<ChatPageKind>(GetKind()); }

  // A line the container routes here: filtered words masked, then shown.
  void AddLine(const std::string& name, const std::string& text, COLORREF colour);
  // The separator line of a place change (empty text: the leaving line of
  // a private room, or a plain separator).
  void AppendText(const std::string& text);
  // Enables Send and the input line.
  void EnableInput(bool on);
  // Tells the place that the user starts (or stops) addressing the target.
  void SetTypingState(bool on);
  // The focus goes to the input line when it shows, else the transcript.
  virtual void SetInputFocus();
  // Fits the page into rect (the container's page area, or the float
  // frame's client area).
  virtual void Layout(const RECT& rect);

  CChatTextView& Transcript() { return m_transcript; }
  // The page that holds window (itself or a child), or null.
  static CChatPage* OfWindow(HWND window);
  CChatEdit& Input() { return m_input; }

  // CPaneDlg
  void SetWindowRect(const RECT& rect) override { Layout(rect); }
  bool HasTranscript() override { return m_transcript.m_hWnd && m_transcript.Layout().LineCount() > 0; }
  bool CanSave() override { return HasTranscript(); }
  void SaveTranscript() override;
  void SetActive(bool active) override;
  void OnPaneFocus() override { SetInputFocus(); }

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}
  // The send road of the typed line.
  virtual void OnSend();
  // An instant-message page's road; the base sends a plain user-to-user
  // message.
  virtual void SendInstantMessage(const std::string& text);
  void OnInputChanged();
  void OnMakeTab();
  void OnCloseTab();
  void OnSaveAs();
  void OnEditCommand(UINT command);
  void OnUpdateEditCommand(CCmdUI* item);
  DECLARE_MESSAGE_MAP()

 private:
  void ClearAfterSend();
  void LayoutDocked(int width, int inputTop, int inputHeight);
  void LayoutFloating(int width, int inputTop, int inputHeight);
  void Place(UINT id, int x, int y, int width, int height, bool show);

  CChatTextView m_transcript;
  CChatEdit m_input;
  CColorButton m_send;
  // Shows the chosen gesture; without a gesture gallery it stays disabled.
  CColorButton2 m_gestures;
  std::string m_typed;
  bool m_leftPrivateRoom = false;
  std::string m_privateRoomTitle;
  // Template metrics in pixels: margin, top of the transcript, heights of
  // the input line and of the buttons, widths of the buttons.
  int m_margin = 0;
  int m_top = 0;
  int m_inputHeight = 0;
  int m_buttonHeight = 0;
  int m_sendWidth = 0;
  int m_gesturesWidth = 0;
  int m_makeTabWidth = 0;
};
