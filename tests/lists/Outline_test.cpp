// The outline's tree, its rows and the row rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "COutlineNode.h"
#include "OutlineOwner.h"
#include "OutlineRowModel.h"
#include "OutlineTree.h"

namespace {

// Items are strings; children sort by text; a node matches its own text.
class NamedOwner : public OutlineOwner {
 public:
  bool sorted = true;
  std::vector<std::string> deleted;
  std::vector<std::string> visited;
  int added = 0;

  void OnNodeAdded(COutlineNode*) override { ++added; }
  int32_t MatchItem(void* item, void* nodeItem) override {
    return item && *Text(item) == *Text(nodeItem);
  }
  int32_t CompareItems(void* a, void* b, int32_t) override {
    return sorted && a && b ? Text(a)->compare(*Text(b)) : 1;
  }
  void OnItemDeleted(void* item) override { deleted.push_back(*Text(item)); }
  void VisitNode(COutlineNode* node) override { visited.push_back(*Text(node->item)); }
  static std::string* Text(void* item) { return static_cast<std::string*>(item); }
};

std::vector<std::string> RowTexts(const OutlineTree& tree) {
  std::vector<std::string> texts;
  for (COutlineNode* node : tree.Rows()) {
    texts.push_back(std::string(node->level, '-') + *NamedOwner::Text(node->item));
  }
  return texts;
}

class OutlineTreeTest : public ::testing::Test {
 protected:
  NamedOwner owner;
  OutlineTree tree{&owner};
  std::string room{"room"}, hall{"hall"}, ann{"ann"}, bob{"bob"}, cy{"cy"}, lost{"lost"};

  void Fill() {
    tree.AddItem(&room, nullptr);
    tree.AddItem(&hall, nullptr);
    tree.AddItem(&cy, &room);
    tree.AddItem(&ann, &room);
    tree.AddItem(&bob, &hall);
    tree.Rebuild();
  }
};

TEST_F(OutlineTreeTest, RowsAreDepthFirstInSiblingOrder) {
  Fill();
  EXPECT_EQ(RowTexts(tree), (std::vector<std::string>{"-hall", "--bob", "-room", "--ann", "--cy"}));
  EXPECT_EQ(owner.added, 5);
}

TEST_F(OutlineTreeTest, BaseOrderKeepsInsertionOrder) {
  owner.sorted = false;
  Fill();
  EXPECT_EQ(RowTexts(tree), (std::vector<std::string>{"-room", "--cy", "--ann", "-hall", "--bob"}));
}

TEST_F(OutlineTreeTest, UnknownParentAddsUnderRoot) {
  Fill();
  std::string nobody = "nobody";
  COutlineNode* node = tree.AddItem(&lost, &nobody);
  EXPECT_EQ(node->parent, tree.Root());
  EXPECT_EQ(node->level, 1);
}

TEST_F(OutlineTreeTest, FindByPointerOrEqualItem) {
  Fill();
  std::string copy = "cy";
  EXPECT_EQ(tree.FindNode(&cy), tree.FindNode(&copy));
  ASSERT_NE(tree.FindNode(&cy), nullptr);
  EXPECT_EQ(tree.FindNode(&lost), nullptr);
  EXPECT_EQ(tree.FindNode(nullptr), nullptr);
}

TEST_F(OutlineTreeTest, DeleteTakesSubtreeChildrenFirstAndRowsFollow) {
  Fill();
  tree.FindNode(&cy)->selected = 1;
  EXPECT_TRUE(tree.DeleteItem(&room));
  EXPECT_EQ(owner.deleted, (std::vector<std::string>{"ann", "cy", "room"}));
  EXPECT_EQ(RowTexts(tree), (std::vector<std::string>{"-hall", "--bob"}));
  EXPECT_FALSE(tree.DeleteItem(&room));
  EXPECT_FALSE(tree.DeleteNode(tree.Root()));

  NamedOwner otherOwner;
  OutlineTree other(&otherOwner);
  COutlineNode* foreign = other.AddItem(&lost, nullptr);
  EXPECT_FALSE(tree.DeleteNode(foreign));
  EXPECT_NE(other.FindNode(&lost), nullptr);
}

TEST_F(OutlineTreeTest, RemoveAllAndDestructionReportEveryItem) {
  Fill();
  tree.RemoveChildren(tree.FindNode(&hall));
  EXPECT_EQ(owner.deleted, (std::vector<std::string>{"bob"}));
  tree.RemoveAll();
  EXPECT_TRUE(tree.Rows().empty());
  EXPECT_EQ(owner.deleted.size(), 5u);
  {
    NamedOwner scoped;
    {
      OutlineTree shortLived(&scoped);
      shortLived.AddItem(&ann, nullptr);
      shortLived.AddItem(&bob, &ann);
    }
    EXPECT_EQ(scoped.deleted, (std::vector<std::string>{"bob", "ann"}));
  }
}

TEST_F(OutlineTreeTest, NotifyAllVisitsChildrenBeforeParents) {
  Fill();
  tree.NotifyAll();
  EXPECT_EQ(owner.visited, (std::vector<std::string>{"bob", "hall", "ann", "cy", "room"}));
}

TEST_F(OutlineTreeTest, AncestorsAndState) {
  Fill();
  COutlineNode* node = tree.FindNode(&ann);
  EXPECT_EQ(node->GetAncestor(0), tree.FindNode(&room));
  EXPECT_EQ(node->GetAncestor(1), tree.FindNode(&room));
  EXPECT_EQ(node->GetAncestor(2), node);
  EXPECT_EQ(node->GetAncestor(3), nullptr);

  node->expanded = 1;
  node->SetState(0);
  EXPECT_EQ(node->expanded, 0);
  node->SetState(COutlineNode::kToggles | COutlineNode::kAlwaysExpanded);
  EXPECT_EQ(node->expanded, 1);
  node->SetState(COutlineNode::kDisabled);
  EXPECT_TRUE(node->IsDisabled());
  EXPECT_FALSE(node->IsFullWidth());
  node->SetState(COutlineNode::kFullWidth);
  EXPECT_TRUE(node->IsFullWidth());
}

TEST_F(OutlineTreeTest, RowSelectionRules) {
  Fill();
  OutlineRowModel rows;
  tree.FindNode(&bob)->selected = 1;
  tree.FindNode(&cy)->selected = 1;
  rows.SetRows(tree.Rows());
  EXPECT_EQ(rows.SelectedRow(), 4);  // the last flagged node

  auto allow = [](int32_t) { return true; };
  tree.FindNode(&hall)->SetState(COutlineNode::kDisabled);
  EXPECT_EQ(rows.Select(0, allow).result, -1);
  EXPECT_EQ(rows.Select(7, allow).result, -1);
  EXPECT_EQ(rows.Select(-1, allow).result, -1);
  EXPECT_EQ(rows.Select(4, [](int32_t) { ADD_FAILURE(); return true; }).result, 4);
  EXPECT_EQ(rows.Select(3, [](int32_t) { return false; }).result, 4);
  EXPECT_EQ(rows.SelectedRow(), 4);

  auto change = rows.Select(3, allow);
  EXPECT_EQ(change.result, 4);
  EXPECT_EQ(change.unflagged, 4);
  EXPECT_EQ(change.flagged, 3);
  EXPECT_EQ(tree.FindNode(&cy)->selected, 0);

  tree.Rebuild();
  rows.SetRows(tree.Rows());
  EXPECT_EQ(rows.Node(rows.SelectedRow())->item, &ann);
  EXPECT_EQ(rows.IndexOf(tree.FindNode(&ann)), 3);
  EXPECT_EQ(rows.IndexOf(nullptr), -1);
}

TEST(OutlineRowModel, HitTestAndScrollTarget) {
  std::vector<std::unique_ptr<COutlineNode>> nodes;
  std::vector<COutlineNode*> raw;
  for (int i = 0; i < 6; ++i) {
    nodes.push_back(std::make_unique<COutlineNode>(nullptr, nullptr, nullptr));
    raw.push_back(nodes.back().get());
  }
  OutlineRowModel rows;
  rows.SetRows(raw);
  // border 6, rows 18 high, top row 2
  EXPECT_EQ(rows.HitTest(3, 6, 18, 2), -1);  // the border above the rows
  EXPECT_EQ(rows.HitTest(6, 6, 18, 2), 2);
  EXPECT_EQ(rows.HitTest(77, 6, 18, 2), 5);
  EXPECT_EQ(rows.HitTest(78, 6, 18, 2), -1);

  EXPECT_EQ(OutlineRowModel::TopRowShowing(3, 2, 3), 2);
  EXPECT_EQ(OutlineRowModel::TopRowShowing(7, 2, 3), 5);
  EXPECT_EQ(OutlineRowModel::TopRowShowing(0, 2, 3), 0);
}

TEST(OutlineRowModel, ImageClickToggles) {
  using Toggle = OutlineRowModel::Toggle;
  COutlineNode node(nullptr, nullptr, nullptr);
  node.SetState(COutlineNode::kToggles);
  EXPECT_EQ(OutlineRowModel::PressImage(&node, 5, 2, 20), Toggle::kExpanded);
  EXPECT_EQ(node.expanded, 1);
  EXPECT_EQ(OutlineRowModel::PressImage(&node, 19, 2, 20), Toggle::kCollapsed);
  EXPECT_EQ(node.expanded, 0);
  EXPECT_EQ(OutlineRowModel::PressImage(&node, 2, 2, 20), Toggle::kNotOnImage);
  EXPECT_EQ(OutlineRowModel::PressImage(&node, 20, 2, 20), Toggle::kNotOnImage);

  node.SetState(COutlineNode::kToggles | COutlineNode::kAlwaysExpanded);
  EXPECT_EQ(OutlineRowModel::PressImage(&node, 5, 2, 20), Toggle::kNone);
  EXPECT_EQ(node.expanded, 1);
  node.SetState(0);
  EXPECT_EQ(OutlineRowModel::PressImage(&node, 5, 2, 20), Toggle::kNotOnImage);
  node.SetState(COutlineNode::kToggles | COutlineNode::kFullWidth);
  EXPECT_EQ(OutlineRowModel::PressImage(&node, 5, 2, 20), Toggle::kNotOnImage);
}

}  // namespace
