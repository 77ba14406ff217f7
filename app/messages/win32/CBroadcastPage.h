// "What's Hot": the broadcast page of the chat tab container. It shows a
// received broadcast (picture, time of arrival, text) for the broadcast's
// display time, and otherwise the bulletin list of the service's links.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CPaneDlg.h"
#include "CWnd.h"
#include "Picture.h"

class CBroadcastInfo;

// The picture of the page, scaled down to fit and never up.
class CBroadcastImageWnd : public CWnd {
 public:
  bool Create(CWnd* parent, const RECT& rect);
  void SetPicture(const CPicture& picture);
  // The picture's rectangle in a client area of that size.
  static RECT FitRect(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight);

 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CPicture m_picture;
};

// The time line and the text of the page (blue when the text is a link).
class CBroadcastTextWnd : public CWnd {
 public:
  static constexpr int kTimeId = 1;
  static constexpr int kTextId = 2;
  bool Create(CWnd* parent, const RECT& rect);
  void SetLines(const std::string& time, const std::string& text, bool link);

 protected:
  void OnSize(UINT type, int cx, int cy);
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void PlaceLines();
  HWND MakeLine(int id);
  bool m_link = false;
  bool m_timeShown = true;
  HBRUSH m_white = nullptr;
  HFONT m_font = nullptr;
};

class CBroadcastPage : public CPaneDlg {
 public:
  static constexpr UINT kTemplate = 117;
  static constexpr UINT kMakeTabId = 1122;
  static constexpr UINT kImageId = 1085;
  static constexpr UINT kTextId = 1086;
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr char kBulletLink[] = "BlankURL";

  using BulletSource = std::function<std::vector<std::string>()>;

  // noBullets: the text shown when the service has no bullet entries.
  CBroadcastPage(const std::string& title, BulletSource bullets, const std::string& noBullets);

  // A received broadcast; seconds 0 keeps it until the next one.
  void ShowBroadcast(const CBroadcastInfo& record, int32_t seconds);
  void ShowBullets();
  // A preview from the Broadcast Extension dialog stays until it ends;
  // then the bulletins come back.
  void SetPreviewMode(bool on);
  bool InPreview() const { return m_preview; }
  bool IsShowingBroadcast() const { return m_showing; }
  void SetWindowRect(const RECT& rect) override;

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}
  void OnTimer(UINT_PTR id);
  void OnMakeTab();
  DECLARE_MESSAGE_MAP()

 private:
  void SetTexts(const std::string& link, const std::string& text, bool stamp);

  BulletSource m_bullets;
  std::string m_noBullets;
  CBroadcastImageWnd m_image;
  CBroadcastTextWnd m_text;
  std::string m_link;
  bool m_showing = false;
  bool m_preview = false;
};
