#include "CDocTemplate.h"

#include <algorithm>

#include "CCreateContext.h"
#include "CDocument.h"
#include "CFrameWnd.h"

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId),
      m_pDocClass(documentClass),
      m_pFrameClass(frameClass),
      m_pViewClass(viewClass) {}

CDocTemplate::~CDocTemplate() {
  while (!m_documents.empty()) {
    delete m_documents.back();  // removes itself from the list
  }
}

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CDocument))) {
    delete object;
    return nullptr;
  }
  auto* document = static_cast<CDocument*>(object);
  AddDocument(document);
  return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document, CFrameWnd* other) {
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    delete object;
    return nullptr;
  }
  auto* frame = static_cast<CFrameWnd*>(object);
  CCreateContext context;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pCurrentDoc = document;
  context.m_pNewDocTemplate = this;
  context.m_pCurrentFrame = other;
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
    return nullptr;  // the frame deleted itself when its window went
  }
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, bool makeVisible) {
  frame->InitialUpdateFrame(document, makeVisible);
}

void CDocTemplate::AddDocument(CDocument* document) {
  if (std::find(m_documents.begin(), m_documents.end(), document) == m_documents.end()) {
    m_documents.push_back(document);
    document->m_pDocTemplate = this;
  }
}

void CDocTemplate::RemoveDocument(CDocument* document) {
  auto it = std::find(m_documents.begin(), m_documents.end(), document);
  if (it != m_documents.end()) {
    m_documents.erase(it);
    document->m_pDocTemplate = nullptr;
  }
}
