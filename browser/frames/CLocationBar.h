// CLocationBar: the one-line bar at the top of the page frame: a label, a
// drop-down list of visited addresses with an edit field, and a "Go To"
// button. It shows the address of the page, keeps the addresses the user
// went to at the top of its list, and hands an address the user chooses or
// types to the root place, which opens it.
#pragma once

#include <string>

#include "CDialog.h"

class IPageFrameHost;

class CLocationBar : public CDialog {
 public:
  static constexpr UINT kTemplateId = 407;
  static constexpr int kLabelId = 767;
  static constexpr int kAddressId = 758;
  static constexpr int kGoToId = 759;
  // Label texts: the address shown ("Location" + ":"), the address typed.
  static constexpr UINT kLocationText = 442;
  static constexpr UINT kGoToText = 494;

  explicit CLocationBar(IPageFrameHost& host) : CDialog(kTemplateId), m_host(host) {}

  bool Create(CWnd* parent);
  // Shows an address; after the user's own choice it joins the list.
  void SetLocation(const std::string& url);
  // An address asked for by the history: shown and opened unless it is the
  // one shown already.
  void OnNewLocation(const std::string& url, bool addToList);
  // Opens the address (read from the field first when readField).
  void Go(bool readField);
  // Fits the bar to the page frame's client width beside the indicator.
  void Layout(int frameWidth, int indicatorWidth, int indicatorHeight);

  bool IsInList() const;
  const std::string& GetAddress() const { return m_address; }
  std::string GetLabel() const { return m_label; }

 protected:
  bool OnInitDialog() override;
  // Enter in the address field goes to the address, as the button does.
  void OnOK() override;
  void OnCancel() override {}
  void OnGoTo();
  void OnSelChange();
  void OnEditChange();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  void SetLabel(const std::string& text);
  HWND Combo() const { return ::GetDlgItem(m_hWnd, kAddressId); }

  IPageFrameHost& m_host;
  bool m_addToList = false;
  std::string m_address;
  std::string m_label;
  int m_labelHeight = 0;
};
