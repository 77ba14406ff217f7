#include "CSendImDlg.h"

#include "CChatWnd.h"
#include "CImLink.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "CZrApp.h"
#include "ImLookupDecision.h"
#include "UrlParamBase.h"

namespace {

constexpr uint32_t kBlankText = 199;
constexpr uint32_t kUserNotFoundText = 208;
constexpr uint32_t kMoreThanOneText = 209;
constexpr uint32_t kAvailableText = 211;
constexpr uint32_t kOnStageText = 296;
constexpr uint16_t kSendPicture = 282;
constexpr uint16_t kSendDisabledPicture = 286;

}  // namespace

BEGIN_MESSAGE_MAP(CSendImDlg, CDialog)
  ON_WM_DESTROY()
  ON_WM_SETCURSOR()
  ON_EN_CHANGE(CSendImDlg::kNameEdit, OnFieldsChanged)
  ON_EN_CHANGE(CSendImDlg::kTextEdit, OnFieldsChanged)
  ON_BN_CLICKED(CSendImDlg::kAvailableButton, OnAvailable)
END_MESSAGE_MAP()

CSendImDlg::CSendImDlg(CZrApp& app, uint32_t recipient, const std::string& name)
    : CDialog(kTemplateId), m_app(app), m_person(recipient), m_recipient(recipient), m_name(name) {}

CSendImDlg::~CSendImDlg() {
  m_deleting = true;
  if (m_hWnd) DestroyWindow();
}

bool CSendImDlg::Open() {
  CWnd* owner = m_app.MainFrame();
  return Create(kTemplateId, owner);
}

void CSendImDlg::Raise() {
  if (!m_hWnd) return;
  if (::IsIconic(m_hWnd)) ShowWindow(SW_RESTORE);
  ShowWindow(SW_SHOW);
  ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(m_hWnd);
}

bool CSendImDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ::SendDlgItemMessageA(m_hWnd, kNameEdit, EM_LIMITTEXT, kMaxName, 0);
  ::SendDlgItemMessageA(m_hWnd, kTextEdit, EM_LIMITTEXT, kMaxText, 0);
  m_sendButton.SubclassDlgItem(IDOK, this);
  m_sendButton.SetColors(kSendPicture, kSendDisabledPicture, ::GetSysColor(COLOR_BTNFACE),
                         ::GetSysColor(COLOR_BTNSHADOW));
  // Gestures need the gesture gallery to choose from.
  ::ShowWindow(::GetDlgItem(m_hWnd, kGesturesButton), SW_HIDE);
  SetDlgItemText(kNameEdit, m_name);
  CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
  UpdateButtons();
  if (m_recipient != 0) {
    ::EnableWindow(::GetDlgItem(m_hWnd, kNameEdit), FALSE);
    GotoDlgCtrl(GetDlgItem(kTextEdit));
  } else {
    GotoDlgCtrl(GetDlgItem(kNameEdit));
  }
  return false;
}

void CSendImDlg::ReadFields() {
  m_name = UrlParamBase::Trim(GetDlgItemText(kNameEdit));
  m_text = UrlParamBase::Trim(GetDlgItemText(kTextEdit));
}

void CSendImDlg::UpdateButtons() {
  const bool named = !m_busy && !m_name.empty();
  ::EnableWindow(::GetDlgItem(m_hWnd, kAvailableButton), named);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), named && !m_text.empty());
}

void CSendImDlg::OnFieldsChanged() {
  ReadFields();
  UpdateButtons();
}

void CSendImDlg::OnAvailable() {
  ReadFields();
  if (!m_busy && !m_name.empty()) StartLookup(true);
}

// Send: a recipient known by identifier gets the message at once; else the
// name is looked up first and the answer sends.
void CSendImDlg::OnOK() {
  if (m_busy) return;
  ReadFields();
  if (m_name.empty() || m_text.empty()) return;
  if (m_recipient == 0) {
    StartLookup(false);
    return;
  }
  Send();
}

void CSendImDlg::StartLookup(bool availability) {
  m_availability = availability;
  m_request = m_app.Whispers().Ims().List().Lookup(m_name, *this);
  if (m_request == 0) return;
  m_busy = true;
  UpdateButtons();
  ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CSendImDlg::Send() {
  if (!m_app.Whispers().Ims().List().SendIm(m_recipient, m_name, m_text, CTvlBlob())) return;
  if (CChatWnd* main = m_app.MainFrame()) main->ResetIdleMinutes();
  DestroyWindow();
}

void CSendImDlg::OnLookupResult(const std::vector<CImLookupResult>& results) {
  m_request = 0;
  const CImLookupDecision decision = DecideImLookup(results, m_name, m_availability);
  switch (decision.outcome) {
    case ImLookupOutcome::kNotFound:
      ShowMessage(kUserNotFoundText);
      break;
    case ImLookupOutcome::kAmbiguous:
      ShowMessage(kMoreThanOneText);
      break;
    case ImLookupOutcome::kAvailable:
      ShowMessage(kAvailableText);
      break;
    case ImLookupOutcome::kOnStage:
      ShowMessage(kOnStageText);
      break;
    case ImLookupOutcome::kSend:
      m_recipient = decision.recipient;
      m_busy = false;
      Send();
      if (!m_hWnd) return;
      break;
  }
  EndBusy();
}

void CSendImDlg::EndBusy() {
  m_busy = false;
  UpdateButtons();
  if (m_name.empty() || ::IsWindowEnabled(::GetDlgItem(m_hWnd, kNameEdit)))
    GotoDlgCtrl(GetDlgItem(kNameEdit));
}

void CSendImDlg::ShowMessage(uint32_t id) {
  if (CPlace* place = m_app.GetRootPlace()) place->ShowMessage(kBlankText, id, {m_name});
}

bool CSendImDlg::OnSetCursor(CWnd*, UINT, UINT) {
  if (!m_busy) return Default() != 0;
  ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  return true;
}

void CSendImDlg::OnCancel() { DestroyWindow(); }

void CSendImDlg::OnDestroy() {
  if (m_request != 0) m_app.Whispers().Ims().List().DropLookup(m_request);
  m_request = 0;
  Default();
}

// Closed by the user or after sending: the person state list lets go and
// this deletes itself. Deleted by the list: nothing more to do.
void CSendImDlg::PostNcDestroy() {
  if (m_deleting) return;
  if (CPersonStateList* states = m_app.GetPersonStateList()) states->ForgetWindow(m_person, this);
  delete this;
}
