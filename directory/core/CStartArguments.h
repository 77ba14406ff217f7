// CStartArguments: the directory browser's start arguments, one command line
// "title resource-library mode x y width height" (blanks of the title written
// as '_'). The client writes it with Format; the browser reads it with Parse.
// Words are read without fixed buffers; the five numbers are taken from the
// end, so a resource-library path with blanks (quoted or not) stays whole.
#pragma once

#include <cstdint>
#include <string>

class CStartArguments {
 public:
  enum Mode : int32_t { kMemberDirectory = 0, kEventManagement = 1 };
  // The longest title the frame shows.
  static constexpr size_t kMaxTitle = 79;

  // Fills the fields from the argument text; returns how many of the seven
  // fields were read (0: none, 1: title, 2: title and library, 7: all).
  int Parse(const std::string& arguments);

  // The argument text for these values; a library path with blanks is quoted.
  static std::string Format(const std::string& title, const std::string& library, int32_t mode,
                            int32_t x, int32_t y, int32_t width, int32_t height);

  // The argument part of a process command line: what follows the program
  // name, which may be quoted.
  static std::string ArgumentsOf(const std::string& commandLine);

  int FieldCount() const { return m_fields; }
  bool HasPlacement() const { return m_fields == 7; }
  bool IsDirectoryMode() const { return m_mode == kMemberDirectory; }
  const std::string& TitleWord() const { return m_title; }
  const std::string& Library() const { return m_library; }
  int32_t GetMode() const { return m_mode; }
  int32_t X() const { return m_x; }
  int32_t Y() const { return m_y; }
  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }

  // The frame's title: the default of the mode when nothing was read, else
  // the title word cut to kMaxTitle characters with each '_' shown as a blank.
  std::string DisplayTitle() const;

 private:
  int m_fields = 0;
  std::string m_title;
  std::string m_library;
  int32_t m_mode = kMemberDirectory;
  int32_t m_x = 0;
  int32_t m_y = 0;
  int32_t m_width = 0;
  int32_t m_height = 0;
};
