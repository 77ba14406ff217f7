#include "CTipSchedule.h"

#include "ITipHost.h"
#include "TipTable.h"

namespace {

// Categories shown at start and on entering an auditorium: new states of
// these start off, and they appear only when asked for.
constexpr int kGeneralCategory = 1;
constexpr int kAuditoriumCategory = 3;

bool AskedForOnly(int category) {
  return category == kGeneralCategory || category == kAuditoriumCategory;
}

}  // namespace

int CTipSchedule::NextRow(int category, bool forced) {
  bool tipsAtStart = m_host && m_host->GetTipsAtStart();
  if (!tipsAtStart && !forced && category == kGeneralCategory) return -1;
  if (m_states.empty() && m_host) ParseTipStates(m_host->GetTipState(), m_states);
  if (category < 0 || category > kTipCategoryLast) return -1;
  TipState* state = FindState(category);
  if (state && !state->show && !forced) return -1;
  if (!state) {
    if (AskedForOnly(category) && !forced) return -1;
    m_states.push_back(TipState{category, !AskedForOnly(category), -1});
    state = &m_states.back();
  }
  return FindNextTipRow(category, state->lastRow);
}

void CTipSchedule::RowShown(int category, int row) {
  TipState* state = FindState(category);
  if (!state) return;
  if (m_host) m_host->SetTipsAtStart(state->show);
  state->lastRow = row;
  Save();
}

void CTipSchedule::SetShowFlag(bool show, int category) {
  TipState* state = FindState(category);
  if (!state) return;
  state->show = show;
  Save();
}

const TipState* CTipSchedule::Find(int category) const {
  for (const TipState& state : m_states) {
    if (state.category == category) return &state;
  }
  return nullptr;
}

TipState* CTipSchedule::FindState(int category) {
  return const_cast<TipState*>(static_cast<const CTipSchedule*>(this)->Find(category));
}

void CTipSchedule::Save() {
  if (m_host) m_host->SaveTipState(FormatTipStates(m_states));
}
