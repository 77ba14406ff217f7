// The people manager: the main window's people column with its tool bar,
// the people page and its own status line. Every person event of the place
// reaches the people list through it; without a page every call does
// nothing.
#pragma once
#include <cstdint>
#include <memory>

#include "AvatarGalleryWnd.h"
#include "CPeoplePage.h"
#include "CTabWnd.h"
#include "CWnd.h"
#include "CZrStatusBar.h"

class CPersonStateList;
class CPlace;
class CZrObject;
class CZrObjectDesc;
class IPeopleHost;

class CPplManager : public CWnd {
  DECLARE_DYNCREATE(CPplManager)

 public:
  // Its own id, apart from the main window's status line.
  static constexpr UINT kStatusBarId = 1119;

  CPplManager();
  ~CPplManager() override;

  bool Create(const char* className, const char* title, DWORD style, const RECT& rect, CWnd* parent,
              UINT id, CCreateContext* context = nullptr) override;
  // The place, the ignore states and the application; the tool bar is
  // made from the host's buttons.
  void Attach(CPlace* root, CPersonStateList* states, IPeopleHost* host);

  void AddPerson(CZrObject& object);
  void UpdatePerson(CZrObject& object);
  void ChangePerson(CZrObject& object);
  void RemovePerson(CZrObject& object);
  void RebuildList(bool full);
  bool IsListed(uint32_t id) const;
  void ForwardPair(uint32_t kind, const CZrObjectDesc& answer);
  void RedrawList();
  // A broadcast for the page's broadcast panel.
  void ShowBroadcast(const CBroadcastInfo& record);
  // The page while it has its window, else null.
  CPeoplePage* GetPage() const { return HasPage() ? m_page.get() : nullptr; }
  // The person menu at a screen point: with described, for the described
  // person (a locate answer); otherwise for the person's row of the place,
  // and nothing when it has none.
  void ShowPersonMenu(const CZrObjectDesc& person, bool described, int32_t x, int32_t y);
  // The person menu of a person's avatar window: filled and run as the
  // page's menu for the person's row. Without the row every item is greyed
  // and no command runs.
  void PreparePersonMenu(HMENU menu, uint32_t person);
  void RunPersonCommand(UINT command, uint32_t person);
  void SetStatus(int32_t state);
  // 1 makes the tool bar (once), 0 removes it.
  void CreateToolbar(bool create);

  CPeopleList* GetPeopleList() { return m_page ? &m_page->List() : nullptr; }
  CPeoplePage* GetPeoplePage() { return HasPage() ? m_page.get() : nullptr; }
  // The gestures palette, opened on the gesture folder; null before the
  // manager is attached.
  CAvatarGalleryWnd* GetGestureGallery() const { return m_gestures.get(); }

 protected:
  int OnCreate(LPCREATESTRUCT create);
  void OnDestroy();
  // The splitter made it and nothing else owns it: it goes with its window.
  void PostNcDestroy() override { delete this; }
  void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  bool HasPage() const { return m_page && m_page->m_hWnd; }
  void Layout();
  void MakeGestureGallery();

  std::unique_ptr<CPeoplePage> m_page;
  CTabWnd m_toolBar;
  bool m_hasToolBar = false;
  CZrStatusBar m_statusBar;
  std::unique_ptr<CAvatarGalleryWnd> m_gestures;
  CPlace* m_root = nullptr;
  IPeopleHost* m_host = nullptr;
};
