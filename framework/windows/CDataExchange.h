// Dialog data exchange: moves values between a dialog's controls and its
// members, and validates them. The first failure shows its message (the
// application's message box), puts the focus on the control at fault and
// stops the rest of the exchange; Failed() then says so. No exceptions.
#pragma once
#include <windows.h>

#include <string>

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, bool saveAndValidate);

  bool m_bSaveAndValidate;
  CWnd* m_pDlgWnd;

  bool Failed() const { return m_failed; }
  // The control with id, made the subject of the following validations.
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  HWND LastControl() const { return m_lastControl; }
  // Shows text (a message), focuses the subject control and marks failure.
  void Fail(const std::string& text);

 private:
  HWND m_lastControl = nullptr;
  bool m_lastIsEdit = false;
  bool m_failed = false;
};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// id is the first button of a group; value is the index of the checked one
// (-1 for none).
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Validation of the value just exchanged with the preceding DDX_Text.
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
