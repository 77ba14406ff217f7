#include "TranscriptLayout.h"

#include <algorithm>
#include <cctype>
#include <numeric>

#include "ChatTextCleaner.h"

void TranscriptLayout::SetFontMetrics(int32_t averageCharWidth, int32_t lineHeight) {
  m_averageCharWidth = std::max<int32_t>(averageCharWidth, 1);
  m_lineHeight = std::max<int32_t>(lineHeight, 1);
  m_margin = m_averageCharWidth;
  m_speakerWidth = kSpeakerColumnChars * m_averageCharWidth;
  m_blankIndent.clear();
  while (Width(m_blankIndent) <= m_speakerWidth) {
    m_blankIndent.push_back(' ');
  }
}

void TranscriptLayout::Resize(int32_t clientWidth, int32_t clientHeight) {
  if (m_lineHeight <= 0) {
    return;
  }
  m_visibleRows = std::max<int32_t>((clientHeight - 2 * m_margin) / m_lineHeight, 0);
  m_textWidth = clientWidth - 2 * m_margin;
  m_textAreaWidth = m_textWidth - m_speakerWidth;
  m_tooSmall = m_textWidth < m_speakerWidth + 2 * m_margin || m_visibleRows <= 0;
  m_rows.clear();
  m_top = 0;
  ClearSelection();
  ForgetRowCounts();
  if (!m_tooSmall) {
    ScrollToEnd();
  }
}

void TranscriptLayout::SetSeparatorColours(uint32_t emptyText, uint32_t privateRoom) {
  m_emptySeparatorColour = emptyText;
  m_privateSeparatorColour = privateRoom;
}

TranscriptLayout::AddResult TranscriptLayout::AddLine(const std::string& name,
                                                      const std::string& text,
                                                      uint32_t colour) {
  TranscriptLine line;
  line.name = CleanChatText(name);
  line.text = CleanChatText(text);
  line.colour = colour;
  if (line.name.empty() || line.text.empty()) {
    return AddResult::Ignored;
  }
  bool wasAtEnd = AtEnd();
  bool endKept = Laidout() && LastKeptLine() + 1 == static_cast<int32_t>(m_lines.size());
  m_lines.push_back(std::move(line));
  if (m_lines.size() > kMaxLines) {
    m_lines.erase(m_lines.begin(), m_lines.end() - kLinesAfterDrop);
    m_rows.clear();
    ClearSelection();
    ScrollToEnd();
    return AddResult::Dropped;
  }
  if (m_tooSmall) {
    return AddResult::Added;
  }
  if (!Laidout() || endKept) {
    Append();
  }
  if (wasAtEnd) {
    ScrollToEnd();
  } else {
    Trim();
  }
  return AddResult::Added;
}

bool TranscriptLayout::AddSeparator(const std::string& text, bool attachToLastLine) {
  if (m_lines.empty() || !Laidout() || m_rows.back().separator) {
    return false;
  }
  bool endKept = LastKeptLine() + 1 == static_cast<int32_t>(m_lines.size());
  TranscriptLine& last = m_lines.back();
  if (last.separator) {
    return false;
  }
  if (attachToLastLine) {
    last.separator = true;
    last.separatorText = text;
  }
  if (!endKept) {
    return true;
  }
  bool wasAtEnd = AtEnd();
  int32_t line = m_rows.back().line;
  m_rows.push_back(SeparatorRow(line, m_rows.back().part + 1, text));
  last.rowCount = static_cast<int32_t>(RowsOfLine(line));
  if (wasAtEnd) {
    ScrollToEnd();
  }
  return true;
}

bool TranscriptLayout::ReplaceSeparator(const std::string& text) {
  if (Laidout() && m_rows.back().separator &&
      LastKeptLine() + 1 == static_cast<int32_t>(m_lines.size())) {
    m_rows.pop_back();
    m_top = std::min<int32_t>(m_top, static_cast<int32_t>(m_rows.size()) - 1);
  }
  if (!m_lines.empty()) {
    TranscriptLine& last = m_lines.back();
    last.separator = false;
    last.separatorText.clear();
    if (Laidout()) {
      last.rowCount = static_cast<int32_t>(RowsOfLine(static_cast<int32_t>(m_lines.size()) - 1));
    }
  }
  return AddSeparator(text, true);
}

void TranscriptLayout::Clear() {
  m_lines.clear();
  m_rows.clear();
  m_firstLine = 0;
  m_top = 0;
  ClearSelection();
}

std::string TranscriptLayout::PaddedSpeaker(const std::string& name) const {
  std::string speaker = name;
  if (Width(speaker) > m_speakerWidth) {
    while (!speaker.empty() && Width(speaker + "..") >= m_speakerWidth) {
      speaker.pop_back();
    }
    speaker += "..";
  }
  while (Width(speaker) <= m_speakerWidth) {
    speaker.push_back(' ');
  }
  return speaker;
}

size_t TranscriptLayout::FittingCount(const std::string& text) const {
  auto fits = [&](size_t count) { return m_measurer.Width(text, count) <= m_textAreaWidth; };
  size_t guess = std::min<size_t>(
      text.size(), static_cast<size_t>(std::max<int32_t>(2 * m_textAreaWidth / m_averageCharWidth, 1)));
  size_t fitting = 0;            // a count known to fit
  size_t tooWide = text.size() + 1;  // a count known not to fit
  if (fits(guess)) {
    fitting = guess;
  } else {
    tooWide = guess;
  }
  while (tooWide - fitting > 1) {
    size_t middle = fitting + (tooWide - fitting) / 2;
    if (fits(middle)) {
      fitting = middle;
    } else {
      tooWide = middle;
    }
  }
  // A character wider than the whole area still goes on a row of its own.
  return std::max<size_t>(fitting, 1);
}

std::string TranscriptLayout::SeparatorText(const std::string& text) const {
  int32_t free = m_textWidth - Width(text);
  if (free <= 0) {
    return text;
  }
  std::string front;
  while (Width(front + "-") <= free / 2) {
    front.push_back('-');
  }
  std::string dashes = front;
  std::string back;
  if (text.empty()) {
    // A plain rule runs just past the row's end; drawing clips it.
    while (Width(dashes) <= m_textWidth) {
      dashes.push_back('-');
      back.push_back('-');
    }
  } else {
    while (Width(dashes + "-") <= free) {
      dashes.push_back('-');
      back.push_back('-');
    }
  }
  return front + text + back;
}

TranscriptRow TranscriptLayout::SeparatorRow(int32_t line, int32_t part,
                                             const std::string& text) const {
  TranscriptRow row;
  row.text = SeparatorText(text);
  if (text.empty()) {
    row.colour = m_emptySeparatorColour;
  } else {
    row.colour = m_privateRoom ? m_privateSeparatorColour : kBlack;
  }
  row.separator = true;
  row.line = line;
  row.part = part;
  return row;
}

std::vector<TranscriptRow> TranscriptLayout::LayOut(size_t index) {
  TranscriptLine& line = m_lines[index];
  std::vector<TranscriptRow> rows;
  std::string speaker = PaddedSpeaker(line.name);
  std::string rest = line.text;
  bool leadingBlank = false;
  while (!rest.empty()) {
    if (rest.front() == ' ') {
      rest.erase(0, 1);
      leadingBlank = true;
      if (rest.empty()) {
        break;
      }
    }
    size_t count = FittingCount(rest);
    if (count < rest.size() && rest[count] != ' ') {
      size_t blank = rest.rfind(' ', count - 1);
      if (blank != std::string::npos && blank > 0) {
        count = blank;
      }
    }
    TranscriptRow row;
    bool first = rows.empty();
    const std::string& column = first ? speaker : m_blankIndent;
    row.text = column + rest.substr(0, count);
    row.colour = line.colour;
    row.firstRow = first;
    row.leadingBlank = leadingBlank;
    row.line = static_cast<int32_t>(index);
    row.part = static_cast<int32_t>(rows.size());
    row.speakerLength = static_cast<int32_t>(column.size());
    rows.push_back(std::move(row));
    rest.erase(0, count);
    leadingBlank = false;
  }
  if (line.separator) {
    rows.push_back(SeparatorRow(static_cast<int32_t>(index), static_cast<int32_t>(rows.size()),
                                line.separatorText));
  }
  line.rowCount = static_cast<int32_t>(rows.size());
  return rows;
}

int32_t TranscriptLayout::EstimatedRows(size_t line) const {
  return std::max<int32_t>(m_lines[line].rowCount, 1);
}

int32_t TranscriptLayout::RowsBefore(size_t line) const {
  int32_t rows = 0;
  for (size_t i = 0; i < line && i < m_lines.size(); ++i) {
    rows += EstimatedRows(i);
  }
  return rows;
}

int32_t TranscriptLayout::TotalRows() const {
  return RowsBefore(m_lines.size());
}

int32_t TranscriptLayout::ScrollPosition() const {
  return Laidout() ? RowsBefore(m_firstLine) + m_top : 0;
}

int32_t TranscriptLayout::ScrollMaximum() const {
  return std::max<int32_t>(TotalRows() - m_visibleRows, 0);
}

int32_t TranscriptLayout::LastKeptLine() const {
  return Laidout() ? m_rows.back().line : -1;
}

void TranscriptLayout::Append() {
  size_t line = Laidout() ? static_cast<size_t>(LastKeptLine() + 1) : m_firstLine;
  if (line >= m_lines.size()) {
    return;
  }
  if (!Laidout()) {
    m_firstLine = line;
    m_top = 0;
  }
  std::vector<TranscriptRow> rows = LayOut(line);
  m_rows.insert(m_rows.end(), rows.begin(), rows.end());
}

void TranscriptLayout::Prepend() {
  if (!Laidout() || m_firstLine == 0) {
    return;
  }
  std::vector<TranscriptRow> rows = LayOut(m_firstLine - 1);
  m_rows.insert(m_rows.begin(), rows.begin(), rows.end());
  m_top += static_cast<int32_t>(rows.size());
  --m_firstLine;
}

size_t TranscriptLayout::RowsOfLine(int32_t line) const {
  return static_cast<size_t>(std::count_if(m_rows.begin(), m_rows.end(),
                                           [line](const TranscriptRow& r) { return r.line == line; }));
}

void TranscriptLayout::DropFront() {
  size_t count = RowsOfLine(static_cast<int32_t>(m_firstLine));
  m_rows.erase(m_rows.begin(), m_rows.begin() + static_cast<std::ptrdiff_t>(count));
  m_top -= static_cast<int32_t>(count);
  ++m_firstLine;
}

void TranscriptLayout::DropBack() {
  size_t count = RowsOfLine(LastKeptLine());
  m_rows.erase(m_rows.end() - static_cast<std::ptrdiff_t>(count), m_rows.end());
}

// Lays out one screen of rows above the visible ones and one below them.
void TranscriptLayout::Fill() {
  size_t before = m_rows.size() + 1;
  while (m_rows.size() != before &&
         static_cast<int32_t>(m_rows.size()) - m_top < 2 * m_visibleRows) {
    before = m_rows.size();
    Append();
  }
  while (m_firstLine > 0 && m_top < m_visibleRows) {
    Prepend();
  }
}

// Drops whole lines outside the visible rows while more than three screens
// of rows are kept, from the side that has more of them.
void TranscriptLayout::Trim() {
  const size_t limit = 3 * static_cast<size_t>(m_visibleRows);
  while (m_rows.size() > limit) {
    int32_t above = m_top;
    int32_t below = static_cast<int32_t>(m_rows.size()) - m_top - m_visibleRows;
    bool canFront = static_cast<int32_t>(RowsOfLine(static_cast<int32_t>(m_firstLine))) <= above;
    bool canBack = m_rows.size() - RowsOfLine(LastKeptLine()) >=
                   static_cast<size_t>(m_top + m_visibleRows);
    if (canFront && (above >= below || !canBack)) {
      DropFront();
    } else if (canBack && RowsOfLine(LastKeptLine()) < m_rows.size()) {
      DropBack();
    } else {
      break;
    }
  }
}

void TranscriptLayout::MoveBy(int32_t rows) {
  if (rows > 0) {
    size_t before = 0;
    while (m_rows.size() != before &&
           m_top + rows + m_visibleRows > static_cast<int32_t>(m_rows.size())) {
      before = m_rows.size();
      Append();
    }
  } else {
    while (m_firstLine > 0 && m_top + rows < 0) {
      Prepend();
    }
  }
  m_top = std::clamp<int32_t>(m_top + rows, 0, static_cast<int32_t>(m_rows.size()) - 1);
  Fill();
  Trim();
}

void TranscriptLayout::Rebuild(int32_t position) {
  m_rows.clear();
  m_top = 0;
  size_t line = 0;
  int32_t before = 0;
  while (line + 1 < m_lines.size() && before + EstimatedRows(line) <= position) {
    before += EstimatedRows(line);
    ++line;
  }
  m_firstLine = line;
  Append();
  m_top = std::clamp<int32_t>(position - before, 0, static_cast<int32_t>(m_rows.size()) - 1);
  Fill();
  Trim();
}

int32_t TranscriptLayout::ScrollTo(int32_t position) {
  if (m_tooSmall || m_lines.empty()) {
    return 0;
  }
  int32_t target = std::clamp<int32_t>(position, 0, ScrollMaximum());
  int32_t delta = target - ScrollPosition();
  if (delta == 0) {
    return 0;
  }
  if (delta > m_visibleRows || -delta > m_visibleRows || !Laidout()) {
    Rebuild(target);
  } else {
    MoveBy(delta);
  }
  return delta - PullBackPastEnd();
}

// Laying lines out again can give fewer rows than counted for them (a
// separator row not attached to its line is not repeated), which leaves the
// position past the maximum: show the end instead.
int32_t TranscriptLayout::PullBackPastEnd() {
  int32_t excess = ScrollPosition() - ScrollMaximum();
  if (excess <= 0) {
    return 0;
  }
  ScrollToEnd();
  return excess;
}

void TranscriptLayout::ScrollToEnd() {
  if (m_tooSmall || m_lines.empty()) {
    return;
  }
  if (!Laidout() || LastKeptLine() + 1 != static_cast<int32_t>(m_lines.size())) {
    m_rows.clear();
    m_firstLine = m_lines.size() - 1;
    Append();
  }
  m_top = static_cast<int32_t>(m_rows.size());
  while (m_firstLine > 0 && m_top < m_visibleRows) {
    Prepend();
  }
  m_top = std::max<int32_t>(m_top - m_visibleRows, 0);
  Fill();
  Trim();
}

void TranscriptLayout::ForgetRowCounts() {
  for (TranscriptLine& line : m_lines) {
    line.rowCount = 0;
  }
}

const TranscriptRow* TranscriptLayout::VisibleRow(int32_t screenRow) const {
  int32_t index = m_top + screenRow;
  if (screenRow < 0 || index >= static_cast<int32_t>(m_rows.size())) {
    return nullptr;
  }
  return &m_rows[static_cast<size_t>(index)];
}

bool TranscriptLayout::HitTest(int32_t screenRow, int32_t x, TranscriptPoint& point) const {
  const TranscriptRow* row = VisibleRow(screenRow);
  if (!row) {
    return false;
  }
  size_t fitting = 0;
  size_t tooWide = row->text.size() + 1;
  while (tooWide - fitting > 1) {
    size_t middle = fitting + (tooWide - fitting) / 2;
    if (m_measurer.Width(row->text, middle) < x) {
      fitting = middle;
    } else {
      tooWide = middle;
    }
  }
  point = TranscriptPoint{row->line, row->part, static_cast<int32_t>(fitting)};
  return true;
}

void TranscriptLayout::BeginSelection(const TranscriptPoint& point) {
  m_anchor = point;
  m_end = point;
  m_dragging = true;
  m_hasSelection = false;
}

void TranscriptLayout::ExtendSelection(const TranscriptPoint& point) {
  if (m_dragging) {
    m_end = point;
  }
}

void TranscriptLayout::EndSelection() {
  if (!m_dragging) {
    return;
  }
  m_dragging = false;
  if (Before(m_end, m_anchor)) {
    std::swap(m_anchor, m_end);
  }
  m_hasSelection = Before(m_anchor, m_end);
}

bool TranscriptLayout::SelectWordAt(const TranscriptPoint& point) {
  auto row = std::find_if(m_rows.begin(), m_rows.end(), [&](const TranscriptRow& r) {
    return r.line == point.line && r.part == point.part;
  });
  if (row == m_rows.end() || point.ch < 0 ||
      point.ch >= static_cast<int32_t>(row->text.size())) {
    return false;
  }
  auto isWordChar = [&](int32_t i) {
    return std::isalnum(static_cast<unsigned char>(row->text[static_cast<size_t>(i)])) != 0;
  };
  int32_t start = point.ch;
  int32_t end = point.ch + 1;
  if (isWordChar(point.ch)) {
    while (start > 0 && isWordChar(start - 1)) {
      --start;
    }
    while (end < static_cast<int32_t>(row->text.size()) && isWordChar(end)) {
      ++end;
    }
  }
  m_anchor = TranscriptPoint{point.line, point.part, start};
  m_end = TranscriptPoint{point.line, point.part, end};
  m_dragging = false;
  m_hasSelection = true;
  return true;
}

void TranscriptLayout::ClearSelection() {
  m_dragging = false;
  m_hasSelection = false;
  m_anchor = m_end = TranscriptPoint{};
}

bool TranscriptLayout::Before(const TranscriptPoint& a, const TranscriptPoint& b) const {
  if (a.line != b.line) {
    return a.line < b.line;
  }
  if (a.part != b.part) {
    return a.part < b.part;
  }
  return a.ch < b.ch;
}

bool TranscriptLayout::SelectedRange(const TranscriptRow& row, int32_t& start,
                                     int32_t& end) const {
  if (!m_dragging && !m_hasSelection) {
    return false;
  }
  TranscriptPoint low = Before(m_end, m_anchor) ? m_end : m_anchor;
  TranscriptPoint high = Before(m_end, m_anchor) ? m_anchor : m_end;
  TranscriptPoint rowStart{row.line, row.part, 0};
  TranscriptPoint rowEnd{row.line, row.part, static_cast<int32_t>(row.text.size())};
  if (Before(rowEnd, low) || !Before(rowStart, high)) {
    return false;
  }
  start = Before(rowStart, low) ? low.ch : 0;
  end = Before(high, rowEnd) ? high.ch : static_cast<int32_t>(row.text.size());
  return start < end;
}

std::string TranscriptLayout::SelectionText() const {
  std::string text;
  bool any = false;
  for (const TranscriptRow& row : m_rows) {
    int32_t start = 0;
    int32_t end = 0;
    if (!m_hasSelection || !SelectedRange(row, start, end)) {
      continue;
    }
    if (!row.firstRow && !row.separator) {
      start = std::max(start, row.speakerLength);
    }
    if (start >= end) {
      continue;
    }
    if (any && (row.firstRow || row.separator)) {
      text += "\r\n";
    } else if (any && row.leadingBlank) {
      text += ' ';
    }
    text.append(row.text, static_cast<size_t>(start), static_cast<size_t>(end - start));
    any = true;
  }
  return text;
}

std::string TranscriptLayout::SaveText() const {
  std::string text;
  for (const TranscriptLine& line : m_lines) {
    text += line.name + "\t" + line.text + "\r\n";
  }
  return text;
}
