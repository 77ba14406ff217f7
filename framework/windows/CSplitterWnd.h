// A static splitter: a fixed grid of panes (any window class that can be
// created at run time, frames included) separated by bars the user drags.
// Rows and columns take their ideal sizes in order; the last takes the rest.
#pragma once
#include <vector>

#include "CWnd.h"

struct CCreateContext;

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)

 public:
  bool CreateStatic(CWnd* parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                    UINT id = AFX_IDW_PANE_FIRST);
  // Creates pane (row, col) from paneClass; initialSize gives the ideal
  // width of its column and height of its row.
  virtual bool CreateView(int row, int col, const CRuntimeClass* paneClass, SIZE initialSize,
                          CCreateContext* context);

  int GetRowCount() const { return static_cast<int>(m_rows.size()); }
  int GetColumnCount() const { return static_cast<int>(m_cols.size()); }
  // Sizes may be zero or negative: such a pane is collapsed.
  void SetColumnInfo(int col, int ideal, int min);
  void GetColumnInfo(int col, int& current, int& min) const;
  void SetRowInfo(int row, int ideal, int min);
  void GetRowInfo(int row, int& current, int& min) const;
  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const;
  virtual void RecalcLayout();

  // Width of the bars between panes.
  static constexpr int kBarSize = 6;

 protected:
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  void OnLButtonDown(UINT flags, POINT point);
  // While a bar is dragged, moves it to point; derived splitters may
  // refuse moves by not calling this.
  virtual void OnMouseMove(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnCancelMode();

  DECLARE_MESSAGE_MAP()

 private:
  struct Track {
    int ideal;
    int min;
    int current;
  };
  // A bar under point: column bars are vertical lines.
  bool HitBar(POINT point, bool& columnBar, int& index) const;
  static void Layout(std::vector<Track>& tracks, int extent);
  // Where the pane before bar index starts, along the tracked direction.
  int TrackStart(int index) const;
  void StopTracking();

  std::vector<Track> m_rows;
  std::vector<Track> m_cols;
  bool m_tracking = false;
  bool m_trackingColumn = false;
  int m_trackIndex = 0;
  int m_grabOffset = 0;  // from the bar's start to where it was grabbed
};
