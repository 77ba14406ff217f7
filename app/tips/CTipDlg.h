// The modeless tip of the day dialog: the tip's text and picture in an
// owner-drawn area, a check box for the category's tips, Next Tip and Close.
#pragma once
#include "CDialog.h"
#include "TipTable.h"

class CTipManager;

class CTipDlg : public CDialog {
 public:
  static constexpr UINT kTemplate = 325;
  static constexpr int kTipArea = 1136;
  static constexpr int kShowCheckBox = 1141;
  static constexpr int kNextTip = 1138;

  explicit CTipDlg(CTipManager* manager);

  // Opens the dialog centred on the main window.
  bool Create();
  using CDialog::Create;
  // Shows row's title, check box text, tip and picture; show sets the box.
  void ShowRow(const TipRow& row, bool show);

 protected:
  void OnNextTip();
  void OnOK() override;
  void OnCancel() override;
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);

  DECLARE_MESSAGE_MAP()

 private:
  void StoreCheckBox();
  void DrawTipArea(HDC dc, const RECT& area);

  CTipManager* m_manager;
  TipRow m_row{};
};
