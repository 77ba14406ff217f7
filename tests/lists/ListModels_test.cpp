// Row, column and scroll bookkeeping of the item list.
#include <gtest/gtest.h>

#include <vector>

#include "ItemListModel.h"
#include "ListHeaderModel.h"
#include "ListScrollState.h"

namespace {

int32_t ByValue(int32_t key, void* a, void* b) {
  int32_t x = *static_cast<int*>(a);
  int32_t y = *static_cast<int*>(b);
  return key == 1 ? y - x : x - y;  // key 1 sorts descending
}

std::vector<int> Values(const ItemListModel& model) {
  std::vector<int> values;
  for (int32_t i = 0; i < model.Count(); ++i) {
    values.push_back(*static_cast<int*>(model.Object(i)));
  }
  return values;
}

TEST(ItemListModel, InsertKeepsSortedOrderFromAnyStart) {
  std::vector<std::vector<int>> orders = {
      {5, 3, 9, 1, 7}, {1, 2, 3, 4, 5, 6}, {6, 5, 4, 3, 2, 1}, {4, 4, 2, 4, 9, 2}, {8}};
  for (const auto& order : orders) {
    std::vector<int> values = order;
    ItemListModel model(ByValue);
    model.SetSortKey(0);
    for (int& v : values) {
      model.Insert(&v);
    }
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Values(model), sorted);
  }
}

TEST(ItemListModel, BaseCompareAppendsAfterTheProbedRow) {
  ItemListModel model([](int32_t, void*, void*) { return 1; });
  int a = 1, b = 2, c = 3, d = 4;
  EXPECT_EQ(model.Insert(&a), 0);
  EXPECT_EQ(model.Insert(&b), 1);
  EXPECT_EQ(model.Insert(&c), 2);
  EXPECT_EQ(model.Insert(&d), 3);
  EXPECT_EQ(Values(model), (std::vector<int>{1, 2, 3, 4}));
}

TEST(ItemListModel, SortByKeyKeepsSelectionOnItsRecord) {
  std::vector<int> values = {3, 1, 2};
  ItemListModel model(ByValue);
  model.SetSortKey(0);
  for (int& v : values) {
    model.Insert(&v);
  }
  model.Select(0, nullptr);  // value 1
  model.SetSortKey(1);
  ASSERT_TRUE(model.Sort());
  EXPECT_EQ(Values(model), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(model.Selected(), 2);
  EXPECT_EQ(*static_cast<int*>(model.Object(model.Selected())), 1);
}

TEST(ItemListModel, SortOfEmptyListOrDuringAnotherSortDoesNothing) {
  ItemListModel empty(ByValue);
  EXPECT_FALSE(empty.Sort());

  std::vector<int> values = {2, 1};
  ItemListModel inner(ByValue);
  for (int& v : values) {
    inner.Insert(&v);
  }
  bool innerSorted = true;
  ItemListModel outer([&](int32_t key, void* a, void* b) {
    innerSorted = inner.Sort();
    return ByValue(key, a, b);
  });
  for (int& v : values) {
    outer.Insert(&v);
  }
  EXPECT_TRUE(outer.Sort());
  EXPECT_FALSE(innerSorted);
  EXPECT_TRUE(inner.Sort());
}

TEST(ItemListModel, InconsistentCompareStaysInBounds) {
  std::vector<int> values(200);
  ItemListModel model([](int32_t, void* a, void* b) { return a < b ? 1 : (a > b ? 1 : 0); });
  for (int& v : values) {
    model.Insert(&v);
  }
  EXPECT_TRUE(model.Sort());
  EXPECT_EQ(model.Count(), 200);
}

TEST(ItemListModel, SelectRules) {
  std::vector<int> values = {0, 1, 2, 3};
  ItemListModel model(ByValue);
  model.SetSortKey(0);
  for (int& v : values) {
    model.Insert(&v);
  }
  model.Record(2)->flags |= ItemListModel::kFlagInert;

  auto first = model.Select(1, nullptr);
  EXPECT_EQ(first.result, -1);
  EXPECT_EQ(first.flagged, 1);

  auto again = model.Select(1, [](int32_t) { ADD_FAILURE() << "asked again"; return true; });
  EXPECT_EQ(again.result, 1);
  EXPECT_EQ(again.flagged, -1);

  auto inert = model.Select(2, nullptr);
  EXPECT_EQ(inert.result, 1);
  EXPECT_EQ(model.Selected(), 1);

  auto refused = model.Select(3, [](int32_t) { return false; });
  EXPECT_EQ(refused.result, 1);
  EXPECT_EQ(model.Selected(), 1);

  auto moved = model.Select(3, nullptr);
  EXPECT_EQ(moved.result, 1);
  EXPECT_EQ(moved.unflagged, 1);
  EXPECT_EQ(model.Selected(), 3);
  EXPECT_EQ(model.Record(1)->selected, 0);

  for (int32_t bad : {-1, 4, 1000}) {
    EXPECT_EQ(model.Select(bad, nullptr).result, -1) << bad;
  }
  EXPECT_EQ(model.Selected(), 3);
}

TEST(ItemListModel, RemoveOutOfRangeLeavesRowsAlone) {
  std::vector<int> values = {1, 2};
  ItemListModel model(ByValue);
  for (int& v : values) {
    model.Insert(&v);
  }
  EXPECT_EQ(model.Remove(-1), nullptr);
  EXPECT_EQ(model.Remove(2), nullptr);
  EXPECT_EQ(model.Record(2), nullptr);
  EXPECT_EQ(model.Object(-1), nullptr);
  auto removed = model.Remove(0);
  ASSERT_NE(removed, nullptr);
  EXPECT_EQ(model.Count(), 1);
}

TEST(ItemListModel, WidestFollowsRows) {
  std::vector<int> values = {1, 2};
  ItemListModel model(ByValue);
  model.SetSortKey(0);
  for (int& v : values) {
    model.Insert(&v);
  }
  model.Record(0)->width = 40;
  model.Record(1)->width = 90;
  EXPECT_TRUE(model.Widen(90));
  EXPECT_FALSE(model.Widen(50));
  model.Remove(1);
  model.RecomputeWidest();
  EXPECT_EQ(model.Widest(), 40);
}

TEST(ItemListModel, HitTest) {
  struct Case {
    int32_t y, top, count, want;
  };
  // rows from y 20, 10 px high, 5 whole rows visible
  const Case cases[] = {{19, 0, 50, -1}, {20, 0, 50, 0},  {29, 0, 50, 0},   {30, 3, 50, 4},
                        {69, 3, 50, 7},  {70, 3, 50, -1}, {45, 0, 2, -1},  {35, 0, 2, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(ItemListModel::HitTest(c.y, 20, 10, 5, c.top, c.count), c.want) << c.y;
  }
}

TEST(ListScrollState, StepsAndClamps) {
  struct Case {
    int32_t request, track, want;
  };
  ListScrollState bar;
  bar.maximum = 20;
  bar.position = 5;
  bar.page = 8;
  const Case cases[] = {
      {ListScrollState::kLineUp, 0, -1},       {ListScrollState::kLineDown, 0, 1},
      {ListScrollState::kPageUp, 0, -5},       {ListScrollState::kPageDown, 0, 8},
      {ListScrollState::kThumbPosition, 17, 0}, {ListScrollState::kThumbTrack, 17, 12},
      {ListScrollState::kThumbTrack, 99, 15},  {ListScrollState::kTop, 0, -5},
      {ListScrollState::kBottom, 0, 15},       {8, 0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(bar.Step(c.request, c.track), c.want) << c.request;
  }
  bar.line = 0;
  bar.page = 0;
  EXPECT_EQ(bar.Step(ListScrollState::kLineDown, 0), 1);
  EXPECT_EQ(bar.Step(ListScrollState::kPageUp, 0), -1);
}

TEST(ListScrollState, NegativeRangeCountsAsZero) {
  ListScrollState bar;
  bar.maximum = 10;
  bar.position = 7;
  bar.SetMaximum(4);
  EXPECT_EQ(bar.position, 4);
  bar.SetMaximum(-3);
  EXPECT_EQ(bar.maximum, 0);
  EXPECT_EQ(bar.position, 0);
  EXPECT_EQ(bar.Step(ListScrollState::kLineDown, 0), 0);
  EXPECT_EQ(bar.Step(ListScrollState::kBottom, 0), 0);
  EXPECT_EQ(bar.Clamp(5), 0);
}

TEST(ListHeaderModel, LastColumnReachesRightEdge) {
  ListHeaderModel header;
  header.Add(7, "Name", 40, 6);
  header.Add(8, "Size", 30, 6);
  EXPECT_EQ(header.Columns()[0].text, "  Name  ");
  header.Layout(200, 15);
  const ListColumn* name = header.Find(7);
  const ListColumn* size = header.Find(8);
  ASSERT_TRUE(name && size);
  EXPECT_EQ(name->right, 43);
  EXPECT_EQ(size->left, 43);
  EXPECT_EQ(size->right, 200);
  EXPECT_EQ(size->bottom, 15);
  EXPECT_EQ(header.Find(9), nullptr);
  EXPECT_EQ(header.ColumnAt(42), 0);
  EXPECT_EQ(header.ColumnAt(199), 1);
  EXPECT_EQ(header.ColumnAt(200), -1);
  header.Layout(50, 15);  // narrower than the columns: widths hold
  EXPECT_EQ(header.Find(8)->right, 76);
}

TEST(ListHeaderModel, ClickSortsOnlyWhenReleasedOverAnotherKey) {
  ListHeaderModel header;
  header.Add(1, "A", 10, 2);
  header.Add(2, "B", 10, 2);
  EXPECT_TRUE(header.Choose(1));
  EXPECT_FALSE(header.Choose(1));

  ASSERT_TRUE(header.Press(1));
  EXPECT_EQ(header.Columns()[1].state, 0);
  EXPECT_TRUE(header.Track(false));
  EXPECT_EQ(header.Columns()[1].state, 1);
  EXPECT_FALSE(header.Track(false));
  EXPECT_TRUE(header.Track(true));
  EXPECT_EQ(header.Release(false), -1);
  EXPECT_EQ(header.Columns()[1].state, 1);

  header.Press(1);
  EXPECT_EQ(header.Release(true), 1);
  EXPECT_EQ(header.Release(true), -1);
  EXPECT_FALSE(header.Press(5));
}

}  // namespace
