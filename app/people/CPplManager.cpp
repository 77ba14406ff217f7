#include "CPplManager.h"

#include <algorithm>

#include "CPlace.h"
#include "ZrObjectDesc.h"
#include "IPeopleHost.h"
#include "ModuleState.h"
#include "PeopleRules.h"

IMPLEMENT_DYNCREATE(CPplManager, CWnd)

BEGIN_MESSAGE_MAP(CPplManager, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
END_MESSAGE_MAP()

CPplManager::CPplManager() = default;

CPplManager::~CPplManager() = default;

bool CPplManager::Create(const char*, const char* title, DWORD style, const RECT& rect, CWnd* parent,
                         UINT id, CCreateContext* context) {
  const char* cls = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return cls && CWnd::Create(cls, title, style | WS_CLIPCHILDREN, rect, parent, id, context);
}

int CPplManager::OnCreate(LPCREATESTRUCT) {
  m_page = std::make_unique<CPeoplePage>();
  if (!m_page->Create(this)) {
    m_page.reset();
    return -1;
  }
  m_page->ShowWindow(SW_SHOW);
  if (!m_statusBar.Create(this)) return -1;
  ::SetWindowLongPtrA(m_statusBar.m_hWnd, GWLP_ID, kStatusBarId);
  Layout();
  return 0;
}

void CPplManager::OnDestroy() {
  m_gestures.reset();
  if (m_page && m_page->m_hWnd) m_page->DestroyWindow();
  m_page.reset();
}

// Thumbnails are transparent in the resource library's colour 0.
void CPplManager::MakeGestureGallery() {
  if (m_gestures || !m_host) return;
  auto gallery = std::make_unique<CAvatarGalleryWnd>();
  if (!gallery->Create(m_host->GetColor(0))) return;
  gallery->SetFolder(m_host->GetGestureFolder(), false);
  m_gestures = std::move(gallery);
}

void CPplManager::Attach(CPlace* root, CPersonStateList* states, IPeopleHost* host) {
  m_root = root;
  m_host = host;
  if (m_page) m_page->SetContext(root, states, host);
  MakeGestureGallery();
  CreateToolbar(true);
  RebuildList(true);
}

void CPplManager::CreateToolbar(bool create) {
  if (!create) {
    if (m_toolBar.m_hWnd) m_toolBar.DestroyWindow();
    m_hasToolBar = false;
    Layout();
    return;
  }
  if (m_hasToolBar || !m_host || !m_hWnd || !m_toolBar.Create(this)) return;
  UINT command = 0;
  UINT faces[4] = {};
  for (uint32_t index = 0; m_host->GetToolButton(index, command, faces); ++index) {
    m_toolBar.AddTab(command, faces[0], faces[1], faces[2], faces[3]);
  }
  m_hasToolBar = true;
  Layout();
}

void CPplManager::OnSize(UINT, int, int) { Layout(); }

// The tool bar on top, the status line at the bottom, the page between.
void CPplManager::Layout() {
  if (!m_hWnd) return;
  RECT client{};
  GetClientRect(&client);
  int top = 0;
  if (m_hasToolBar && m_toolBar.m_hWnd) {
    top = m_toolBar.GetHeight();
    m_toolBar.MoveWindow(RECT{0, 0, client.right, top}, TRUE);
  }
  int bottom = client.bottom;
  if (m_statusBar.m_hWnd) {
    const int height = std::max(m_statusBar.GetHeight(), 0);
    bottom = std::max<int>(top, client.bottom - height);
    m_statusBar.MoveWindow(RECT{0, bottom, client.right, client.bottom}, TRUE);
  }
  if (HasPage()) m_page->MoveWindow(RECT{0, top, client.right, bottom}, TRUE);
}

// ---- Person events ----------------------------------------------------------------

void CPplManager::AddPerson(CZrObject& object) {
  if (HasPage()) m_page->List().AddPerson(object);
}

void CPplManager::UpdatePerson(CZrObject& object) {
  if (HasPage()) m_page->List().UpdatePerson(object);
}

void CPplManager::ChangePerson(CZrObject& object) {
  if (HasPage()) m_page->List().ChangePerson(object);
}

void CPplManager::RemovePerson(CZrObject& object) {
  if (HasPage()) m_page->List().RemovePerson(object);
}

void CPplManager::RebuildList(bool full) {
  if (!HasPage()) return;
  m_page->List().Rebuild(full);
  m_page->UpdateButtons();
}

bool CPplManager::IsListed(uint32_t id) const { return HasPage() && m_page->List().IsListed(id); }

void CPplManager::ForwardPair(uint32_t kind, const CZrObjectDesc& answer) {
  if (HasPage()) m_page->List().ForwardAnswer(kind, answer);
}

void CPplManager::RedrawList() {
  if (HasPage()) m_page->List().RedrawRows();
}

void CPplManager::ShowBroadcast(const CBroadcastInfo& record) {
  if (HasPage()) m_page->ShowBroadcast(record);
}

void CPplManager::ShowPersonMenu(const CZrObjectDesc& person, bool described, int32_t x, int32_t y) {
  if (!HasPage()) return;
  if (!described) {
    if (CPeopleItem* row = m_page->List().FindPersonRow(person.id)) m_page->ShowPersonMenu(*row, x, y);
    return;
  }
  CPeoplePage::MenuPerson menuPerson;
  menuPerson.id = person.id;
  menuPerson.kind = person.kind;
  menuPerson.name = m_page->List().DisplayNameOf(person.name);
  menuPerson.status = person.status;
  m_page->ShowPersonMenu(menuPerson, x, y);
}

void CPplManager::PreparePersonMenu(HMENU menu, uint32_t person) {
  CPeopleItem* row = HasPage() ? m_page->List().FindPersonRow(person) : nullptr;
  if (row) {
    m_page->PreparePersonMenu(menu, *row);
    return;
  }
  for (int item = ::GetMenuItemCount(menu) - 1; item >= 0; --item)
    ::EnableMenuItem(menu, static_cast<UINT>(item), MF_BYPOSITION | MF_GRAYED);
}

void CPplManager::RunPersonCommand(UINT command, uint32_t person) {
  CPeopleItem* row = HasPage() ? m_page->List().FindPersonRow(person) : nullptr;
  if (row) m_page->RunPersonCommand(command, *row);
}

void CPplManager::SetStatus(int32_t state) {
  if (!m_statusBar.m_hWnd) return;
  const people::StatusLine line = people::StatusFor(state, m_host && m_host->AreAvatarsShown());
  if (!line.valid) return;
  std::string text = AfxLoadString(line.main);
  if (line.communityFirst) text = (m_host ? m_host->GetCommunityName() : std::string()) + " " + text;
  m_statusBar.SetTimedText(text, line.sticky, AfxLoadString(line.rest));
  if (HasPage()) m_page->UpdateButtons();
}
