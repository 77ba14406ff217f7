// Numbers of the engine's dialog templates, their controls and texts in
// SnCom.rc.
#pragma once

#define IDD_SN_NAME_REQUIRED   205
#define IDD_SN_SEND_MESSAGE    207
#define IDD_SN_RECEIVED        208
#define IDD_SN_INVITATION      225
#define IDD_SN_DECLINED        226
#define IDD_SN_GAG             227
#define IDD_SN_INSTANT_MESSAGE 228
#define IDD_SN_NOTICE          245
#define IDD_SN_NAME_CHANGE     246
#define IDD_SN_KEYPAD          268

#define IDC_SN_USER_NAME       201
#define IDC_SN_NAME_EDIT       201
#define IDC_SN_TEXT            202
#define IDC_SN_IM_INPUT        203
#define IDC_SN_ACCEPT          208
#define IDC_SN_REPLY           209
#define IDC_SN_DECLINED_OK     210
#define IDC_SN_USER_ICON       211
#define IDC_SN_LABEL           212
#define IDC_SN_PROMPT          213
#define IDC_SN_GAG_MINUTES     214
#define IDC_SN_IM_SEND         216
#define IDC_SN_NOTICE_TEXT     228
#define IDC_SN_NEW_NAME        229
#define IDC_SN_KEYPAD_DIGITS   231
#define IDC_SN_TRANSCRIPT      114

#define IDS_SN_WARNING_FROM    235
#define IDS_SN_WARNING_CAPTION 236
#define IDS_SN_WARNING_TEXT    237
#define IDS_SN_SEND_WARNING    239
#define IDS_SN_WARNING_PROMPT  240
