// CPersonStateList: per-person state that outlives the person objects of a
// place: the ignore state and the person's open Send Instant Message and
// identity dialogs. An entry with state 0 and no dialog is dropped at once.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "IPersonDialog.h"
#include "IPersonStateHost.h"

struct CPersonStateEntry {
    uint32_t person = 0;
    int32_t state = 0;
    std::unique_ptr<IPersonDialog> sendDialog;
    std::unique_ptr<IPersonDialog> identityDialog;

    bool IsEmpty() const { return state == 0 && !sendDialog && !identityDialog; }
};

class CPersonStateList {
public:
    explicit CPersonStateList(IPersonStateHost& host);

    CPersonStateEntry* Find(uint32_t person);
    int32_t GetState(uint32_t person);
    void SetState(uint32_t person, int32_t state);

    // Store a dialog (destroying the one it replaces); null clears it.
    void SetWindow(uint32_t person, std::unique_ptr<IPersonDialog> dialog);
    void SetData(uint32_t person, std::unique_ptr<IPersonDialog> dialog);
    IPersonDialog* GetWindow(uint32_t person);
    IPersonDialog* GetData(uint32_t person);
    // A dialog that closes and destroys itself hands its ownership back:
    // the entry forgets it without deleting it.
    void ForgetWindow(uint32_t person, IPersonDialog* dialog);
    void ForgetData(uint32_t person, IPersonDialog* dialog);

    // Raises the person's send dialog or creates, registers and shows one.
    IPersonDialog* ShowWindowFor(uint32_t person, const std::string& name);
    IPersonDialog* ShowSendImDlg();

    // Drops every entry with its dialogs (on connecting).
    void Reset();
    size_t Count() const { return m_entries.size(); }
    const std::list<CPersonStateEntry>& Entries() const { return m_entries; }

private:
    CPersonStateEntry& Obtain(uint32_t person);
    void DropIfEmpty(uint32_t person);

    IPersonStateHost& m_host;
    std::list<CPersonStateEntry> m_entries;
};
