// "Event Invitee Interaction Queue": the moderator's list of questions and
// comments that hosts queued. Made when the first item arrives, closed when
// the last one is answered or deleted. Modeless; at most one is open.
#pragma once

#include <cstdint>
#include <string>

#include "CDialog.h"
#include "EventQueue.h"
#include "IAuditoriumEventHost.h"

class CEventQueueDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 409;
  static constexpr int kList = 1175;
  static constexpr int kRespond = 1176;
  static constexpr int kDelete = 1177;

  // Adds the item of a host's queue text, opening the dialog for the first
  // item; a text that holds no item changes nothing.
  static void AddItem(CWnd* parent, IAuditoriumEventHost& host, uint32_t sender, const std::string& text);
  static void CloseOpen();
  static CEventQueueDlg* Current() { return s_open; }

  // The item was answered: its line goes, and the dialog with the last one.
  void RemoveItem(size_t index);
  // Tells this dialog from one opened later (its items' indexes are its own).
  unsigned Serial() const { return m_serial; }

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnSelectionChanged();
  void OnRespond();
  void OnDelete();
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  explicit CEventQueueDlg(IAuditoriumEventHost& host);
  void Append(const std::string& text, uint32_t sender);
  // The list line that shows the item at the index; -1 when none does.
  int LineOf(size_t index) const;
  int SelectedLine() const;
  void UpdateButtons();

  static CEventQueueDlg* s_open;
  static unsigned s_lastSerial;
  IAuditoriumEventHost& m_host;
  EventQueue m_queue;
  unsigned m_serial;
};
