// The transcript of a chat page: a custom-drawn child window that shows the
// page's chat lines with a speaker column and word wrap, scrolls, selects
// by dragging or double-clicking, copies the selection to the clipboard,
// clears itself and saves itself as a text file. It takes the place, font
// and identifier of a placeholder control of its dialog and draws a thin
// black and white frame around itself.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "CWnd.h"
#include "GdiTextMeasurer.h"
#include "MessageMap.h"
#include "TranscriptLayout.h"

class CDC;

class CChatTextView : public CWnd {
 public:
  CChatTextView();
  ~CChatTextView() override;

  // Replaces the dialog's placeholder control; false when there is none or
  // a window cannot be made.
  bool Create(CWnd* dialog, UINT placeholderId);

  void AddLine(const std::string& name, const std::string& text, COLORREF colour);
  void AddSeparator(const std::string& text, bool attachToLastLine);
  void ReplaceSeparator(const std::string& text);
  void Clear();
  // Puts the selected text on the clipboard as CF_TEXT; nothing without a
  // selection.
  void CopySelection();
  // Writes every line as speaker, tab, text and CR LF. Nothing is written
  // when there are no lines. A file that cannot be written is reported to
  // the user and gives false.
  bool Save(const std::string& path);
  // Asks for a file name, then saves.
  void SaveAs();
  // Clear when there are lines, Copy when there is a selection, Save as
  // when there are lines.
  bool IsCommandEnabled(UINT command) const;
  // Runs Copy, Clear All or Save as; false for any other command.
  bool DoCommand(UINT command);

  // Draws the rows that touch `update` (client coordinates) into dc.
  void Draw(CDC* dc, const RECT& update);

  const TranscriptLayout& Layout() const { return m_layout; }
  HFONT Font() const { return m_font; }
  // Ctrl+I: opens the instant message dialog that is tied to no person.
  void SetInstantMessageHandler(std::function<void()> handler) { m_onInstantMessage = std::move(handler); }
  // Called when the context menu closes, to give the page its focus back.
  void SetMenuClosedHandler(std::function<void()> handler) { m_onMenuClosed = std::move(handler); }
  // Whether the current place is a private room (colours separator rows).
  void SetPrivateRoomQuery(std::function<bool()> query) { m_isPrivateRoom = std::move(query); }

 protected:
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  void OnVScroll(UINT code, UINT position, CWnd* bar);
  void OnLButtonDown(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  void OnRButtonDown(UINT flags, POINT point);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  LRESULT OnKeyUp(WPARAM key, LPARAM flags);
  void OnKillFocus(CWnd* next);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void TakeResourceColours();
  void CreateFrames(CWnd* dialog);
  void PlaceFrames();
  bool PointAt(POINT point, TranscriptPoint& at) const;
  bool PointPastText(POINT point, TranscriptPoint& at) const;
  void UpdateScrollBar();
  void Scroll(int32_t target);
  void RefreshPrivateRoom();
  // Removes the character message that the key just handled produced.
  void DropPendingChar();

  GdiTextMeasurer m_measurer;
  TranscriptLayout m_layout;
  HFONT m_font = nullptr;
  HWND m_blackFrame = nullptr;
  HWND m_whiteFrame = nullptr;
  bool m_ctrlDown = false;
  std::function<void()> m_onInstantMessage;
  std::function<void()> m_onMenuClosed;
  std::function<bool()> m_isPrivateRoom;
};
