// CPropertyExchange: moves a control's persistent properties between its
// members and a property bag, a stream, or their defaults. The control
// lists its properties once, in their stored order, in one function that
// runs for every direction; a value missing from a bag gets its default.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <cstdint>
#include <string>

class CPropertyExchange {
 public:
  static CPropertyExchange LoadFrom(IPropertyBag* bag) { return CPropertyExchange(kLoadBag, bag, nullptr); }
  static CPropertyExchange SaveTo(IPropertyBag* bag) { return CPropertyExchange(kSaveBag, bag, nullptr); }
  static CPropertyExchange LoadFrom(IStream* stream) { return CPropertyExchange(kLoadStream, nullptr, stream); }
  static CPropertyExchange SaveTo(IStream* stream) { return CPropertyExchange(kSaveStream, nullptr, stream); }
  static CPropertyExchange Defaults() { return CPropertyExchange(kDefaults, nullptr, nullptr); }

  bool IsLoading() const { return m_mode != kSaveBag && m_mode != kSaveStream; }
  // The format version (major.minor) heading a stream; a stream of another
  // major version is refused and the defaults are kept.
  void Version(WORD major, WORD minor);
  void Text(const wchar_t* key, std::string& value, const char* fallback);
  void Bool(const wchar_t* key, BOOL& value, BOOL fallback);
  void Long(const wchar_t* key, int32_t& value, int32_t fallback);
  // S_OK, or the first failure of the stream or bag.
  HRESULT Result() const { return m_result; }

 private:
  enum Mode { kLoadBag, kSaveBag, kLoadStream, kSaveStream, kDefaults };

  CPropertyExchange(Mode mode, IPropertyBag* bag, IStream* stream) : m_mode(mode), m_bag(bag), m_stream(stream) {}
  // Reads key from the bag as type; false when missing or not convertible.
  bool ReadBag(const wchar_t* key, VARTYPE type, VARIANT& value);
  void WriteBag(const wchar_t* key, VARIANT& value);
  bool ReadBytes(void* data, ULONG size);
  void WriteBytes(const void* data, ULONG size);
  bool Loading() const { return m_mode == kLoadBag || m_mode == kLoadStream; }

  Mode m_mode;
  IPropertyBag* m_bag;
  IStream* m_stream;
  HRESULT m_result = S_OK;
};
