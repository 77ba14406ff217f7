// update_host (Windows): loads SnCom.dll as the voice control does and runs
// one update, printing each result as a line.
//
//   update_host list FIRST SECOND COMPONENT [STARTS]
//       SonorelleIfc_GetToUpdateFileList with the two host codes, after
//       STARTS calls of SonorelleIfc_Init (1 unless given), then the host's
//       install step for the list it hands over:
//       "LIST <result> <entries>" and, with a list, "INSTALL <result>".
//   update_host container BRAND LOCALE
//       an instance (op 17, kind 3, SDK) in a window of its own, with the
//       branding library BRAND and UserLocale LOCALE, then
//       SonorelleIfc_SetContainerInfo, which installs the components it
//       needs: "CONTAINER done".
#include "SonorelleIfcTypes.h"
#include "UpdateService.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

template <typename Function>
Function Entry(HMODULE module, const char* name)
{
    auto function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!function) {
        std::printf("MISSING %s\n", name);
        std::exit(2);
    }
    return function;
}

size_t CountLines(const void* list)
{
    size_t lines = 0;
    for (const char* c = static_cast<const char*>(list); c && *c; ++c)
        lines += *c == '\n' ? 1 : 0;
    return lines;
}

int RunList(HMODULE engine, int first, int second, const char* component)
{
    using GetList = int32_t (*)(int32_t, void**, int32_t, int32_t, const char*);
    void* list = nullptr;
    const int32_t result = Entry<GetList>(engine, "SonorelleIfc_GetToUpdateFileList")(0, &list, first, second, component);
    std::printf("LIST %d %u\n", static_cast<int>(result), static_cast<unsigned>(CountLines(list)));
    if (list)
        std::printf("INSTALL %d\n", static_cast<int>(UpdateService::InstallList(list)));
    else
        UpdateService::Finish(result);
    return 0;
}

int RunContainer(HMODULE engine, const char* brand, const char* locale)
{
    using Selector = int32_t (*)(const SonorelleIfcSelectorBlock*);
    using SetBranding = void (*)(void*, int32_t, const char*, int32_t, int32_t);
    using SetParam = void (*)(void*, const char*, const char*);
    using SetContainerInfo = void (*)(void*, const char*, const char*);
    using Destroy = void (*)(void*);
    HWND host = CreateWindowA("STATIC", "update host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SonorelleIfcCreateArgs create{3, 1};
    const SonorelleIfcSelectorBlock block{1, host, 17, &create};
    if (Entry<Selector>(engine, "SonorelleIfc_SNComFunctionSelector")(&block) != 1) {
        std::printf("CONTAINER refused\n");
        return 1;
    }
    Entry<SetBranding>(engine, "SonorelleIfc_SetCustomBrandingDll")(host, 'L', brand, 0, 0);
    Entry<SetParam>(engine, "SonorelleIfc_SetParam")(host, "UserLocale", locale);
    Entry<SetContainerInfo>(engine, "SonorelleIfc_SetContainerInfo")(host, "update_host", "1.0");
    std::printf("CONTAINER done\n");
    Entry<Destroy>(engine, "SonorelleIfc_Destroy")(host);
    DestroyWindow(host);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool list = (argc == 5 || argc == 6) && std::strcmp(argv[1], "list") == 0;
    const bool container = argc == 4 && std::strcmp(argv[1], "container") == 0;
    if (!list && !container) {
        std::printf("usage: update_host list FIRST SECOND COMPONENT [STARTS] | container BRAND LOCALE\n");
        return 2;
    }
    HMODULE engine = LoadLibraryA("SnCom.dll");
    if (!engine) {
        std::printf("NOENGINE\n");
        return 2;
    }
    const int starts = list && argc == 6 ? std::atoi(argv[5]) : 1;
    for (int i = 0; i < starts; ++i)
        Entry<void (*)()>(engine, "SonorelleIfc_Init")();
    const int code = list ? RunList(engine, std::atoi(argv[2]), std::atoi(argv[3]), argv[4])
                          : RunContainer(engine, argv[2], argv[3]);
    std::fflush(stdout);
    for (int i = 0; i < starts; ++i)
        Entry<void (*)()>(engine, "SonorelleIfc_Uninit")();
    FreeLibrary(engine);
    return code;
}
