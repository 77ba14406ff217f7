// A resource library of an older version: every export is there, but it
// accepts only clients of version 1.
#include <cstdint>
#include <cstring>

extern "C" {

__declspec(dllexport) int CheckVersion(int, int major, int) { return major == 1 ? 1 : 0; }
__declspec(dllexport) char* GetDllVersion(char* buffer, int* major, int* minor) {
  if (buffer) std::strcpy(buffer, "Old");
  if (major) *major = 1;
  if (minor) *minor = 0;
  return buffer;
}
__declspec(dllexport) uint32_t GetColor(uint32_t) { return 0; }
__declspec(dllexport) void GetString(uint32_t, char* buffer) {
  if (buffer) buffer[0] = '\0';
}
__declspec(dllexport) int GetToolBar(uint32_t, uint32_t, int*, int*, int*, int*, int*, int*, int*,
                                     int*) {
  return 0;
}
__declspec(dllexport) int GetAnimationFrames() { return 0; }
__declspec(dllexport) int GetAnimationRightSpace() { return 0; }
__declspec(dllexport) int GetNetscapeDefault() { return 0; }
__declspec(dllexport) int GetUseOldPTG(int*) { return 0; }
__declspec(dllexport) int GetGesturesInIM() { return 0; }
__declspec(dllexport) int GetSendFile() { return 0; }
__declspec(dllexport) int IsCloseNetscapeOnExit() { return 0; }
__declspec(dllexport) int IsCloseNetscapeOnLaunch() { return 0; }
__declspec(dllexport) int IsUseAvatarService() { return 0; }
}
