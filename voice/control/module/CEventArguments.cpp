#include "CEventArguments.h"

#include "OleText.h"

#include <string>

CEventArguments::~CEventArguments()
{
    for (BSTR text : m_texts)
        ::SysFreeString(text);
}

void CEventArguments::Long(int32_t value)
{
    VARIANT argument;
    argument.vt = VT_I4;
    argument.lVal = value;
    m_values.push_back(argument);
}

void CEventArguments::Bool(bool value)
{
    VARIANT argument;
    argument.vt = VT_BOOL;
    argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    m_values.push_back(argument);
}

void CEventArguments::Text(const char* text)
{
    m_texts.push_back(AllocSysString(text ? std::string(text) : std::string()));
    VARIANT argument;
    argument.vt = VT_BYREF | VT_BSTR;
    argument.pbstrVal = &m_texts.back();
    m_values.push_back(argument);
}

void CEventArguments::Variant(const VARIANT& value)
{
    m_values.push_back(value);
}
