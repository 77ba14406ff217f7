// CGameCall: the arguments of one automation call to a game, given in the
// order the game declares them and handed over in the reversed order that
// the dispatch interface expects. By-reference strings are owned here and
// read back after the call.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include <windows.h>
#include <oleauto.h>

class CGameCall {
 public:
  CGameCall() = default;
  CGameCall(const CGameCall&) = delete;
  CGameCall& operator=(const CGameCall&) = delete;
  ~CGameCall();

  CGameCall& Long(long value);
  CGameCall& Short(short value);
  CGameCall& Text(const std::string& text);
  // Byte data by reference as a counted wide string.
  CGameCall& BytesRef(const std::string& bytes);
  CGameCall& TextRef(const std::string& text);
  CGameCall& ShortRef(short value);

  // Invokes the method; false when the game refuses the call.
  bool Invoke(IDispatch& server, DISPID id);

  // What the game left in the by-reference arguments, in their order.
  std::string TextOfRef(size_t index) const;
  std::string BytesOfRef(size_t index) const;
  short ShortOfRef(size_t index) const;

 private:
  VARIANTARG& Add(VARTYPE type);

  std::vector<VARIANTARG> m_arguments;
  std::deque<BSTR> m_strings;  // stable addresses for by-reference strings
  std::deque<short> m_shorts;
  std::vector<BSTR*> m_stringRefs;
  std::vector<short*> m_shortRefs;
};
