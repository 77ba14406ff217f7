// Numbers of the engine's own strings in SnCom.rc.
#pragma once

#define IDS_SN_NO_OLE             216
#define IDS_SN_MESSAGE_SENT       219
#define IDS_SN_ANOTHER_INSTANCE   220
#define IDS_SN_ALREADY_CONNECTED  222
#define IDS_SN_CONNECTING         223
#define IDS_SN_NO_SOCKETS         224
#define IDS_SN_MISSING_PARAMETER  225
#define IDS_SN_NO_RICHEDIT        229
#define IDS_SN_WARNING_SENT       238
#define IDS_SN_UPDATE_RESTART     10003
#define IDS_SN_UPDATE_TITLE       10005
#define IDS_SN_UPDATE_NO_TEMP     10006
#define IDS_SN_UPDATE_NO_PLUGINS  10008
#define IDS_SN_UPDATE_ERROR       10009
