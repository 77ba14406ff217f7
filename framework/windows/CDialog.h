// A dialog from a template in the resource module: modal (with a message
// loop of its own that keeps every window of the thread served), modeless,
// or a child pane (a DS_CONTROL | WS_CHILD template); with data exchange.
#pragma once
#include "CWnd.h"

class CDataExchange;

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);

  // Runs the dialog; returns the code given to EndDialog, or -1 when the
  // dialog could not be made.
  virtual INT_PTR DoModal();
  // Creates a modeless dialog (a child pane when the template says so).
  virtual bool Create(UINT templateId, CWnd* parent = nullptr);
  using CWnd::Create;
  void EndDialog(int result);

  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  // Moves data between the controls and the members; false (with a
  // message shown and the focus on the control at fault) when a control
  // holds a value the members cannot take.
  bool UpdateData(bool saveAndValidate = true);
  void GotoDlgCtrl(CWnd* control);
  bool PreTranslateMessage(MSG* msg) override;
  bool OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) override;

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 protected:
  virtual void DoDataExchange(CDataExchange* dx);
  bool CreateFromTemplate(UINT templateId, HWND parent);
  LRESULT OnInitDialogMessage(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

 private:
  void RunModalLoop();

  bool m_inModalLoop = false;
  bool m_endModal = false;
  int m_modalResult = -1;
};
