// String numbers shared by the test program and its language libraries.
#pragma once

#define IDS_LANGUAGE_TEXT 500
#define IDS_HOST_TEXT 501
