// The running program's folder and base path.
#pragma once

#include <windows.h>

#include <string>

// Folder of the module's file (the program when module is null), ending in a
// backslash.
std::string GetProgramDir(HMODULE module = nullptr);
// Folder, file name and no extension; the settings file is this + ".ini".
std::string GetProgramBasePath(HMODULE module = nullptr);
// The module's full file name, however long it is.
std::string GetModuleFilePath(HMODULE module);
