// A window showing both owner-drawn lists filled with sample rows: the item
// list sorted by size with one row selected, and the outline with one group
// expanded and one member selected.
#include <windows.h>

#include <memory>

#include "CWinApp.h"
#include "ListResources.h"
#include "ListWindows.h"

namespace {

class DemoHost : public HostWnd {
 public:
  SizeList items;
  GroupOutline outline;
  std::vector<std::unique_ptr<Entry>> entries;

  Entry* Make(const char* name, int32_t size) {
    entries.push_back(std::make_unique<Entry>(Entry{name, size}));
    return entries.back().get();
  }

  bool Fill() {
    if (!items.Create(this, 0, RECT{10, 10, 300, 230}) ||
        !outline.Create(this, 0, false, 0, RECT{310, 10, 540, 230})) {
      return false;
    }
    items.AddColumn(SizeList::kNameKey, "Name", false);
    items.AddColumn(SizeList::kSizeKey, "Size", true);
    const char* names[] = {"Harbour", "Lantern Hall", "Orchard", "Quarry", "Atrium",
                           "Bridge", "Cellar", "Dome", "Glasshouse", "Tower"};
    int32_t size = 7;
    for (const char* name : names) {
      items.AddItem(Make(name, size));
      size = (size * 13 + 5) % 97;
    }
    items.Select(3);

    outline.List().LoadRowBitmap(IDB_EXPAND);
    outline.List().SetImagePlace(2, 0, 11);
    outline.AddGroup(Make("Guides", 0), {Make("Ada", 0), Make("Bo", 0)});
    COutlineNode* visitors =
        outline.AddGroup(Make("Visitors", 0), {Make("Cleo", 0), Make("Dev", 0), Make("Eun", 0)});
    outline.AddGroup(Make("Away", 0), {Make("Fay", 0)});
    outline.Refresh();
    visitors->expanded = 1;
    for (Entry* member : outline.members[1]) {
      visitors->InsertChild(member);
    }
    outline.Refresh();
    outline.List().SelectRow(3);
    return true;
  }
};

class ListsDemoApp : public CWinApp {
 public:
  ListsDemoApp() : CWinApp("Lists Demo") {}

  bool InitInstance() override {
    auto* host = new DemoHost;
    if (!host->Create("Lists", 560, 280) || !host->Fill()) {
      return false;
    }
    m_pMainWnd = host;
    return true;
  }
};

ListsDemoApp g_app;

}  // namespace
