#include "CAuditoriumSeatsLink.h"

#include "CChatWnd.h"
#include "CPlace.h"
#include "CZrApp.h"
#include "ZrPerson.h"
#include "resource.h"

namespace {

// The value that asks the place for a row's seated members; its answer
// comes back as a seat report under the same value.
constexpr uint32_t kRowQuery = 21;
constexpr uint32_t kMoveMode = 1;
constexpr uint32_t kSeatRowKind = 519;

}  // namespace

// Row i of the place has the identifier of the place + i.
AuditoriumLayout CAuditoriumSeatsLink::Audience() const {
  CPlace* place = m_app.GetRootPlace();
  if (!place) return AuditoriumLayout();
  return AuditoriumLayout(place->GetFirstValue(), place->GetSecondValue(), place->GetLocation(), place->GetId());
}

uint32_t CAuditoriumSeatsLink::LocalId() const {
  CZrPerson* myself = m_app.GetMyself();
  return myself ? myself->GetId() : 0;
}

uint32_t CAuditoriumSeatsLink::LocalRowId() const {
  CZrPerson* myself = m_app.GetMyself();
  const CZrObject* parent = myself ? myself->GetParent() : nullptr;
  return parent && parent->GetKind() == kSeatRowKind ? parent->GetId() : 0;
}

void CAuditoriumSeatsLink::QueryRow(uint32_t rowId) {
  if (CPlace* place = m_app.GetRootPlace()) place->SendRequestEx(kRowQuery, rowId, true, 0, 0);
}

// Only a participating or observing user moves; the indicator waits for
// the place's answer.
void CAuditoriumSeatsLink::MoveIntoRow(uint32_t rowId, int seat) {
  CPlace* place = m_app.GetRootPlace();
  CZrPerson* myself = m_app.GetMyself();
  const unsigned indicator = m_app.GetIndicatorState();
  if (!place || !myself || (indicator != CZrApp::kParticipating && indicator != CZrApp::kObserving)) return;
  m_app.SetIndicatorState(CZrApp::kWaiting);
  const CZrPosition position = seat > 0 ? CZrPosition::Seat(static_cast<uint16_t>(seat)) : CZrPosition();
  place->Request(*myself, rowId, position, kMoveMode);
}

void CAuditoriumSeatsLink::Locate() {
  if (CWnd* frame = m_app.MainFrame()) frame->PostMessage(WM_COMMAND, ID_LOCATE, 0);
}
