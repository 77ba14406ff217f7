// The members of a control's dispatch or event interface, one table per
// interface: the table drives both Invoke and the type library, so the two
// always agree. A member's dispatch id is its 1-based position in its table.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <vector>

struct DispatchParameter {
  const wchar_t* name;
  VARTYPE type;  // VT_BSTR, VT_I4, VT_BOOL, VT_VARIANT, or VT_BYREF | VT_BSTR in events
};

struct DispatchMember {
  enum Kind { kProperty, kReadOnlyProperty, kMethod };

  const wchar_t* name;
  Kind kind;
  VARTYPE type;  // the property's type or the method's result (VT_EMPTY: none)
  std::vector<DispatchParameter> parameters;
};

struct DispatchInterface {
  const wchar_t* name;
  GUID id;
  std::vector<DispatchMember> members;

  DISPID IdOf(size_t position) const { return static_cast<DISPID>(position + 1); }
  // The member with id, or null.
  const DispatchMember* Find(DISPID id) const {
    if (id < 1 || static_cast<size_t>(id) > members.size()) return nullptr;
    return &members[id - 1];
  }
  // The id of the member named name (case ignored), or DISPID_UNKNOWN.
  DISPID IdOfName(const wchar_t* name) const {
    for (size_t i = 0; i < members.size(); ++i)
      if (::_wcsicmp(members[i].name, name) == 0) return IdOf(i);
    return DISPID_UNKNOWN;
  }
};
