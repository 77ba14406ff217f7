// Resource ids of the avatar window tests.
#pragma once

#define IDM_PROBE_MENU 900
#define ID_PROBE_ALPHA 901
#define ID_PROBE_DELETE 902
