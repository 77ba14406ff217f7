#include "ModuleState.h"

namespace {

HINSTANCE g_instance = nullptr;
HINSTANCE g_resources = nullptr;

}  // namespace

HINSTANCE AfxGetInstanceHandle() {
  return g_instance ? g_instance : ::GetModuleHandleA(nullptr);
}

void AfxSetInstanceHandle(HINSTANCE instance) {
  g_instance = instance;
}

HINSTANCE AfxGetResourceHandle() {
  return g_resources ? g_resources : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE module) {
  g_resources = module;
}

std::string AfxLoadString(UINT id) {
  // LoadString with a zero-length buffer hands out a pointer to the
  // resource's own (UTF-16, not terminated) text and its length.
  const wchar_t* text = nullptr;
  int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0 || !text) {
    return {};
  }
  int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), bytes, nullptr, nullptr);
  return result;
}

std::string AfxLoadString(UINT id, const char* fallback) {
  std::string text = AfxLoadString(id);
  return text.empty() ? std::string(fallback) : text;
}
