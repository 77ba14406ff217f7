#include "CSonorelle.h"

#include "OleText.h"

namespace {

// The chat client's voice control.
const CLSID kVoiceControlClassId = {0x90815AA6, 0x3819, 0x11D2, {0x99, 0xCC, 0x00, 0xA0, 0x24, 0xBA, 0xF8, 0xEC}};

VARIANT LongArgument(int32_t value) {
  VARIANT argument;
  argument.vt = VT_I4;
  argument.lVal = value;
  return argument;
}

VARIANT BoolArgument(bool value) {
  VARIANT argument;
  argument.vt = VT_BOOL;
  argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return argument;
}

}  // namespace

bool CSonorelle::Create(HWND parent, const RECT& position) {
  if (FAILED(m_control.Create(kVoiceControlClassId, parent, position))) return false;
  if (HWND window = GetSafeHwnd()) ::SetWindowLongPtrW(window, GWLP_ID, kControlId);
  return true;
}

void CSonorelle::Show(bool show) {
  if (HWND window = GetSafeHwnd()) ::ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

void CSonorelle::SetSDKmode(bool on) { m_control.SetProperty(17, BoolArgument(on)); }

std::string CSonorelle::GetSpeakers() {
  VARIANT result;
  ::VariantInit(&result);
  m_control.CallMethod(21, {}, &result);
  const std::string speakers = result.vt == VT_BSTR ? TextOfBstr(result.bstrVal) : std::string();
  ::VariantClear(&result);
  return speakers;
}

int32_t CSonorelle::Ignore(int32_t member, bool flag) {
  return CallLong(25, {LongArgument(member), BoolArgument(flag)});
}

int32_t CSonorelle::GagUser(int32_t member, bool flag, int32_t value) {
  return CallLong(29, {LongArgument(member), BoolArgument(flag), LongArgument(value)});
}

void CSonorelle::PutText(DISPID id, const std::string& text) {
  VARIANT value;
  value.vt = VT_BSTR;
  value.bstrVal = AllocSysString(text);
  m_control.SetProperty(id, value);
  ::VariantClear(&value);
}

int32_t CSonorelle::CallLong(DISPID id, std::vector<VARIANT> arguments) {
  VARIANT result;
  ::VariantInit(&result);
  m_control.CallMethod(id, std::move(arguments), &result);
  return result.vt == VT_I4 ? result.lVal : 0;
}
