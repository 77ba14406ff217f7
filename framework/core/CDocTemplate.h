// A document template: the resource id and the run-time classes of the
// document, its frame and its view, and the documents it made.
#pragma once
#include <vector>

#include "CCmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
 public:
  CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
               const CRuntimeClass* frameClass, const CRuntimeClass* viewClass);
  ~CDocTemplate() override;

  UINT GetResourceId() const { return m_nIDResource; }
  virtual CDocument* CreateNewDocument();
  // A frame loaded from the template's resource id with a view of the
  // template's class on document; null when it cannot be made.
  virtual CFrameWnd* CreateNewFrame(CDocument* document, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, bool makeVisible = true);

  void AddDocument(CDocument* document);
  void RemoveDocument(CDocument* document);
  const std::vector<CDocument*>& GetDocuments() const { return m_documents; }

 private:
  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  std::vector<CDocument*> m_documents;
};

// The program uses one kind of template; the name says how it uses it.
using CMultiDocTemplate = CDocTemplate;
