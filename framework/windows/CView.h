// A view: a child window that shows a document, takes commands before its
// document does, and deletes itself when its window is destroyed.
#pragma once
#include "CWnd.h"

class CDC;
class CDocument;

class CView : public CWnd {
  DECLARE_DYNCREATE(CView)

 public:
  CDocument* GetDocument() const { return m_pDocument; }

  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  virtual void OnDraw(CDC* dc);
  bool OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) override;

 protected:
  void PostNcDestroy() override;

  int OnCreate(LPCREATESTRUCT cs);
  void OnDestroy();
  void OnPaint();
  void OnSetFocus(CWnd* previous);
  LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

 private:
  friend class CDocument;
  CDocument* m_pDocument = nullptr;
};
