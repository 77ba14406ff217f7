// "Lumora Chat Broadcast Extension" (dialog 105): an administrator composes
// a broadcast (picture, text, links, where and how long it shows), previews
// it in this client and sends it to the community. The values stay for the
// next opening while the program runs.
#pragma once
#include <cstdint>
#include <string>

#include "BroadcastRecord.h"
#include "CDialog.h"

class CBroadcastInfo;

// What sending and previewing reach.
class IBroadcastTarget {
 public:
  // The record to the community; false when it could not be sent.
  virtual bool SendBroadcast(const CBroadcastInfo& record, bool uponConnection) = 0;
  // Previews by target code: the panel, the "What's Hot" page.
  virtual void PreviewOnPanel(const CBroadcastValues& values) = 0;
  virtual void PreviewOnPage(const CBroadcastInfo& record) = 0;
  // Leaves the page's preview after a send.
  virtual void EndPagePreview() = 0;

 protected:
  ~IBroadcastTarget() = default;
};

class CBroadcastDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 105;
  static constexpr int kFileEdit = 1114;
  static constexpr int kPictureLinkEdit = 1116;
  static constexpr int kTextEdit = 1111;
  static constexpr int kTextLinkEdit = 1112;
  static constexpr int kUponConnectionCheck = 1010;
  static constexpr int kBlinkCheck = 1192;
  static constexpr int kContentTimeEdit = 1193;
  static constexpr int kPermanentCheck = 1194;
  static constexpr int kDisplayTimeEdit = 1195;
  static constexpr int kNonRectangularCheck = 1196;
  static constexpr int kWhatsHotCheck = 1201;
  static constexpr int kContentCheck = 1202;
  static constexpr int kMonitorCheck = 1203;
  static constexpr int kBrowseButton = 1118;
  static constexpr int kPreviewButton = 1119;

  CBroadcastDlg(IBroadcastTarget& target, CWnd* parent);

  // The values of the last opening.
  static CBroadcastValues& KeptValues();

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
  void OnBrowse();
  void OnPreview();
  DECLARE_MESSAGE_MAP()

 private:
  // The record of the values, or false after telling what is missing.
  bool BuildRecord(CBroadcastInfo& record);

  IBroadcastTarget& m_target;
  CBroadcastValues& m_values;
};
