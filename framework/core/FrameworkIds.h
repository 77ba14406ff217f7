// Message numbers and resource ids that the framework and its users share.
#pragma once
#include <windows.h>

// Private framework messages.
constexpr UINT WM_SIZEPARENT = 0x0361;        // lParam: SizeParentParams*
constexpr UINT WM_SETMESSAGESTRING = 0x0362;  // wParam: string id, or lParam: text
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;   // wParam: disable items without a handler
constexpr UINT WM_INITIALUPDATE = 0x0364;

// Child window ids.
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;   // 59393
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;   // splitter panes: first + row * 16 + col
constexpr UINT AFX_IDW_PANE_LAST = 0xE9FF;

// Strings the framework loads from the resource module (with built-in
// English fallbacks when the module lacks them).
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;  // 57345 "Ready"
constexpr UINT AFX_IDP_PARSE_INT = 0xF110;
constexpr UINT AFX_IDP_PARSE_INT_RANGE = 0xF111;
constexpr UINT AFX_IDP_PARSE_UINT = 0xF112;
constexpr UINT AFX_IDP_PARSE_STRING_SIZE = 0xF113;

// Status bar pane style: the pane takes the width the others leave.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_STRETCH = 0x0800;

// Control bar style: the bar sits at the bottom of its frame.
constexpr DWORD CBRS_BOTTOM = 0x2000;

// Frame style: the document title is added to the window caption.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

// The layout record that WM_SIZEPARENT carries: children take their space
// out of rect and move themselves through hDWP.
struct SizeParentParams {
  HDWP hDWP;
  RECT rect;
  SIZE sizeTotal;
  BOOL bStretch;
};
