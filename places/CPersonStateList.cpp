#include "CPersonStateList.h"

#include <algorithm>

CPersonStateList::CPersonStateList(IPersonStateHost& host) : m_host(host) {}

CPersonStateEntry* CPersonStateList::Find(uint32_t person)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [person](const CPersonStateEntry& entry) { return entry.person == person; });
    return found == m_entries.end() ? nullptr : &*found;
}

int32_t CPersonStateList::GetState(uint32_t person)
{
    const CPersonStateEntry* entry = Find(person);
    return entry ? entry->state : 0;
}

void CPersonStateList::SetState(uint32_t person, int32_t state)
{
    Obtain(person).state = state;
    m_host.ShowIgnoreState(person, state);
    DropIfEmpty(person);
}

void CPersonStateList::SetWindow(uint32_t person, std::unique_ptr<IPersonDialog> dialog)
{
    // The old dialog is destroyed after the entry stops pointing at it, so
    // that a dialog which reports its own close finds a consistent list.
    std::unique_ptr<IPersonDialog> old = std::move(Obtain(person).sendDialog);
    Obtain(person).sendDialog = std::move(dialog);
    DropIfEmpty(person);
}

void CPersonStateList::SetData(uint32_t person, std::unique_ptr<IPersonDialog> dialog)
{
    std::unique_ptr<IPersonDialog> old = std::move(Obtain(person).identityDialog);
    Obtain(person).identityDialog = std::move(dialog);
    DropIfEmpty(person);
}

IPersonDialog* CPersonStateList::GetWindow(uint32_t person)
{
    CPersonStateEntry* entry = Find(person);
    return entry ? entry->sendDialog.get() : nullptr;
}

IPersonDialog* CPersonStateList::GetData(uint32_t person)
{
    CPersonStateEntry* entry = Find(person);
    return entry ? entry->identityDialog.get() : nullptr;
}

void CPersonStateList::ForgetWindow(uint32_t person, IPersonDialog* dialog)
{
    CPersonStateEntry* entry = Find(person);
    if (!entry || !dialog || entry->sendDialog.get() != dialog)
        return;
    static_cast<void>(entry->sendDialog.release());
    DropIfEmpty(person);
}

void CPersonStateList::ForgetData(uint32_t person, IPersonDialog* dialog)
{
    CPersonStateEntry* entry = Find(person);
    if (!entry || !dialog || entry->identityDialog.get() != dialog)
        return;
    static_cast<void>(entry->identityDialog.release());
    DropIfEmpty(person);
}

IPersonDialog* CPersonStateList::ShowWindowFor(uint32_t person, const std::string& name)
{
    if (IPersonDialog* open = GetWindow(person)) {
        open->Raise();
        return open;
    }
    std::unique_ptr<IPersonDialog> dialog = m_host.CreateSendImDlg(person, name);
    if (!dialog)
        return nullptr;
    IPersonDialog* shown = dialog.get();
    SetWindow(person, std::move(dialog));
    shown->Raise();
    return shown;
}

IPersonDialog* CPersonStateList::ShowSendImDlg()
{
    return ShowWindowFor(0, std::string());
}

void CPersonStateList::Reset()
{
    std::list<CPersonStateEntry> dropped;
    dropped.swap(m_entries);
}

CPersonStateEntry& CPersonStateList::Obtain(uint32_t person)
{
    if (CPersonStateEntry* entry = Find(person))
        return *entry;
    m_entries.emplace_back();
    m_entries.back().person = person;
    return m_entries.back();
}

void CPersonStateList::DropIfEmpty(uint32_t person)
{
    m_entries.remove_if(
        [person](const CPersonStateEntry& entry) { return entry.person == person && entry.IsEmpty(); });
}
