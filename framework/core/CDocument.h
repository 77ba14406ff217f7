// A document: the data its views show. It takes the commands its views pass
// on, and (unless told otherwise) deletes itself when its last view goes.
#pragma once
#include <string>
#include <vector>

#include "CCmdTarget.h"

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNCREATE(CDocument)

 public:
  ~CDocument() override;

  const std::string& GetTitle() const { return m_title; }
  virtual void SetTitle(const std::string& title);
  virtual bool OnNewDocument();

  void AddView(CView* view);
  void RemoveView(CView* view);
  const std::vector<CView*>& GetViews() const { return m_views; }
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  bool m_bAutoDelete = true;

 private:
  friend class CDocTemplate;
  std::vector<CView*> m_views;
  CDocTemplate* m_pDocTemplate = nullptr;
  std::string m_title;
};
