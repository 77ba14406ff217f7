#include "AppPalette.h"

#include "CDC.h"
#include "ModuleState.h"

CAppPalette& CAppPalette::Get() {
    static CAppPalette palette;
    return palette;
}

void CAppPalette::SetResource(UINT id) {
    m_id = id;
    m_loaded = false;
    Load();
}

bool CAppPalette::Load() {
    if (!m_loaded && m_id != 0) {
        m_loaded = m_picture.LoadResource(AfxGetResourceHandle(), m_id, -1) != 0 &&
                   m_picture.GetPalette() != nullptr;
    }
    return m_loaded;
}

int CAppPalette::SelectPalette(CDC* dc, bool background) {
    if (!Load()) {
        return 0;
    }
    HDC target = dc->GetSafeHdc();
    m_previous = ::SelectPalette(target, *m_picture.GetPalette(), background);
    ::RealizePalette(target);
    return 1;
}

void CAppPalette::Restore(CDC* dc) {
    if (!m_previous) {
        return;
    }
    HDC target = dc->GetSafeHdc();
    ::SelectPalette(target, m_previous, TRUE);
    ::RealizePalette(target);
    m_previous = nullptr;
}
