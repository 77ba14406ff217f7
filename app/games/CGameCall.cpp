#include "CGameCall.h"

#include <algorithm>

#include "GameStrings.h"

CGameCall::~CGameCall() {
  for (VARIANTARG& argument : m_arguments) {
    if (argument.vt == VT_BSTR) SysFreeString(argument.bstrVal);
  }
  for (BSTR text : m_strings) SysFreeString(text);
}

VARIANTARG& CGameCall::Add(VARTYPE type) {
  VARIANTARG argument;
  VariantInit(&argument);
  argument.vt = type;
  m_arguments.push_back(argument);
  return m_arguments.back();
}

CGameCall& CGameCall::Long(long value) {
  Add(VT_I4).lVal = value;
  return *this;
}

CGameCall& CGameCall::Short(short value) {
  Add(VT_I2).iVal = value;
  return *this;
}

CGameCall& CGameCall::Text(const std::string& text) {
  Add(VT_BSTR).bstrVal = GameTextToWide(text);
  return *this;
}

CGameCall& CGameCall::BytesRef(const std::string& bytes) {
  m_strings.push_back(GameBytesToWide(bytes));
  m_stringRefs.push_back(&m_strings.back());
  Add(VT_BYREF | VT_BSTR).pbstrVal = &m_strings.back();
  return *this;
}

CGameCall& CGameCall::TextRef(const std::string& text) {
  m_strings.push_back(GameTextToWide(text));
  m_stringRefs.push_back(&m_strings.back());
  Add(VT_BYREF | VT_BSTR).pbstrVal = &m_strings.back();
  return *this;
}

CGameCall& CGameCall::ShortRef(short value) {
  m_shorts.push_back(value);
  m_shortRefs.push_back(&m_shorts.back());
  Add(VT_BYREF | VT_I2).piVal = &m_shorts.back();
  return *this;
}

bool CGameCall::Invoke(IDispatch& server, DISPID id) {
  std::vector<VARIANTARG> reversed(m_arguments.rbegin(), m_arguments.rend());
  DISPPARAMS parameters = {reversed.empty() ? nullptr : reversed.data(), nullptr,
                           static_cast<UINT>(reversed.size()), 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception = {};
  UINT badArgument = 0;
  const HRESULT hr = server.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                   &result, &exception, &badArgument);
  VariantClear(&result);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return SUCCEEDED(hr);
}

std::string CGameCall::TextOfRef(size_t index) const {
  return index < m_stringRefs.size() ? GameTextFromWide(*m_stringRefs[index]) : std::string();
}

std::string CGameCall::BytesOfRef(size_t index) const {
  return index < m_stringRefs.size() ? GameBytesFromWide(*m_stringRefs[index]) : std::string();
}

short CGameCall::ShortOfRef(size_t index) const {
  return index < m_shortRefs.size() ? *m_shortRefs[index] : 0;
}
