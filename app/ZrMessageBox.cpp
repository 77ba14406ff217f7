#include "ZrMessageBox.h"

#include <utility>

#include "ZrMessageText.h"

CZrMessageBox* CZrMessageBox::s_current = nullptr;

CZrMessageBox::CZrMessageBox() : m_previous(s_current) { s_current = this; }

CZrMessageBox::~CZrMessageBox() {
  if (s_current == this) s_current = m_previous;
}

void CZrMessageBox::SetWindowsSource(std::function<std::vector<HWND>()> source) {
  m_windowsSource = std::move(source);
}

void CZrMessageBox::SetDialogsEnabler(std::function<void(bool enable)> enabler) {
  m_dialogsEnabler = std::move(enabler);
}

std::string CZrMessageBox::LoadText(UINT id) const {
  // A zero buffer length yields the resource's own text and its length, so
  // texts of any length load whole.
  const wchar_t* wide = nullptr;
  const int length = LoadStringW(m_resources, id, reinterpret_cast<LPWSTR>(&wide), 0);
  if (length <= 0 || !wide) return std::string();
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), size, nullptr, nullptr);
  return text;
}

char* CZrMessageBox::BuildText(UINT first, UINT second, va_list args) const {
  return CZrMessageText::Format(CZrMessageText::Join(LoadText(first), LoadText(second)), args);
}

char* CZrMessageBox::BuildText(UINT first, UINT second, UINT third, va_list args) const {
  const std::string joined =
      CZrMessageText::Join(LoadText(first), LoadText(second), LoadText(third));
  return CZrMessageText::Format(joined, args);
}

int CZrMessageBox::RunWithMainWindowsDisabled(const std::function<int()>& modal) {
  const bool disabledHere = m_dialogUp == 0;
  if (disabledHere) EnableMainWindows(1);
  const int answer = modal();
  if (disabledHere) EnableMainWindows(0);
  return answer;
}

void CZrMessageBox::ShowMessageBox(int style, char* text) {
  if (!text) return;
  const UINT icon = style == kPlain ? 0 : style == kWarning ? MB_ICONEXCLAMATION : MB_ICONINFORMATION;
  const UINT flags = MB_TASKMODAL | icon;
  RunWithMainWindowsDisabled([&] { return MessageBoxA(nullptr, text, m_caption.c_str(), flags); });
  CZrMessageText::Free(text);
}

int CZrMessageBox::Ask(UINT textId, UINT flags) {
  const std::string text = LoadText(textId);
  if (text.empty()) return 0;
  return RunWithMainWindowsDisabled(
      [&] { return MessageBoxA(nullptr, text.c_str(), m_caption.c_str(), flags | MB_TASKMODAL); });
}

bool CZrMessageBox::PostMessageBox(int style, char* text) {
  if (!text) return false;
  if (m_mainWindow && IsWindow(m_mainWindow) &&
      PostMessageA(m_mainWindow, kShowMessage, static_cast<WPARAM>(style),
                   reinterpret_cast<LPARAM>(text))) {
    return true;
  }
  CZrMessageText::Free(text);
  return false;
}

void CZrMessageBox::EnableMainWindows(int flag) {
  if (flag == m_dialogUp) return;
  m_dialogUp = flag;
  const BOOL enable = flag == 0 ? TRUE : FALSE;
  const std::vector<HWND> windows =
      m_windowsSource ? m_windowsSource() : std::vector<HWND>{m_mainWindow};
  for (HWND window : windows) {
    if (window && IsWindow(window)) EnableWindow(window, enable);
  }
  if (m_dialogsEnabler) m_dialogsEnabler(enable == TRUE);
}

LRESULT CZrMessageBox::OnShowMessage(WPARAM style, LPARAM text) {
  ShowMessageBox(static_cast<int>(style), reinterpret_cast<char*>(text));
  return 0;
}

namespace {

void ShowOrPost(bool post, int style, char* text) {
  CZrMessageBox* boxes = CZrMessageBox::Current();
  if (!boxes) {
    CZrMessageText::Free(text);
    return;
  }
  if (post) {
    boxes->PostMessageBox(style, text);
  } else {
    boxes->ShowMessageBox(style, text);
  }
}

char* BuildCurrent(UINT first, UINT second, va_list args) {
  CZrMessageBox* boxes = CZrMessageBox::Current();
  return boxes ? boxes->BuildText(first, second, args) : nullptr;
}

}  // namespace

void MessageBoxIds2(UINT first, UINT second, ...) {
  va_list args;
  va_start(args, second);
  char* text = BuildCurrent(first, second, args);
  va_end(args);
  ShowOrPost(false, CZrMessageBox::kPlain, text);
}

void MessageBoxIds2Async(UINT first, UINT second, ...) {
  va_list args;
  va_start(args, second);
  char* text = BuildCurrent(first, second, args);
  va_end(args);
  ShowOrPost(true, CZrMessageBox::kPlain, text);
}

void MessageBoxIds3Info(UINT first, UINT second, UINT third, ...) {
  va_list args;
  va_start(args, third);
  CZrMessageBox* boxes = CZrMessageBox::Current();
  char* text = boxes ? boxes->BuildText(first, second, third, args) : nullptr;
  va_end(args);
  ShowOrPost(false, CZrMessageBox::kInformation, text);
}

void MessageBoxIds2AsyncInfo(UINT first, UINT second, ...) {
  va_list args;
  va_start(args, second);
  char* text = BuildCurrent(first, second, args);
  va_end(args);
  ShowOrPost(true, CZrMessageBox::kInformation, text);
}
