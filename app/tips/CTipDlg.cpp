#include "CTipDlg.h"

#include "CTipManager.h"
#include "CWinApp.h"
#include "ModuleState.h"

namespace {

constexpr UINT kTipIcon = 453;
constexpr int kMargin = 5;

// Bitmap id of the resource module and its size; null when it does not load.
HBITMAP LoadTipBitmap(UINT id, SIZE* size) {
  HBITMAP bitmap = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
  BITMAP info{};
  if (bitmap) ::GetObjectA(bitmap, sizeof(info), &info);
  *size = SIZE{info.bmWidth, info.bmHeight};
  return bitmap;
}

// Draws bitmap with its top-left corner at (x, y) and deletes it.
void DrawTipBitmap(HDC dc, HBITMAP bitmap, int x, int y, SIZE size) {
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
}

}  // namespace

BEGIN_MESSAGE_MAP(CTipDlg, CDialog)
  ON_BN_CLICKED(CTipDlg::kNextTip, OnNextTip)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CTipDlg::CTipDlg(CTipManager* manager) : CDialog(kTemplate), m_manager(manager) {}

bool CTipDlg::Create() {
  CWnd* main = AfxGetMainWnd();
  if (!CDialog::Create(kTemplate, main)) return false;
  CenterWindow(main);
  ShowWindow(SW_SHOW);
  return true;
}

void CTipDlg::ShowRow(const TipRow& row, bool show) {
  m_row = row;
  SetWindowText(AfxLoadString(row.title));
  SetDlgItemText(kShowCheckBox, AfxLoadString(row.checkBox));
  ::CheckDlgButton(m_hWnd, kShowCheckBox, show ? BST_CHECKED : BST_UNCHECKED);
  ::InvalidateRect(::GetDlgItem(m_hWnd, kTipArea), nullptr, TRUE);
}

void CTipDlg::OnNextTip() {
  StoreCheckBox();
  m_manager->ShowNext();
}

void CTipDlg::OnOK() {
  StoreCheckBox();
  DestroyWindow();
}

// Escape closes the tip like the Close button.
void CTipDlg::OnCancel() { OnOK(); }

void CTipDlg::StoreCheckBox() {
  m_manager->SetShowFlag(::IsDlgButtonChecked(m_hWnd, kShowCheckBox) == BST_CHECKED);
}

void CTipDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != kTipArea || !m_row.text) return;
  DrawTipArea(item->hDC, item->rcItem);
}

void CTipDlg::DrawTipArea(HDC dc, const RECT& area) {
  ::Rectangle(dc, area.left, area.top, area.right, area.bottom);
  int textLeft = area.left + kMargin;
  SIZE size{};
  if (HBITMAP icon = LoadTipBitmap(kTipIcon, &size)) {
    DrawTipBitmap(dc, icon, area.left + kMargin, area.top + kMargin, size);
    textLeft = area.left + size.cx + 2 * kMargin;
  }
  int textBottom = area.bottom - kMargin;
  if (HBITMAP picture = m_row.picture ? LoadTipBitmap(m_row.picture, &size) : nullptr) {
    textBottom -= size.cy;
    DrawTipBitmap(dc, picture, area.left + kMargin, textBottom, size);
  }
  RECT textRect{textLeft, area.top + kMargin, area.right - kMargin, textBottom};
  HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
  int oldMode = ::SetBkMode(dc, TRANSPARENT);
  std::string text = AfxLoadString(m_row.text);
  ::DrawTextA(dc, text.c_str(), -1, &textRect, DT_WORDBREAK | DT_NOPREFIX);
  ::SetBkMode(dc, oldMode);
  ::SelectObject(dc, oldFont);
}
