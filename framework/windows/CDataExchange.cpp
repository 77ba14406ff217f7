#include "CDataExchange.h"

#include <cctype>
#include <cinttypes>
#include <climits>
#include <cstdint>

#include "CWinApp.h"
#include "CWnd.h"
#include "FrameworkIds.h"
#include "ModuleState.h"

namespace {

// Whole decimal number with an optional sign and surrounding blanks; false
// for anything else (and for values beyond 64 bits).
bool ParseDecimal(const std::string& text, int64_t& value) {
  size_t i = 0;
  size_t end = text.size();
  while (i < end && std::isspace(static_cast<unsigned char>(text[i]))) {
    ++i;
  }
  while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
    --end;
  }
  bool negative = false;
  if (i < end && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == end) {
    return false;
  }
  uint64_t magnitude = 0;
  for (; i < end; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
      return false;
    }
    magnitude = magnitude * 10 + static_cast<uint64_t>(text[i] - '0');
    if (magnitude > (uint64_t{1} << 40)) {
      return false;  // far beyond any 32-bit value
    }
  }
  value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

std::string Substitute(std::string text, const std::string& first, const std::string& second) {
  for (auto [marker, value] : {std::pair<const char*, const std::string*>{"%1", &first},
                               std::pair<const char*, const std::string*>{"%2", &second}}) {
    size_t at = text.find(marker);
    if (at != std::string::npos) {
      text.replace(at, 2, *value);
    }
  }
  return text;
}

std::string ReadText(HWND control) {
  int length = ::GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = ::GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void ExchangeInteger(CDataExchange* dx, int id, int64_t& value, int64_t low, int64_t high,
                     UINT messageId, const char* fallback) {
  HWND control = dx->PrepareEditCtrl(id);
  if (!control) {
    return;
  }
  if (!dx->m_bSaveAndValidate) {
    ::SetWindowTextA(control, std::to_string(value).c_str());
    return;
  }
  int64_t parsed = 0;
  if (!ParseDecimal(ReadText(control), parsed) || parsed < low || parsed > high) {
    dx->Fail(AfxLoadString(messageId, fallback));
    return;
  }
  value = parsed;
}

void FailRange(CDataExchange* dx, int64_t low, int64_t high) {
  std::string text = AfxLoadString(AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2.");
  dx->Fail(Substitute(text, std::to_string(low), std::to_string(high)));
}

}  // namespace

CDataExchange::CDataExchange(CWnd* dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
  if (m_failed) {
    return nullptr;
  }
  m_lastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  m_lastIsEdit = false;
  return m_lastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_lastIsEdit = control != nullptr;
  return control;
}

void CDataExchange::Fail(const std::string& text) {
  if (m_failed) {
    return;
  }
  m_failed = true;
  AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
  if (m_lastControl && ::IsWindow(m_lastControl)) {
    ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_lastControl), TRUE);
    if (::GetFocus() != m_lastControl) {
      ::SetFocus(m_lastControl);
    }
    if (m_lastIsEdit) {
      ::SendMessageA(m_lastControl, EM_SETSEL, 0, -1);
      ::SendMessageA(m_lastControl, EM_SCROLLCARET, 0, 0);
    }
  }
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (!control) {
    return;
  }
  if (dx->m_bSaveAndValidate) {
    value = ReadText(control);
  } else {
    ::SetWindowTextA(control, value.c_str());
  }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  int64_t wide = value;
  ExchangeInteger(dx, id, wide, INT32_MIN, INT32_MAX, AFX_IDP_PARSE_INT, "Please enter an integer.");
  value = static_cast<int>(wide);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  int64_t wide = value;
  ExchangeInteger(dx, id, wide, 0, UINT32_MAX, AFX_IDP_PARSE_UINT,
                  "Please enter a positive integer.");
  value = static_cast<UINT>(wide);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (!control) {
    return;
  }
  if (dx->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
  } else {
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (!control) {
    return;
  }
  if (dx->m_bSaveAndValidate) {
    value = -1;
  }
  int index = 0;
  for (HWND button = control; button; button = ::GetWindow(button, GW_HWNDNEXT), ++index) {
    if (button != control && (::GetWindowLongA(button, GWL_STYLE) & WS_GROUP)) {
      break;
    }
    if (dx->m_bSaveAndValidate) {
      if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        value = index;
      }
    } else {
      ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!control.m_hWnd && dx->PrepareCtrl(id)) {
    control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
  }
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars) {
  if (dx->Failed()) {
    return;
  }
  if (!dx->m_bSaveAndValidate) {
    if (HWND edit = dx->LastControl()) {
      ::SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    }
    return;
  }
  if (static_cast<int64_t>(value.size()) > maxChars) {
    std::string text = AfxLoadString(AFX_IDP_PARSE_STRING_SIZE, "Enter no more than %1 characters.");
    dx->Fail(Substitute(text, std::to_string(maxChars), std::string()));
  }
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
  if (dx->m_bSaveAndValidate && !dx->Failed() && (value < minValue || value > maxValue)) {
    FailRange(dx, minValue, maxValue);
  }
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue) {
  if (dx->m_bSaveAndValidate && !dx->Failed() && (value < minValue || value > maxValue)) {
    FailRange(dx, minValue, maxValue);
  }
}
