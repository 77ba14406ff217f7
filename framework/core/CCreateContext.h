// What a frame needs to create its client: the view class and the document
// the views show.
#pragma once

struct CRuntimeClass;
class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

struct CCreateContext {
  const CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};
