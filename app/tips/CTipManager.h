// The tips of the day: shows the next tip of a category in a modeless
// dialog and keeps, per category, whether the user wants its tips and which
// tip was shown last.
#pragma once
#include <memory>

#include "CTipSchedule.h"

class CTipDlg;
class ITipHost;

class CTipManager {
 public:
  CTipManager();
  ~CTipManager();
  CTipManager(const CTipManager&) = delete;
  CTipManager& operator=(const CTipManager&) = delete;

  // The application's side; without one, tips at start count as off and
  // nothing is stored.
  void SetHost(ITipHost* host) { m_schedule.SetHost(host); }

  // Shows the next tip of category; forced shows it even when the user
  // turned the category's tips off.
  void ShowTip(int category, bool forced);
  // The dialog's Next Tip: the next tip of the current category in the
  // same dialog.
  void ShowNext();
  void SetShowFlag(bool show, int category) { m_schedule.SetShowFlag(show, category); }
  void SetShowFlag(bool show) { SetShowFlag(show, m_category); }
  // Forgets every category's state.
  void Clear() { m_schedule.Clear(); }
  // Ends an open tip dialog.
  void Close();

  // The dialog of the last tip (its window may be closed); null before.
  CTipDlg* GetDialog() const { return m_dialog.get(); }
  int GetCategory() const { return m_category; }
  const CTipSchedule& Schedule() const { return m_schedule; }

 private:
  bool MakeDialog();

  CTipSchedule m_schedule;
  std::unique_ptr<CTipDlg> m_dialog;
  int m_category = 0;
  bool m_reuseDialog = false;
};
