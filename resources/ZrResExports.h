// The fourteen functions that the resource library exports by name.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef ZR_RES_BUILDING
#define ZR_RES_API __declspec(dllexport)
#else
#define ZR_RES_API __declspec(dllimport)
#endif

ZR_RES_API int CheckVersion(int flag, int major, int minor);
ZR_RES_API char* GetDllVersion(char* buffer, int* major, int* minor);
ZR_RES_API uint32_t GetColor(uint32_t index);
ZR_RES_API void GetString(uint32_t index, char* buffer);
ZR_RES_API int GetToolBar(uint32_t bar, uint32_t button, int* bitmap1, int* bitmap2, int* bitmap3,
                          int* bitmap4, int* value1, int* value2, int* value3, int* value4);
ZR_RES_API int GetAnimationFrames(void);
ZR_RES_API int GetAnimationRightSpace(void);
ZR_RES_API int GetNetscapeDefault(void);
ZR_RES_API int GetUseOldPTG(int* flag);
ZR_RES_API int GetGesturesInIM(void);
ZR_RES_API int GetSendFile(void);
ZR_RES_API int IsCloseNetscapeOnExit(void);
ZR_RES_API int IsCloseNetscapeOnLaunch(void);
ZR_RES_API int IsUseAvatarService(void);

#ifdef __cplusplus
}
#endif
