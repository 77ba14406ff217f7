// A frame window: loaded from one resource id (menu, accelerator table,
// icon and title string), laid out as bars around a client pane, and the
// router of commands to its active view, the view's document, itself and
// the application.
#pragma once
#include <string>

#include "CCreateContext.h"
#include "CWnd.h"

class CDocument;
class CView;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  CFrameWnd() = default;

  // Creates the frame from resource id of the resource module.
  virtual bool LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                         CCreateContext* context = nullptr);
  bool Create(const char* className, const char* title, DWORD style, const RECT& rect,
              CWnd* parent, UINT id, CCreateContext* context = nullptr) override;

  virtual void RecalcLayout();
  virtual void ActivateFrame(int cmdShow = -1);
  void InitialUpdateFrame(CDocument* document, bool makeVisible);
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* view);
  CDocument* GetActiveDocument() const;

  // The status line text: a string id's prompt, or a text.
  void SetMessageText(UINT id);
  void SetMessageText(const char* text);
  // The prompt of a command: its string up to the first newline.
  virtual std::string GetMessageString(UINT id) const;

  bool TranslateAccelerators(MSG* msg);
  bool OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) override;
  bool PreTranslateMessage(MSG* msg) override;

  HACCEL m_hAccelTable = nullptr;
  UINT m_nIDResource = 0;

 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  void PostNcDestroy() override;
  virtual bool OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
  CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);

  int OnCreate(LPCREATESTRUCT cs);
  void OnSize(UINT type, int cx, int cy);
  void OnSetFocus(CWnd* previous);
  void OnClose();
  void OnDestroy();
  void OnInitMenuPopup(HMENU popup, UINT index, bool systemMenu);
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  LRESULT OnSetMessageString(WPARAM id, LPARAM text);

  DECLARE_MESSAGE_MAP()

 private:
  CView* m_pViewActive = nullptr;
  HICON m_hIcon = nullptr;
  bool m_inRecalcLayout = false;
};
