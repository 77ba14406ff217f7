// Resource numbers shared by the test program and the stand-in branding
// library.
#pragma once

#define IDS_ENGINE_ONLY 300
#define IDS_LONG_TEXT 301
#define IDR_BRAND_DATA 400
#define IDR_ENGINE_DATA 401
#define IDR_MISSING_DATA 402
