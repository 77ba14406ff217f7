#include "CEngineDialogList.h"

#include "EngineDialogIds.h"

#include <algorithm>
#include <utility>

CEngineDialogList::CEngineDialogList(ModuleOf moduleOf, HWND owner)
    : m_moduleOf(std::move(moduleOf)), m_owner(owner)
{
    for (int cascading : {IDD_SN_INVITATION, IDD_SN_RECEIVED, IDD_SN_DECLINED})
        m_cascades[cascading];
}

CEngineDialogList::~CEngineDialogList()
{
    CloseAll();
}

CEngineDialog* CEngineDialogList::Open(std::unique_ptr<CEngineDialog> dialog)
{
    if (!dialog->Create(m_moduleOf(dialog->TemplateId()), m_owner, [this](CEngineDialog* closed) { Closed(closed); }))
        return nullptr;
    CEngineDialog* opened = dialog.get();
    m_dialogs.push_back(std::move(dialog));
    Cascade(*opened);
    opened->Show();
    return opened;
}

// Moved right and down from where its template puts it.
void CEngineDialogList::Cascade(CEngineDialog& dialog)
{
    const auto cascade = m_cascades.find(dialog.TemplateId());
    if (cascade == m_cascades.end())
        return;
    const int offset = cascade->second.Next();
    RECT area;
    GetWindowRect(dialog.Window(), &area);
    SetWindowPos(dialog.Window(), nullptr, area.left + offset, area.top + offset, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CEngineDialog* CEngineDialogList::Find(int templateId, int32_t user) const
{
    for (const auto& dialog : m_dialogs)
        if (dialog->TemplateId() == templateId && dialog->User() == user)
            return dialog.get();
    return nullptr;
}

void CEngineDialogList::Closed(CEngineDialog* dialog)
{
    const auto found = std::find_if(m_dialogs.begin(), m_dialogs.end(),
                                    [dialog](const auto& each) { return each.get() == dialog; });
    if (found != m_dialogs.end())
        m_dialogs.erase(found);
}

void CEngineDialogList::CloseUser(int32_t user)
{
    std::vector<CEngineDialog*> bound;
    for (const auto& dialog : m_dialogs)
        if (dialog->User() == user && user != 0)
            bound.push_back(dialog.get());
    for (CEngineDialog* dialog : bound)
        dialog->Close();
}

void CEngineDialogList::CloseAll()
{
    m_dialogs.clear();
}
