// Resource ids of the framework's test resource library.
#pragma once

#define IDR_TESTFRAME 128

// Commands of the test frame's menu.
#define ID_SAY_HELLO 32771   // handled by the frame; accelerator Ctrl+H
#define ID_UNHANDLED 32772   // no handler: shown disabled
#define ID_TOGGLE 32773      // update handler checks it
#define ID_REFRESH 32774     // accelerator F5, handled by the frame
#define ID_APP_EXIT 57665    // handled by the application

// Status bar indicator.
#define ID_INDICATOR_MODE 200

// Data-exchange dialog.
#define IDD_EXCHANGE 300
#define IDC_NUMBER 1000
#define IDC_NAME 1001
#define IDC_CHECK 1002
#define IDC_RADIO_FIRST 1003
#define IDC_RADIO_SECOND 1004
#define IDC_RADIO_THIRD 1005
#define IDC_OWNERDRAW 1006

// Child pane dialog.
#define IDD_PANE 301
#define IDC_PANE_FIRST 1010
#define IDC_PANE_SECOND 1011
#define IDC_PANE_DEFAULT 1012

// Property pages.
#define IDD_PAGE_ONE 302
#define IDD_PAGE_TWO 303
#define IDC_PAGE_VALUE 1020

// Plain modal dialog.
#define IDD_PLAIN 304

#define IDS_SHEET_TITLE 400
