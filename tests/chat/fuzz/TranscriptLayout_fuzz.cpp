// Drives the transcript layout with a byte-coded series of operations (lines
// of any bytes, separators, resizes, scrolls, selections) and checks that
// the kept rows stay whole consecutive lines around a valid first row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FixedWidthMeasurer.h"
#include "TranscriptLayout.h"

namespace {

void CheckRows(const TranscriptLayout& layout) {
  const auto& rows = layout.KeptRows();
  for (size_t i = 1; i < rows.size(); ++i) {
    bool sameLine = rows[i].line == rows[i - 1].line && rows[i].part == rows[i - 1].part + 1;
    bool nextLine = rows[i].line == rows[i - 1].line + 1 && rows[i].part == 0;
    if (!sameLine && !nextLine) {
      std::abort();
    }
  }
  if (!rows.empty() && (rows.front().part != 0 || !layout.VisibleRow(0) ||
                        rows.back().line >= static_cast<int32_t>(layout.LineCount()))) {
    std::abort();
  }
  if (layout.ScrollPosition() < 0 || layout.ScrollPosition() > layout.ScrollMaximum()) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FixedWidthMeasurer measurer(3);
  TranscriptLayout layout(measurer);
  layout.SetFontMetrics(3, 5);
  layout.Resize(120, 60);
  size_t i = 0;
  auto next = [&]() -> uint8_t { return i < size ? data[i++] : 0; };
  auto text = [&]() {
    size_t length = next() % 48;
    std::string s;
    while (length-- > 0 && i < size) {
      s.push_back(static_cast<char>(next()));
    }
    return s;
  };
  while (i < size) {
    switch (next() % 9) {
      case 0: case 1: {
        std::string name = text();
        layout.AddLine(name, text(), 0);
        break;
      }
      case 2:
        layout.AddSeparator(text(), next() & 1);
        break;
      case 3:
        layout.ReplaceSeparator(text());
        break;
      case 4:
        layout.Resize(next() * 2, next());
        break;
      case 5:
        layout.ScrollTo(layout.ScrollPosition() + static_cast<int8_t>(next()));
        break;
      case 6: {
        TranscriptPoint point;
        if (layout.HitTest(next() % 8, next(), point)) {
          layout.BeginSelection(point);
          if (layout.HitTest(next() % 8, next(), point)) {
            layout.ExtendSelection(point);
          }
          layout.EndSelection();
        }
        break;
      }
      case 7: {
        TranscriptPoint point;
        if (layout.HitTest(next() % 8, next(), point)) {
          layout.SelectWordAt(point);
        }
        break;
      }
      default:
        layout.SelectionText();
        layout.SaveText();
        break;
    }
    CheckRows(layout);
  }
  return 0;
}
