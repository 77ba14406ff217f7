// The engine window's open dialogs: each is created modeless with the
// window as owner, found again by kind and user, and deleted when it
// closes. The One-on-One, received-message and declined dialogs cascade,
// each kind on its own.
#pragma once

#include "CEngineDialog.h"
#include "DialogCascade.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CEngineDialogList
{
public:
    // The templates come from the module `moduleOf` names for each.
    using ModuleOf = std::function<HINSTANCE(int templateId)>;

    CEngineDialogList(ModuleOf moduleOf, HWND owner);
    ~CEngineDialogList();
    CEngineDialogList(const CEngineDialogList&) = delete;
    CEngineDialogList& operator=(const CEngineDialogList&) = delete;

    // Creates and shows `dialog`; null when its template cannot be made.
    CEngineDialog* Open(std::unique_ptr<CEngineDialog> dialog);
    // The open dialog of that template bound to `user`.
    CEngineDialog* Find(int templateId, int32_t user) const;
    void CloseUser(int32_t user);
    void CloseAll();
    size_t Count() const { return m_dialogs.size(); }

private:
    void Closed(CEngineDialog* dialog);
    void Cascade(CEngineDialog& dialog);

    ModuleOf m_moduleOf;
    HWND m_owner;
    std::vector<std::unique_ptr<CEngineDialog>> m_dialogs;
    std::map<int, DialogCascade> m_cascades;
};
