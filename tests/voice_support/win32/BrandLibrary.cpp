// A resource library standing in for a branding library: it holds only
// strings, a data resource and a version resource.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
