// CEventArguments: the arguments of one control event in declared order.
// Texts are passed by reference, as pointers to BSTRs that live as long as
// the arguments do.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <deque>
#include <vector>

class CEventArguments
{
public:
    CEventArguments() = default;
    ~CEventArguments();
    CEventArguments(const CEventArguments&) = delete;
    CEventArguments& operator=(const CEventArguments&) = delete;

    void Long(int32_t value);
    void Bool(bool value);
    // A copy of text (null gives an empty text).
    void Text(const char* text);
    // A value that the caller keeps alive during the call.
    void Variant(const VARIANT& value);

    const std::vector<VARIANT>& Values() const { return m_values; }

private:
    std::vector<VARIANT> m_values;
    std::deque<BSTR> m_texts;
};
