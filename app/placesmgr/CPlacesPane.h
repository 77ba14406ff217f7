// One page of the places manager (dialog template 108): its room list,
// Go, Search, Make, Prev and Next, and a footer that tells which rows of
// the answer it shows. Pages 0-2 show places of the server's answers,
// page 3 the favourites.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "CDialog.h"
#include "CRoomListWnd.h"
#include "RoomRows.h"

class CFindDlg;
class CPlacesManager;

class CPlacesPane : public CDialog {
 public:
  static constexpr UINT kTemplateId = 108;
  static constexpr int kListPlaceholder = 1190;
  static constexpr int kGoButton = 1021;
  static constexpr int kSearchButton = 1123;
  static constexpr int kMakeButton = 1124;
  static constexpr int kPrevButton = 1186;
  static constexpr int kNextButton = 1187;
  enum State { kReady = 0, kWaiting = 1, kNotAvailable = 2 };

  CPlacesPane(CPlacesManager& manager, int page);
  ~CPlacesPane() override;

  bool Create(CWnd* parent);
  int GetPage() const { return m_page; }
  // Lists the rows that the page keeps, keeping the selected place (or
  // the place the user is in) selected; `paging` places the footer.
  void Fill(const std::vector<RoomItem>& rows, const RoomPaging& paging, const std::string& currentAddress);
  void SetState(State state);
  // The pane comes on show: an empty list says so on the status line.
  void OnShown();
  const RoomItem* GetSelectedRoom() const;
  CRoomListWnd& List() { return m_list; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnGo();
  void OnSearch();
  void OnMake();
  void OnPrev();
  void OnNext();
  LRESULT OnFindNext(WPARAM matchCase, LPARAM text);
  LRESULT OnFindClosed(WPARAM, LPARAM);
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  bool OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  void OnRowSelected(int32_t row);
  void UpdateButtons();
  void Layout(int cx, int cy);
  RECT FooterRect() const;
  void ShowButton(int id, bool show);
  void DeleteSelectedFavorite();

  CPlacesManager& m_manager;
  const int m_page;
  State m_state = kWaiting;
  CRoomListWnd m_list;
  std::vector<std::unique_ptr<RoomItem>> m_rooms;
  RoomPaging m_paging;
  CFindDlg* m_find = nullptr;
};
