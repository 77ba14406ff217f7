// "Phone Keypad": each key is posted to the engine window, which sends its
// tone and shows the digits sent in edit 231.
#pragma once

#include "CEngineDialog.h"

class CKeypadDlg : public CEngineDialog
{
public:
    // The engine window's message for one key: the key's command id in wParam.
    static constexpr UINT kKeyMessage = 1781;

    CKeypadDlg(IEngineDialogActions& actions, HWND engineWindow);

    // Shown centred on the desktop.
    void Show() override;
    void ShowDigits(const std::string& digits);

protected:
    bool OnCommand(int id) override;

private:
    HWND m_engineWindow;
};
