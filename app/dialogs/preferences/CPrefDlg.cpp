#include "CPrefDlg.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {

constexpr int kApplyButton = 0x3021;
constexpr int kHelpButton = 9;

RECT ClientRectOf(HWND sheet, HWND button) {
  RECT rect{};
  ::GetWindowRect(button, &rect);
  ::MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

CPrefDlg::CPrefDlg(CZrSettings& settings, bool canSendFiles,
                   CPrefGeneralPage::HomePageSink homePage, CWnd* parent)
    : CPropertySheet(kTitleText, parent),
      m_general(settings, canSendFiles, std::move(homePage)),
      m_folders(settings) {
  AddPage(&m_general);
  AddPage(&m_folders);
}

bool CPrefDlg::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  DropApplyAndHelp();
  CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
  return true;
}

// Hides Apply and Help; OK and Cancel move into the rightmost places of the
// buttons that showed, so that no gap is left where the hidden ones were.
void CPrefDlg::DropApplyAndHelp() {
  std::vector<RECT> places;
  for (int id : {IDOK, IDCANCEL, kApplyButton, kHelpButton}) {
    HWND button = ::GetDlgItem(m_hWnd, id);
    // The sheet itself is not shown yet: the buttons' own style says which
    // of them show.
    if (button && (::GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE)) {
      places.push_back(ClientRectOf(m_hWnd, button));
    }
  }
  std::sort(places.begin(), places.end(),
            [](const RECT& a, const RECT& b) { return a.left < b.left; });
  for (int id : {kApplyButton, kHelpButton}) {
    if (HWND button = ::GetDlgItem(m_hWnd, id)) ::ShowWindow(button, SW_HIDE);
  }
  const int kept[] = {IDOK, IDCANCEL};
  if (places.size() < std::size(kept)) return;
  auto place = places.end() - static_cast<std::ptrdiff_t>(std::size(kept));
  for (int id : kept) {
    const RECT& to = *place++;
    ::MoveWindow(::GetDlgItem(m_hWnd, id), to.left, to.top, to.right - to.left,
                 to.bottom - to.top, TRUE);
  }
}
