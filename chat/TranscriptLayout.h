// The transcript of a chat page as lines and display rows: every line is
// shown with its speaker in a fixed column and its text wrapped at word
// boundaries into the text area, optionally followed by a separator row.
// Only the rows around the visible ones are laid out (about three screens),
// whatever the number of lines; the oldest lines are dropped past the limit.
// Also holds the scroll position, the selection and the copy and save texts.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "TextMeasurer.h"

struct TranscriptLine {
  std::string name;
  std::string text;
  uint32_t colour = 0;
  bool separator = false;  // a separator row follows the line
  std::string separatorText;
  int32_t rowCount = 0;  // rows when last laid out; 0 when not known
};

struct TranscriptRow {
  std::string text;  // padded speaker or blank indent, then a piece of text
  uint32_t colour = 0;
  bool firstRow = false;  // begins its line
  bool leadingBlank = false;  // a blank between words was dropped before it
  bool separator = false;
  int32_t line = 0;  // index of its line
  int32_t part = 0;  // row number inside its line
  int32_t speakerLength = 0;  // characters of the speaker column in text
};

// A character of a row, named by the row's line and part.
struct TranscriptPoint {
  int32_t line = 0;
  int32_t part = 0;
  int32_t ch = 0;
};

class TranscriptLayout {
 public:
  static constexpr size_t kMaxLines = 1000;
  static constexpr size_t kLinesAfterDrop = 500;
  static constexpr int32_t kSpeakerColumnChars = 17;
  static constexpr uint32_t kBlack = 0;

  enum class AddResult { Ignored, Added, Dropped };

  explicit TranscriptLayout(const TextMeasurer& measurer) : m_measurer(measurer) {}

  // The font's average character width and line height (height plus
  // external leading).
  void SetFontMetrics(int32_t averageCharWidth, int32_t lineHeight);
  // Recomputes the geometry; when big enough lays the newest rows out again
  // and shows the end.
  void Resize(int32_t clientWidth, int32_t clientHeight);
  // Colours of separator rows: empty text, and any text in a private room.
  void SetSeparatorColours(uint32_t emptyText, uint32_t privateRoom);
  void SetPrivateRoom(bool privateRoom) { m_privateRoom = privateRoom; }

  // Cleans name and text; a line with either empty after cleaning is ignored.
  AddResult AddLine(const std::string& name, const std::string& text, uint32_t colour);
  // False when nothing was added: no row yet, or the last row is a separator.
  bool AddSeparator(const std::string& text, bool attachToLastLine);
  // Removes a trailing separator, then adds the text attached to the last line.
  bool ReplaceSeparator(const std::string& text);
  void Clear();

  size_t LineCount() const { return m_lines.size(); }
  const TranscriptLine& Line(size_t index) const { return m_lines[index]; }

  // Geometry.
  int32_t Margin() const { return m_margin; }
  int32_t LineHeight() const { return m_lineHeight; }
  int32_t SpeakerColumnWidth() const { return m_speakerWidth; }
  int32_t TextWidth() const { return m_textWidth; }
  int32_t VisibleRowCount() const { return m_visibleRows; }
  bool TooSmall() const { return m_tooSmall; }

  // Scrolling in rows. Rows of lines never laid out count as one each.
  int32_t TotalRows() const;
  int32_t ScrollPosition() const;
  int32_t ScrollMaximum() const;
  bool AtEnd() const { return ScrollPosition() >= ScrollMaximum(); }
  // Moves the first visible row to position (clamped); returns the rows
  // that the view moved by on screen.
  int32_t ScrollTo(int32_t position);
  void ScrollToEnd();

  // Rows laid out now and the row shown on a screen row (null past the end).
  const std::vector<TranscriptRow>& KeptRows() const { return m_rows; }
  const TranscriptRow* VisibleRow(int32_t screenRow) const;

  // Selection. HitTest finds the character under x (pixels from the text's
  // left edge) on a screen row: the longest prefix narrower than x.
  bool HitTest(int32_t screenRow, int32_t x, TranscriptPoint& point) const;
  void BeginSelection(const TranscriptPoint& point);
  void ExtendSelection(const TranscriptPoint& point);
  // Ends a drag; a press without a move selects nothing.
  void EndSelection();
  // Selects the run of letters and digits around the point, or its single
  // character; false when the point is past the row's text.
  bool SelectWordAt(const TranscriptPoint& point);
  void ClearSelection();
  bool Dragging() const { return m_dragging; }
  bool HasSelection() const { return m_hasSelection; }
  // The selected characters [start, end) of a row while dragging or with a
  // selection; false when none of it is selected.
  bool SelectedRange(const TranscriptRow& row, int32_t& start, int32_t& end) const;
  // The selected text: lines joined by CR LF, wrapped rows by one blank.
  std::string SelectionText() const;

  // The save file: every line as speaker, tab, text and CR LF.
  std::string SaveText() const;

 private:
  int32_t Width(const std::string& text) const { return m_measurer.Width(text); }
  std::string PaddedSpeaker(const std::string& name) const;
  size_t FittingCount(const std::string& text) const;
  std::string SeparatorText(const std::string& text) const;
  TranscriptRow SeparatorRow(int32_t line, int32_t part, const std::string& text) const;
  std::vector<TranscriptRow> LayOut(size_t line);

  int32_t EstimatedRows(size_t line) const;
  int32_t RowsBefore(size_t line) const;
  int32_t LastKeptLine() const;
  bool Laidout() const { return !m_rows.empty(); }
  void Append();
  void Prepend();
  size_t RowsOfLine(int32_t line) const;
  void DropFront();
  void DropBack();
  void Fill();
  void Trim();
  void MoveBy(int32_t rows);
  void Rebuild(int32_t position);
  int32_t PullBackPastEnd();
  void ForgetRowCounts();
  bool Before(const TranscriptPoint& a, const TranscriptPoint& b) const;

  const TextMeasurer& m_measurer;
  std::vector<TranscriptLine> m_lines;
  std::vector<TranscriptRow> m_rows;  // whole lines from m_firstLine on
  size_t m_firstLine = 0;
  int32_t m_top = 0;  // index in m_rows of the first visible row

  int32_t m_averageCharWidth = 0;
  int32_t m_lineHeight = 0;
  int32_t m_margin = 0;
  int32_t m_speakerWidth = 0;
  std::string m_blankIndent;
  int32_t m_visibleRows = 0;
  int32_t m_textWidth = 0;
  int32_t m_textAreaWidth = 0;
  bool m_tooSmall = true;

  uint32_t m_emptySeparatorColour = kBlack;
  uint32_t m_privateSeparatorColour = kBlack;
  bool m_privateRoom = false;

  TranscriptPoint m_anchor;
  TranscriptPoint m_end;
  bool m_dragging = false;
  bool m_hasSelection = false;
};
