// A modeless dialog of the engine, made from the engine's own template and
// owned by the engine window. A dialog bound to a conference user shows the
// user's name in static 201; the host name follows the caption. When it
// closes it tells its list, which deletes it.
#pragma once

#include "IEngineDialogActions.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class CEngineDialog
{
public:
    using ClosedHandler = std::function<void(CEngineDialog*)>;

    // `user` is 0 for a dialog bound to nobody; `actions` is null for a
    // dialog that asks nothing of an engine window.
    CEngineDialog(int templateId, IEngineDialogActions* actions, int32_t user,
                  const std::string& userName);
    virtual ~CEngineDialog();
    CEngineDialog(const CEngineDialog&) = delete;
    CEngineDialog& operator=(const CEngineDialog&) = delete;

    // Makes the dialog hidden; Show() shows it after placing it.
    bool Create(HINSTANCE module, HWND owner, ClosedHandler closed);
    virtual void Show();
    void BringToTop();
    // Ends the dialog: its list deletes it.
    void Close();

    HWND Window() const { return m_window; }
    int TemplateId() const { return m_templateId; }
    int32_t User() const { return m_user; }

protected:
    // After the controls exist; the caption already carries the host name.
    virtual void OnInit() {}
    // False for a command the dialog does not handle.
    virtual bool OnCommand(int id) = 0;
    virtual INT_PTR OnOtherMessage(UINT, WPARAM, LPARAM) { return FALSE; }

    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text);
    void SetCaption(const std::string& caption);
    void LimitText(int id, int characters);

    IEngineDialogActions& Actions() { return *m_actions; }

    HWND m_window = nullptr;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Init();

    IEngineDialogActions* m_actions;
    int m_templateId;
    int32_t m_user;
    std::string m_userName;
    ClosedHandler m_closed;
    bool m_closing = false;
};
