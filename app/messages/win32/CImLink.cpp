#include "CImLink.h"

#include <utility>

#include "CChatTabWnd.h"
#include "CChatWnd.h"
#include "CPlace.h"
#include "ControlResources.h"
#include "IChatPageHost.h"
#include "ModuleState.h"
#include "CZrApp.h"
#include "ZrPerson.h"
#include "ZrPersonDesc.h"

namespace {

constexpr uint32_t kImItemType = 4;
constexpr uint32_t kBlankText = 199;
constexpr uint32_t kUserNotFoundText = 208;
constexpr UINT kPersonPrefix = 504;
constexpr UINT kChatWithTip = 1324;
constexpr uint32_t kPrivateColourIndex = 5;

}  // namespace

bool CImLink::OfferLookupReply(uint32_t request, const std::vector<std::unique_ptr<CZrPersonDesc>>& persons) {
  std::vector<CImLookupResult> results;
  for (const auto& person : persons) {
    if (!person) continue;
    CImLookupResult result;
    result.displayName = person->name;
    result.placeKind = person->placeKind;
    result.stageReference = person->parentFlag;
    result.owner = person->id;
    results.push_back(result);
  }
  return m_list.OnLookupReply(request, results);
}

bool CImLink::SendIm(uint32_t recipient, const std::string& text, const CTvlBlob& payload) {
  CPlace* place = m_app.GetRootPlace();
  return place && m_app.IsConnected() && place->SendUserMessage(recipient, text, payload) == 0;
}

void CImLink::PostOutgoingNotice(const std::string& text, const CTvlBlob& payload) {
  CZrPerson* myself = m_app.GetMyself();
  if (!myself) return;
  m_app.PlaceLink().PostMessageItem(myself->GetId(), myself->GetName(), text, payload, kImItemType);
}

uint32_t CImLink::SendLookup(const std::string& name) {
  CPlace* place = m_app.GetRootPlace();
  if (!place || !m_app.IsConnected()) return 0;
  return place->SendNumberedRequest(name, 0, true, false);
}

// The sender's conversation page, made when there is none: docked with
// "ImInternal" set, else floating.
CImDialog* CImLink::PageFor(uint32_t sender, const std::string& name) {
  CChatWnd* main = m_app.MainFrame();
  CChatTabWnd* tabs = main ? main->GetChatTabs() : nullptr;
  if (!tabs) return nullptr;
  if (CPaneDlg* open = tabs->FindTargetPage(sender)) return dynamic_cast<CImDialog*>(open);
  const std::string title = AfxLoadString(kPersonPrefix) + name;
  const bool floating = m_app.Settings().m_imInternal == 0;
  return static_cast<CImDialog*>(tabs->AddPage(std::make_unique<CImDialog>(*this, title), sender, floating,
                                               AfxLoadString(kChatWithTip) + name));
}

// The local user's first message, when it waited, stands above the reply.
void CImLink::ShowIm(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob&,
                     const std::string& pending) {
  if (text.empty()) return;
  CImDialog* page = PageFor(sender, name);
  if (!page) return;
  CZrPerson* myself = m_app.GetMyself();
  const COLORREF privateColour = ResourceColour(kPrivateColourIndex);
  if (!pending.empty() && myself) page->AddLine(myself->GetName(), pending, privateColour);
  const bool own = myself && myself->GetId() == sender;
  page->AddLine(name, text, own ? privateColour : RGB(0, 0, 0));
  if (CPaneDlg::Container()) CPaneDlg::Container()->HighlightPage(page, true);
}

void CImLink::SendFromPage(uint32_t person, const std::string& text) {
  m_list.SendToPage(person, text, CTvlBlob());
  if (IChatPageHost* host = CChatPage::Host()) host->EchoLine(person, text);
}

void CImLink::OnPageClosed(uint32_t person) { m_list.CloseConversation(person); }

void CImLink::ShowNotFound(const std::string& name) {
  if (CPlace* place = m_app.GetRootPlace()) place->ShowMessage(kBlankText, kUserNotFoundText, {name});
}
