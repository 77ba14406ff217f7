#include "CWin32UpdatePlatform.h"

#include "FileVersion.h"
#include "RegistryKey.h"

#include <shellapi.h>
#include <wininet.h>

#include <fstream>
#include <iterator>

namespace {

constexpr DWORD kProgramPollMs = 20;

constexpr DWORD kHttpOk = 200;
constexpr DWORD kReadChunk = 16384;
constexpr DWORD kFreshDownload = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                 INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI;

struct DownloadJob
{
    std::string url;
    std::string path;
    bool done = false;
};

// A handle of the internet functions that closes itself.
struct InternetHandle
{
    HINTERNET handle;
    ~InternetHandle()
    {
        if (handle)
            InternetCloseHandle(handle);
    }
};

DWORD QueryNumber(HINTERNET request, DWORD what)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    return HttpQueryInfoA(request, what | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) ? value : 0;
}

// Copies the response body into the file; false on a read or write failure,
// or when fewer or more bytes came than the server announced.
bool SaveBody(HINTERNET request, const std::string& path)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const DWORD announced = QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH);
    uint64_t received = 0;
    char chunk[kReadChunk];
    DWORD read = 0;
    while (InternetReadFile(request, chunk, sizeof chunk, &read) && read > 0) {
        file.write(chunk, read);
        received += read;
    }
    file.flush();
    const bool complete = read == 0 && (announced == 0 || received == announced);
    return static_cast<bool>(file) && complete;
}

bool Fetch(const std::string& url, const std::string& path)
{
    const InternetHandle session{InternetOpenA("SnCom", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)};
    if (!session.handle)
        return false;
    const InternetHandle request{InternetOpenUrlA(session.handle, url.c_str(), nullptr, 0, kFreshDownload, 0)};
    if (!request.handle || QueryNumber(request.handle, HTTP_QUERY_STATUS_CODE) != kHttpOk)
        return false;
    if (SaveBody(request.handle, path))
        return true;
    ::DeleteFileA(path.c_str());
    return false;
}

// The download runs on a thread of its own, so that the host's name is never
// looked up on the caller's thread, which may own windows.
DWORD WINAPI RunDownload(void* parameter)
{
    auto* job = static_cast<DownloadJob*>(parameter);
    job->done = Fetch(job->url, job->path);
    return 0;
}

// Waits for the thread while answering messages other threads send to the
// caller's windows; posted messages stay queued.
void WaitAnsweringSentMessages(HANDLE thread)
{
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

std::string WithSeparator(std::string directory)
{
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/')
        directory += '\\';
    return directory;
}

// The folder of a registered file name, which may be quoted and followed by
// arguments.
std::string DirectoryOfFile(std::string path)
{
    if (!path.empty() && path.front() == '"')
        path = path.substr(1, path.find('"', 1) - 1);
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::optional<std::string> ReadDefault(HKEY root, const std::string& path, const char* name = "")
{
    const CRegistryKey key = CRegistryKey::Open(root, path, KEY_READ);
    return key.ReadText(name);
}

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

bool CWin32UpdatePlatform::Download(const std::string& url, const std::string& path)
{
    DownloadJob job{url, path};
    HANDLE thread = CreateThread(nullptr, 0, RunDownload, &job, 0, nullptr);
    if (!thread)
        return false;
    WaitAnsweringSentMessages(thread);
    CloseHandle(thread);
    return job.done && FileExists(path);
}

std::string CWin32UpdatePlatform::TemporaryDirectory()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof path, path);
    if (length == 0 || length >= sizeof path || !IsDirectory(path))
        return std::string();
    return WithSeparator(path);
}

std::optional<std::vector<uint8_t>> CWin32UpdatePlatform::ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return bytes;
}

bool CWin32UpdatePlatform::WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    return static_cast<bool>(file);
}

ReplaceOutcome CWin32UpdatePlatform::PutInPlace(const std::string& from, const std::string& to)
{
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ReplaceOutcome::Replaced;
    const DWORD error = GetLastError();
    const bool inUse = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    if (inUse && FileExists(to) &&
        MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT))
        return ReplaceOutcome::AtRestart;
    return ReplaceOutcome::Failed;
}

bool CWin32UpdatePlatform::RemoveFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool CWin32UpdatePlatform::FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CWin32UpdatePlatform::DirectoryExists(const std::string& path)
{
    return IsDirectory(path);
}

std::optional<VersionNumber> CWin32UpdatePlatform::FileVersion(const std::string& path)
{
    return ReadFileVersion(path);
}

std::string CWin32UpdatePlatform::InstallDirectory(char location, const std::string& extra)
{
    switch (location) {
    case '1':
        return SystemDirectory();
    case '2':
        return PluginDirectory();
    case '3':
        return ServerDirectory(extra);
    default:
        return std::string();
    }
}

std::optional<std::string> CWin32UpdatePlatform::RecordedDirectory(const std::string& fileName)
{
    return m_registry.ReadDirectory(fileName);
}

void CWin32UpdatePlatform::RecordDirectory(const std::string& fileName, const std::string& directory)
{
    m_registry.WriteDirectory(fileName, directory);
}

void CWin32UpdatePlatform::ForgetDirectory(const std::string& fileName)
{
    m_registry.DeleteDirectory(fileName);
}

bool CWin32UpdatePlatform::RegisterServer(const std::string& path, bool doRegister)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
        return false;
    using ServerEntry = HRESULT(STDAPICALLTYPE*)();
    const auto entry = reinterpret_cast<ServerEntry>(reinterpret_cast<void*>(
        GetProcAddress(module, doRegister ? "DllRegisterServer" : "DllUnregisterServer")));
    const bool done = entry && SUCCEEDED(entry());
    FreeLibrary(module);
    return done;
}

bool CWin32UpdatePlatform::RunProgram(const std::string& path, const std::string& parameters)
{
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.lpFile = path.c_str();
    run.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    run.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&run) || !run.hProcess)
        return false;
    DWORD code = STILL_ACTIVE;
    while (GetExitCodeProcess(run.hProcess, &code) && code == STILL_ACTIVE)
        Sleep(kProgramPollMs);
    CloseHandle(run.hProcess);
    return true;
}

void CWin32UpdatePlatform::FinishContent(bool keep)
{
    if (!keep || !m_registry.KeepRunningContent())
        m_registry.DeleteRunningContent();
}

void CWin32UpdatePlatform::LogError(const std::string& text, unsigned category)
{
    m_registry.AppendLastError(text, category);
}

std::string CWin32UpdatePlatform::SystemDirectory()
{
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : WithSeparator(path);
}

std::string CWin32UpdatePlatform::PluginDirectory()
{
    if (const auto install = ReadDefault(HKEY_CURRENT_USER, "Software\\Netscape\\Netscape Navigator\\Main",
                                         "Install Directory")) {
        const std::string folder = WithSeparator(*install) + "Program\\Plugins\\";
        if (IsDirectory(folder))
            return folder;
    }
    const auto program = ReadDefault(HKEY_LOCAL_MACHINE,
                                     "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Netscape.exe");
    if (!program || DirectoryOfFile(*program).empty())
        return std::string();
    return DirectoryOfFile(*program) + "Plugins\\";
}

std::string CWin32UpdatePlatform::ServerDirectory(const std::string& classId)
{
    if (classId.empty())
        return std::string();
    for (const char* server : {"InprocServer32", "LocalServer32"}) {
        const auto path = ReadDefault(HKEY_CLASSES_ROOT, "CLSID\\" + classId + "\\" + server);
        if (path && !DirectoryOfFile(*path).empty())
            return DirectoryOfFile(*path);
    }
    return std::string();
}
