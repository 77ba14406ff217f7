#include "CPropertyExchange.h"

#include "OleText.h"

#include <vector>

namespace {

// Longest text a stream may hold for one property, in characters.
constexpr uint32_t kLongestStreamedText = 1 << 20;

}  // namespace

void CPropertyExchange::Version(WORD major, WORD minor) {
  const uint32_t version = (static_cast<uint32_t>(major) << 16) | minor;
  if (m_mode == kSaveStream) WriteBytes(&version, sizeof version);
  if (m_mode != kLoadStream) return;
  uint32_t stored = 0;
  if (ReadBytes(&stored, sizeof stored) && (stored >> 16) != major) m_result = E_FAIL;
}

void CPropertyExchange::Text(const wchar_t* key, std::string& value, const char* fallback) {
  switch (m_mode) {
    case kDefaults:
      value = fallback;
      return;
    case kLoadBag: {
      VARIANT read;
      value = ReadBag(key, VT_BSTR, read) ? TextOfBstr(read.bstrVal) : fallback;
      ::VariantClear(&read);
      return;
    }
    case kSaveBag: {
      VARIANT written;
      written.vt = VT_BSTR;
      written.bstrVal = AllocSysString(value);
      WriteBag(key, written);
      ::VariantClear(&written);
      return;
    }
    case kLoadStream: {
      uint32_t length = 0;
      value = fallback;
      if (!ReadBytes(&length, sizeof length)) return;
      if (length > kLongestStreamedText) {
        m_result = E_FAIL;
        return;
      }
      std::vector<wchar_t> characters(length);
      if (length && !ReadBytes(characters.data(), length * sizeof(wchar_t))) return;
      BSTR text = ::SysAllocStringLen(characters.data(), length);
      value = TextOfBstr(text);
      ::SysFreeString(text);
      return;
    }
    case kSaveStream: {
      BSTR text = AllocSysString(value);
      const uint32_t length = ::SysStringLen(text);
      WriteBytes(&length, sizeof length);
      WriteBytes(text, length * sizeof(wchar_t));
      ::SysFreeString(text);
      return;
    }
  }
}

void CPropertyExchange::Bool(const wchar_t* key, BOOL& value, BOOL fallback) {
  int32_t number = value ? 1 : 0;
  VARIANT variant;
  switch (m_mode) {
    case kLoadBag:
      value = ReadBag(key, VT_BOOL, variant) ? (variant.boolVal != VARIANT_FALSE) : fallback;
      return;
    case kSaveBag:
      variant.vt = VT_BOOL;
      variant.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
      WriteBag(key, variant);
      return;
    default:
      Long(key, number, fallback ? 1 : 0);
      value = number != 0;
      return;
  }
}

void CPropertyExchange::Long(const wchar_t* key, int32_t& value, int32_t fallback) {
  VARIANT variant;
  switch (m_mode) {
    case kDefaults:
      value = fallback;
      return;
    case kLoadBag:
      value = ReadBag(key, VT_I4, variant) ? variant.lVal : fallback;
      return;
    case kSaveBag:
      variant.vt = VT_I4;
      variant.lVal = value;
      WriteBag(key, variant);
      return;
    case kLoadStream:
      if (!ReadBytes(&value, sizeof value)) value = fallback;
      return;
    case kSaveStream:
      WriteBytes(&value, sizeof value);
      return;
  }
}

bool CPropertyExchange::ReadBag(const wchar_t* key, VARTYPE type, VARIANT& value) {
  ::VariantInit(&value);
  if (FAILED(m_bag->Read(key, &value, nullptr))) return false;
  if (SUCCEEDED(::VariantChangeType(&value, &value, 0, type))) return true;
  ::VariantClear(&value);
  return false;
}

void CPropertyExchange::WriteBag(const wchar_t* key, VARIANT& value) {
  const HRESULT result = m_bag->Write(key, &value);
  if (FAILED(result) && SUCCEEDED(m_result)) m_result = result;
}

bool CPropertyExchange::ReadBytes(void* data, ULONG size) {
  if (FAILED(m_result)) return false;
  ULONG read = 0;
  const HRESULT result = m_stream->Read(data, size, &read);
  if (FAILED(result) || read != size) {
    m_result = FAILED(result) ? result : STG_E_READFAULT;
    return false;
  }
  return true;
}

void CPropertyExchange::WriteBytes(const void* data, ULONG size) {
  if (FAILED(m_result)) return;
  ULONG written = 0;
  const HRESULT result = m_stream->Write(data, size, &written);
  if (FAILED(result) || written != size) m_result = FAILED(result) ? result : STG_E_WRITEFAULT;
}
