// CAvatarGalleryWnd: a small popup grid of the thumbnails of every avatar
// file (".zra") of one folder, opened under a button to pick a gesture or
// an avatar. A click selects or deselects a thumbnail and tells the one
// notification target; the status line names the thumbnail under the
// mouse, or the selected one.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "CWnd.h"
#include "GalleryLayout.h"

// Told when the selection changes: whether an item is now selected.
class IGallerySelectionTarget {
public:
    virtual void OnGallerySelectionChanged(bool selected) = 0;

protected:
    ~IGallerySelectionTarget() = default;
};

class CAvatarGalleryWnd : public CWnd {
public:
    static constexpr UINT kTitleText = 347;
    static constexpr UINT kCheckBitmap = 282;
    static constexpr int kCheckSize = 12;
    static constexpr uint32_t kKeyColourIndex = 0;
    static constexpr int kStatusFontHeight = 13;

    CAvatarGalleryWnd();
    ~CAvatarGalleryWnd() override;

    // keyColour: the colour thumbnails are transparent in.
    bool Create(COLORREF keyColour);
    // Reads the folder's avatar files, unless it is the folder shown and
    // force is false.
    void SetFolder(const std::string& folder, bool force);
    // Shows the popup beside the anchor (screen rectangle) and takes the
    // mouse.
    void Popup(const RECT& anchor);
    bool GetSelectedName(std::string& name) const;
    bool GetSelectedTitle(std::string& title) const;
    void ClearSelection();
    void SelectByName(const std::string& name);
    bool GetTitleOfName(const std::string& name, std::string& title) const;
    // The one target told of selection changes; the transfer target is
    // also told when the selection is cleared.
    void SetNotifyDialog(IGallerySelectionTarget* target) { SetTarget(target, false); }
    void SetNotifyWindow(IGallerySelectionTarget* target) { SetTarget(target, false); }
    void SetNotifyObjectTransfer(IGallerySelectionTarget* target) { SetTarget(target, true); }
    void SetCheckMark(bool shown) { m_checkMark = shown; }

    size_t ItemCount() const { return m_items.size(); }
    const CGalleryLayout& Layout() const { return m_layout; }
    int Selected() const { return m_selected; }
    int Hovered() const { return m_hovered; }
    // The text the status line shows.
    std::string StatusText() const;

protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnClose();
    LRESULT OnActivateApp(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    struct Item {
        std::string name;   // lower case, without ".zra"
        std::string title;  // the name kept in the file
    };

    void SetTarget(IGallerySelectionTarget* target, bool transfer);
    void Insert(const std::string& fileName);
    void MakeThumbnails();
    void Reposition();
    void Notify();
    void HideAndRelease();
    void FreeBitmap();
    int IndexOfName(const std::string& name) const;

    std::string m_folder;
    std::vector<Item> m_items;
    CGalleryLayout m_layout;
    int m_selected = -1;
    int m_hovered = -1;
    HBITMAP m_thumbnails = nullptr;
    HFONT m_statusFont = nullptr;
    RECT m_anchor{};
    COLORREF m_faceColour = 0;
    COLORREF m_keyColour = 0;
    bool m_created = false;
    IGallerySelectionTarget* m_target = nullptr;
    bool m_transferTarget = false;
    bool m_checkMark = true;
};
