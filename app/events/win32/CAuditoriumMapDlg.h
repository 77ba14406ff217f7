// "Auditorium Map": the sections of the audience at the left, a click on
// one shows its rows and seats at the right, filled from the place's seat
// reports. It opens on the local user's section. A free seat or a row label is selected by a
// click; "Choose this Seat" moves the local user there and stays disabled
// until the place reports the user in that row. Modeless; at most one open.
#pragma once

#include <memory>
#include <vector>

#include "AuditoriumLayout.h"
#include "AuditoriumSeating.h"
#include "CAuditoriumMap.h"
#include "CAuditoriumSections.h"
#include "CDialog.h"
#include "IAuditoriumSeatHost.h"
#include "SeatChoice.h"

class CAuditoriumMapDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 363;
  static constexpr int kChoose = 1004;
  static constexpr int kLocate = 1005;

  // Closes an open map and shows a new one.
  static void Open(CWnd* parent, IAuditoriumSeatHost& host);
  static void CloseOpen();
  static CAuditoriumMapDlg* Current() { return s_open; }

  // The place's report of a row's seated members.
  void OnSeatReport(uint32_t rowId, const std::vector<AuditoriumSeating::SeatedMember>& members);

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnOK() override;
  void PostNcDestroy() override;

 private:
  explicit CAuditoriumMapDlg(IAuditoriumSeatHost& host);

  void PlaceControls();
  void ShowSection(int section);
  void UpdateChooseButton();
  void RedrawMap();
  int LocalSection() const;
  void OnPaint();
  void OnLButtonDown(UINT flags, POINT point);
  BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  void OnChoose();
  void OnLocate();

  static CAuditoriumMapDlg* s_open;
  IAuditoriumSeatHost& m_host;
  AuditoriumLayout m_layout;
  AuditoriumSeating m_seating;
  CAuditoriumMap m_map;
  CAuditoriumSections m_sections;
  SeatChoice m_choice;
  int m_selectedRow = 0;
  int m_selectedSeat = 0;
  int m_reportsAwaited = 0;

  DECLARE_MESSAGE_MAP()
};
