// Resources of the list tests and demo.
#pragma once
#define IDB_EXPAND 200
