// A bar that records what its item handlers receive and reports the sizes
// a test gives it, and an item placed where a test wants it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "CBarItem.h"
#include "CBarWnd.h"

class TestItem : public CBarItem {
 public:
  TestItem(const RECT& rect, UINT id) {
    m_rect = rect;
    SetId(id);
  }
};

class RecordingBar : public CBarWnd {
 public:
  struct Event {
    std::string kind;
    CBarItem* item;
  };
  std::vector<Event> events;
  int width = 100;
  int height = 20;

  int GetWidth() const override { return width; }
  int GetHeight() const override { return height; }
  void OnItemLButtonDown(CBarItem* item) override { events.push_back({"down", item}); }
  void OnItemLButtonUp(CBarItem* item) override { events.push_back({"up", item}); }
  void OnItemDoubleClick(CBarItem* item) override { events.push_back({"double", item}); }
  void OnItemRButtonDown(CBarItem* item) override { events.push_back({"right", item}); }
  void OnItemMouseMove(CBarItem* item) override { events.push_back({"move", item}); }
};
