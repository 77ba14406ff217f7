#include "CAuditoriumEvents.h"

#include "AuditoriumTexts.h"
#include "CAuditoriumMapDlg.h"
#include "CAuditoriumVoteDlg.h"
#include "CAuditoriumWelcomeDlg.h"
#include "CCmdUI.h"
#include "CEventParticipateDlg.h"
#include "CEventQueueDlg.h"
#include "CInvitationDlg.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"
#include "resource.h"

namespace {

constexpr UINT kBlankString = 199;
constexpr UINT kNotActiveString = 316;
constexpr UINT kUnknownEventString = 535;  // "UNKNOWNEVENT"

}  // namespace

CAuditoriumEvents::CAuditoriumEvents(IAuditoriumEventHost& host, IAuditoriumSeatHost& seats,
                                     std::function<CWnd*()> parent)
    : m_host(host), m_seats(seats), m_parent(std::move(parent)) {}

// The announcement arrives inside a network callback: its message box is
// posted, never shown there.
void CAuditoriumEvents::OnAnnouncement(const std::string& text) {
  const EventAnnouncement announcement = ParseAnnouncement(text, AfxLoadString(kUnknownEventString));
  CEventParticipateDlg::CloseOpen();
  m_participation.Take(text, announcement);
  if (announcement.inactive) {
    MessageBoxIds2Async(kBlankString, kNotActiveString);
    return;
  }
  if (announcement.text.empty()) return;
  CAuditoriumWelcomeDlg::Open(m_parent(), m_host, announcement.text, announcement.pictureFollows);
}

void CAuditoriumEvents::OnWelcomePicture(const uint8_t* bytes, size_t length) {
  if (CAuditoriumWelcomeDlg* welcome = CAuditoriumWelcomeDlg::Current()) welcome->SetPicture(bytes, length);
}

void CAuditoriumEvents::OnVoteDefinition(const std::string& text) {
  const std::optional<VoteDefinition> vote = ParseVoteDefinition(text);
  if (vote) CAuditoriumVoteDlg::Open(m_parent(), m_host, *vote);
}

void CAuditoriumEvents::CloseVote() { CAuditoriumVoteDlg::CloseOpen(); }

void CAuditoriumEvents::OnQueueText(uint32_t sender, const std::string& text) {
  CEventQueueDlg::AddItem(m_parent(), m_host, sender, text);
}

void CAuditoriumEvents::OnInvitation(const std::string& inviter, const std::string& stagePlace) {
  CInvitationDlg::Open(m_parent(), m_host, inviter, stagePlace);
}

void CAuditoriumEvents::OpenParticipate() { CEventParticipateDlg::Open(m_parent(), m_host, m_participation); }

void CAuditoriumEvents::OpenSeatMap() { CAuditoriumMapDlg::Open(m_parent(), m_seats); }

bool CAuditoriumEvents::SeatMapOpen() const { return CAuditoriumMapDlg::Current() != nullptr; }

void CAuditoriumEvents::OnSeatReport(uint32_t rowId, const std::vector<AuditoriumSeating::SeatedMember>& members) {
  if (CAuditoriumMapDlg* map = CAuditoriumMapDlg::Current()) map->OnSeatReport(rowId, members);
}

namespace {

bool IsSeatMapCommand(UINT id) { return id == ID_AUDITORIUM_MAP || id == ID_AUDITORIUM_MAP2; }

}  // namespace

void CAuditoriumEvents::UpdateCommand(UINT id, CCmdUI* ui) {
  if (id == ID_DOWNLOAD_TRANSCRIPT)
    ui->Enable(m_host.HasTranscriptMember());
  else if (id != ID_PARTICIPATE && !IsSeatMapCommand(id))
    ui->Enable(false);
}

void CAuditoriumEvents::RunCommand(UINT id) {
  if (id == ID_PARTICIPATE) OpenParticipate();
  if (IsSeatMapCommand(id)) OpenSeatMap();
  if (id == ID_DOWNLOAD_TRANSCRIPT) m_host.SendToTranscript(TranscriptRequestText(m_host.PlaceName()));
}

void CAuditoriumEvents::Reset() {
  CEventParticipateDlg::CloseOpen();
  CAuditoriumMapDlg::CloseOpen();
  m_participation.Clear();
}
