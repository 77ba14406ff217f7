// A tree list: an invisible tree of nodes holding the owner's items, shown
// as rows in an owner-drawn scrolling list window. Subclasses draw the rows,
// order siblings, decide what may be selected and react to clicks,
// expansion and collapse.
#pragma once
#include <cstdint>
#include <string>

#include "COutlineList.h"
#include "COutlineNode.h"
#include "CWnd.h"
#include "OutlineOwner.h"
#include "OutlineTree.h"

class CDC;

class COutlineCtrl : public CWnd, public OutlineOwner {
 public:
  COutlineCtrl();
  ~COutlineCtrl() override;

  // Creates the list window as a child of parent. With overControl, it takes
  // the place of the dialog control controlId, which is destroyed; otherwise
  // it goes at rect (10 x 10 when empty). cursorId 0 gives the arrow.
  bool Create(CWnd* parent, UINT controlId, bool overControl, UINT cursorId,
              const RECT& rect = RECT{});

  COutlineNode* AddItem(void* item, void* parentItem, bool refresh);
  COutlineNode* FindNode(void* item) { return m_tree.FindNode(item); }
  void DeleteItem(void* item, bool refresh);
  void DeleteNode(COutlineNode* node, bool refresh);
  void RemoveChildren(COutlineNode* node, bool refresh);
  void RemoveAll(bool refresh);
  void NotifyAll() { m_tree.NotifyAll(); }
  void* GetItemAt(int32_t row) const;
  void Refresh();
  COutlineNode* Root() { return m_tree.Root(); }
  COutlineList& List() { return m_list; }

  // Set by the list when it is created: its font's average character width
  // and 16 times it.
  int32_t m_charWidth = 0;
  int32_t m_pageWidth = 0;

  // Run by the list.
  virtual void PaintPass(CDC* /*dc*/, const RECT& /*row*/, COutlineNode* /*node*/,
                         int32_t /*value*/, void* /*object*/) {}
  virtual void DrawRowContent(CDC* /*dc*/, const RECT& /*rect*/, COutlineNode* /*node*/) {}
  virtual bool MaySelect(int32_t /*row*/) { return true; }
  virtual void OnExpanded(COutlineNode* /*node*/) {}
  virtual void OnCollapsed(COutlineNode* /*node*/) {}
  virtual void OnClicked(COutlineNode* /*node*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnDoubleClicked(COutlineNode* /*node*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnRightButtonDown(COutlineNode* /*node*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnRightDoubleClicked(COutlineNode* /*node*/, int32_t /*x*/, int32_t /*y*/) {}

  // What the list tells a reader (an accessibility tool, a test) about a
  // row through the list box queries: its text and the owner's flag bits.
  virtual std::string RowText(COutlineNode* /*node*/) { return std::string(); }
  virtual uint32_t RowFlags(COutlineNode* /*node*/) { return 0; }

 private:
  void HandRowsToList(bool refresh);

  OutlineTree m_tree;
  COutlineList m_list;
};
