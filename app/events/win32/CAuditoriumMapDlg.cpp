#include "CAuditoriumMapDlg.h"

#include <optional>

#include "CPaintDC.h"
#include "ModuleState.h"

namespace {

constexpr int kDialogWidth = 580;
constexpr int kDialogHeight = 350;
constexpr POINT kPaneOrigin{190, 12};
constexpr POINT kSectionsOrigin{10, 36};
constexpr UINT kChooseThisString = 1318;  // "Choose this "
constexpr UINT kRowString = 1319;         // "&Row"
constexpr UINT kSeatString = 1320;        // "&Seat"

struct ButtonPlace {
  int id;
  RECT rect;  // left, top, width, height
};
constexpr ButtonPlace kButtons[] = {
    {CAuditoriumMapDlg::kChoose, {200, 283, 130, 23}},
    {CAuditoriumMapDlg::kLocate, {346, 283, 103, 23}},
    {IDCANCEL, {465, 283, 88, 23}},
};

}  // namespace

CAuditoriumMapDlg* CAuditoriumMapDlg::s_open = nullptr;

BEGIN_MESSAGE_MAP(CAuditoriumMapDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_SETCURSOR()
  ON_BN_CLICKED(CAuditoriumMapDlg::kChoose, OnChoose)
  ON_BN_CLICKED(CAuditoriumMapDlg::kLocate, OnLocate)
END_MESSAGE_MAP()

CAuditoriumMapDlg::CAuditoriumMapDlg(IAuditoriumSeatHost& host)
    : CDialog(kTemplateId),
      m_host(host),
      m_layout(host.Audience()),
      m_seating(m_layout, host.LocalId()),
      m_map(m_layout, m_seating, kPaneOrigin),
      m_sections(m_layout, kSectionsOrigin) {}

void CAuditoriumMapDlg::Open(CWnd* parent, IAuditoriumSeatHost& host) {
  CloseOpen();
  auto* dialog = new CAuditoriumMapDlg(host);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return;
  }
  dialog->ShowWindow(SW_SHOW);
}

void CAuditoriumMapDlg::CloseOpen() {
  if (s_open) s_open->DestroyWindow();
}

bool CAuditoriumMapDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = this;
  PlaceControls();
  if (m_pParentWnd) CenterWindow(m_pParentWnd);
  const int local = m_layout.SectionOf(m_layout.RowOfId(m_host.LocalRowId()));
  ShowSection(local != 0 ? local : 1);
  UpdateChooseButton();
  return true;
}

void CAuditoriumMapDlg::PlaceControls() {
  SetWindowPos(nullptr, 0, 0, kDialogWidth, kDialogHeight, SWP_NOMOVE | SWP_NOZORDER);
  for (const ButtonPlace& button : kButtons) {
    if (CWnd* control = GetDlgItem(button.id))
      control->SetWindowPos(nullptr, button.rect.left, button.rect.top, button.rect.right, button.rect.bottom,
                            SWP_NOZORDER);
  }
}

// Every row of the section is asked for; the hourglass shows until the
// last report.
void CAuditoriumMapDlg::ShowSection(int section) {
  if (m_layout.RowsIn(section) == 0) return;
  m_map.SetSection(section);
  m_reportsAwaited = m_layout.RowsIn(section);
  for (int row = m_layout.FirstRowOf(section); row <= m_layout.LastRowOf(section); ++row)
    m_host.QueryRow(m_layout.RowId(row));
  RedrawMap();
}

void CAuditoriumMapDlg::OnSeatReport(uint32_t rowId, const std::vector<AuditoriumSeating::SeatedMember>& members) {
  if (!m_seating.ApplyReport(rowId, members)) return;
  const int row = m_layout.RowOfId(rowId);
  if (m_seating.LocalInRow(row)) m_choice.OnLocalRow(row);
  if (m_layout.SectionOf(row) == m_map.Section() && m_reportsAwaited > 0) --m_reportsAwaited;
  if (m_selectedSeat != 0 && m_selectedRow == row && !m_seating.IsFree(row, m_selectedSeat)) {
    m_selectedRow = m_selectedSeat = 0;
  }
  UpdateChooseButton();
  RedrawMap();
}

void CAuditoriumMapDlg::UpdateChooseButton() {
  if (CWnd* choose = GetDlgItem(kChoose)) choose->EnableWindow(m_choice.ButtonEnabled());
  SendMessage(DM_SETDEFID, m_choice.HasSelection() ? kChoose : kLocate, 0);
}

void CAuditoriumMapDlg::RedrawMap() {
  const RECT bounds = m_map.Bounds();
  ::InvalidateRect(m_hWnd, &bounds, TRUE);
  const RECT sections = m_sections.Bounds();
  ::InvalidateRect(m_hWnd, &sections, TRUE);
}

int CAuditoriumMapDlg::LocalSection() const {
  const AuditoriumSeating::Seat own = m_seating.LocalSeat();
  return m_layout.SectionOf(own.row);
}

void CAuditoriumMapDlg::OnPaint() {
  CPaintDC dc(this);
  m_map.Paint(dc, m_selectedRow, m_selectedSeat);
  m_sections.Paint(dc, m_map.Section(), LocalSection());
}

void CAuditoriumMapDlg::OnLButtonDown(UINT, POINT point) {
  if (const int section = m_sections.SectionAt(point)) {
    ShowSection(section);
    return;
  }
  const CAuditoriumMap::Place place = m_map.At(point);
  const bool freeSeat = place.part == SeatPane::Part::kSeat && m_seating.IsFree(place.row, place.seat);
  if (place.part != SeatPane::Part::kRowLabel && !freeSeat) return;
  m_selectedRow = place.row;
  m_selectedSeat = place.seat;
  m_choice.Select(place.row, place.seat);
  SetDlgItemText(kChoose, AfxLoadString(kChooseThisString) + AfxLoadString(place.seat != 0 ? kSeatString : kRowString));
  UpdateChooseButton();
  RedrawMap();
}

BOOL CAuditoriumMapDlg::OnSetCursor(CWnd*, UINT, UINT) {
  if (m_reportsAwaited == 0) return static_cast<BOOL>(Default());
  ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  return TRUE;
}

// The row is asked for again behind the move: its report shows the user's
// new seat and frees the button.
void CAuditoriumMapDlg::OnChoose() {
  const std::optional<SeatChoice::Target> target = m_choice.Choose();
  if (!target) return;
  m_selectedRow = m_selectedSeat = 0;
  m_host.MoveIntoRow(m_layout.RowId(target->row), target->seat);
  m_host.QueryRow(m_layout.RowId(target->row));
  UpdateChooseButton();
  RedrawMap();
}

void CAuditoriumMapDlg::OnLocate() {
  IAuditoriumSeatHost& host = m_host;
  DestroyWindow();  // deletes this dialog
  host.Locate();
}

void CAuditoriumMapDlg::OnOK() {}

void CAuditoriumMapDlg::OnCancel() { DestroyWindow(); }

void CAuditoriumMapDlg::PostNcDestroy() {
  if (s_open == this) s_open = nullptr;
  delete this;
}
