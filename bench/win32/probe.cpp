#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

// Starts a tray program, measures it as a user meets it, and ends it through
// its own Exit button:
//   probe <program.exe> <pop-up window class> <setup window class>
// prints one line of figures: start-up (process start to the "tray add"
// debug line), tray click (left-button callback posted to the pop-up window
// to the setup window visible), private memory and handle counts after
// start-up. The debug lines are read as a debug viewer reads them, through
// the DBWIN buffer, so no log has to be parsed and one clock serves all.

namespace {

constexpr UINT kTrayCallbackMsg = WM_USER + 1;
constexpr WPARAM kTrayIconId = 100;
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kSettleMs = 500;
constexpr int kClickTimeoutMs = 10000;
constexpr DWORD kExitTimeoutMs = 10000;

class ScopedHandle {
  public:
    explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~ScopedHandle() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

class ScopedView {
  public:
    explicit ScopedView(void* view) : view_(view) {}
    ~ScopedView() {
        if (view_ != nullptr) {
            UnmapViewOfFile(view_);
        }
    }
    ScopedView(const ScopedView&) = delete;
    ScopedView& operator=(const ScopedView&) = delete;
    const char* bytes() const { return static_cast<const char*>(view_); }

  private:
    void* view_;
};

double nowMs() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The viewer side of OutputDebugString: the writer waits for "buffer ready",
// fills the shared buffer (process id, then the text) and sets "data ready".
class DebugMonitor {
  public:
    DebugMonitor()
        : bufferReady_(CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY")),
          dataReady_(CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY")),
          mapping_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096,
                                      "DBWIN_BUFFER")),
          view_(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 4096)),
          trayAdded_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    DebugMonitor(const DebugMonitor&) = delete;
    DebugMonitor& operator=(const DebugMonitor&) = delete;
    ~DebugMonitor() {
        stop_ = true;
        if (reader_.get() != nullptr) {
            WaitForSingleObject(reader_.get(), INFINITE);
        }
    }

    bool ready() const { return view_.bytes() != nullptr; }
    // A thread of Windows' own: the compiler's thread model for XP has no
    // std::thread.
    void start() {
        reader_ = ScopedHandle(CreateThread(nullptr, 0, readerThread, this, 0, nullptr));
    }
    void watch(DWORD processId) { watched_ = processId; }
    // The time the watched program's "tray add" line arrived, or a negative
    // value if it did not arrive in time.
    double waitForTrayAdd(DWORD timeoutMs) const {
        if (WaitForSingleObject(trayAdded_.get(), timeoutMs) != WAIT_OBJECT_0) {
            return -1.0;
        }
        return trayAddedAt_;
    }

  private:
    static DWORD WINAPI readerThread(void* monitor) {
        static_cast<DebugMonitor*>(monitor)->readLines();
        return 0;
    }

    void readLines() {
        SetEvent(bufferReady_.get());
        while (!stop_) {
            if (WaitForSingleObject(dataReady_.get(), 50) != WAIT_OBJECT_0) {
                continue;
            }
            double arrived = nowMs();
            DWORD writer = 0;
            std::memcpy(&writer, view_.bytes(), sizeof writer);
            std::string text(view_.bytes() + sizeof writer,
                             strnlen(view_.bytes() + sizeof writer, 4096 - sizeof writer));
            SetEvent(bufferReady_.get());
            if (writer == watched_ && text.find("tray add") != std::string::npos &&
                WaitForSingleObject(trayAdded_.get(), 0) != WAIT_OBJECT_0) {
                trayAddedAt_ = arrived;
                SetEvent(trayAdded_.get());
            }
        }
    }

    ScopedHandle bufferReady_;
    ScopedHandle dataReady_;
    ScopedHandle mapping_;
    ScopedView view_;
    ScopedHandle trayAdded_;
    std::atomic<bool> stop_{false};
    std::atomic<DWORD> watched_{0};
    double trayAddedAt_ = 0.0;
    ScopedHandle reader_;
};

struct Footprint {
    unsigned long long privateKb = 0;
    unsigned long long workingSetKb = 0;
    unsigned long handles = 0;
    unsigned long gdiObjects = 0;
    unsigned long userObjects = 0;
    const char* memorySource = "psapi";
};

// Wine keeps no per-process handle count, but its system handle table is
// complete; Windows answers GetProcessHandleCount directly.
unsigned long countHandlesInSystemTable(DWORD processId) {
    struct Entry {
        ULONG ownerPid;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    std::vector<char> table(1 << 20);
    ULONG needed = 0;
    while (NtQuerySystemInformation(kSystemHandleInformation, table.data(),
                                    static_cast<ULONG>(table.size()), &needed) != 0) {
        if (table.size() >= (64u << 20)) {
            return 0;
        }
        table.resize(table.size() * 2);
    }
    ULONG count = 0;
    std::memcpy(&count, table.data(), sizeof count);
    const auto* entries = reinterpret_cast<const Entry*>(table.data() + sizeof(ULONG_PTR));
    unsigned long owned = 0;
    for (ULONG i = 0; i < count; ++i) {
        owned += entries[i].ownerPid == processId ? 1 : 0;
    }
    return owned;
}

bool runningUnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string readWholeFile(const std::string& path) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    std::string contents;
    if (file.get() == INVALID_HANDLE_VALUE) {
        return contents;
    }
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
        contents.append(chunk, got);
    }
    return contents;
}

// Under Wine the program is one Linux process whose command line starts with
// the Windows path it was started from; its anonymous resident memory is what
// Windows would count as private bytes.
unsigned long long wineProcessKb(const std::string& programPath, const char* field) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    unsigned long long kb = 0;
    do {
        std::string dir = std::string("Z:\\proc\\") + entry.cFileName;
        if (entry.cFileName[0] < '1' || entry.cFileName[0] > '9') {
            continue;
        }
        std::string commandLine = readWholeFile(dir + "\\cmdline");
        if (lstrcmpiA(commandLine.c_str(), programPath.c_str()) != 0) {
            continue;
        }
        std::string status = readWholeFile(dir + "\\status");
        size_t at = status.find(std::string(field) + ":");
        if (at != std::string::npos) {
            kb = std::strtoull(status.c_str() + at + std::strlen(field) + 1, nullptr, 10);
        }
        break;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return kb;
}

Footprint readFootprint(HANDLE process, DWORD processId, const std::string& programPath) {
    Footprint footprint;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        footprint.privateKb = counters.PrivateUsage / 1024;
        footprint.workingSetKb = counters.WorkingSetSize / 1024;
    }
    if (footprint.privateKb == 0 && runningUnderWine()) {
        footprint.privateKb = wineProcessKb(programPath, "RssAnon");
        footprint.workingSetKb = wineProcessKb(programPath, "VmRSS");
        footprint.memorySource = "proc";
    }
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    footprint.handles = handles != 0 ? handles : countHandlesInSystemTable(processId);
    footprint.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    footprint.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    return footprint;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK matchProgramWindow(HWND window, LPARAM context) {
    auto* wanted = reinterpret_cast<WindowSearch*>(context);  // NOLINT(performance-no-int-to-ptr)
    char name[64] = {};
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, name, sizeof name);
    if (owner == wanted->processId && lstrcmpiA(name, wanted->className) == 0) {
        wanted->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findProgramWindow(DWORD processId, const char* className) {
    WindowSearch search{processId, className, nullptr};
    EnumWindows(matchProgramWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct CaptionSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK matchCaption(HWND child, LPARAM context) {
    auto* wanted = reinterpret_cast<CaptionSearch*>(context);  // NOLINT(performance-no-int-to-ptr)
    char caption[64] = {};
    GetWindowTextA(child, caption, sizeof caption);
    if (lstrcmpA(caption, wanted->caption) == 0) {
        wanted->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND findChildByCaption(HWND parent, const char* caption) {
    CaptionSearch search{caption, nullptr};
    EnumChildWindows(parent, matchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Posts the tray's left-button press and returns the time until the setup
// window is visible, or a negative value if it never shows. The window is
// looked up before the click where it already exists hidden, so the wait
// itself costs the program as little as possible.
double timeTrayClick(DWORD processId, HWND popUp, const char* setupClass) {
    HWND setup = findProgramWindow(processId, setupClass);
    const double posted = nowMs();
    PostMessageA(popUp, kTrayCallbackMsg, kTrayIconId, WM_LBUTTONDOWN);
    for (int waited = 0; waited < kClickTimeoutMs; ++waited) {
        if (setup == nullptr) {
            setup = findProgramWindow(processId, setupClass);
        }
        if (setup != nullptr && IsWindowVisible(setup)) {
            return nowMs() - posted;
        }
        Sleep(1);
    }
    return -1.0;
}

bool clickExit(DWORD processId, const char* setupClass) {
    HWND setup = findProgramWindow(processId, setupClass);
    HWND exitButton = setup != nullptr ? findChildByCaption(setup, "Exit") : nullptr;
    if (exitButton == nullptr) {
        return false;
    }
    SendMessageA(exitButton, BM_CLICK, 0, 0);
    return true;
}

int fail(const char* why) {
    std::printf("error=%s\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: probe <program.exe> <pop-up class> <setup class>\n");
        return 2;
    }
    char fullPath[MAX_PATH] = {};
    GetFullPathNameA(argv[1], sizeof fullPath, fullPath, nullptr);
    const std::string programPath = fullPath;
    const char* popUpClass = argv[2];
    const char* setupClass = argv[3];
    DebugMonitor monitor;
    if (!monitor.ready()) {
        return fail("no-debug-buffer");
    }
    monitor.start();

    // Started suspended so the watch is in place before the first debug line;
    // the time to create the process still counts, as a user waits for it too.
    std::string commandLine = "\"" + programPath + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    const double launched = nowMs();
    if (!CreateProcessA(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, nullptr, &startup, &created)) {
        return fail("cannot-start");
    }
    ScopedHandle process(created.hProcess);
    ScopedHandle thread(created.hThread);
    monitor.watch(created.dwProcessId);
    const double resumed = nowMs();
    ResumeThread(created.hThread);

    const double trayAdded = monitor.waitForTrayAdd(kStartTimeoutMs);
    if (trayAdded < 0) {
        TerminateProcess(created.hProcess, 1);
        return fail("no-tray-add");
    }
    Sleep(kSettleMs);
    const Footprint footprint = readFootprint(created.hProcess, created.dwProcessId, programPath);

    HWND popUp = findProgramWindow(created.dwProcessId, popUpClass);
    const double click =
        popUp != nullptr ? timeTrayClick(created.dwProcessId, popUp, setupClass) : -1.0;

    const bool clean = clickExit(created.dwProcessId, setupClass) &&
                       WaitForSingleObject(created.hProcess, kExitTimeoutMs) == WAIT_OBJECT_0;
    if (!clean) {
        TerminateProcess(created.hProcess, 1);
    }
    std::printf(
        "startup_ms=%.2f startup_after_load_ms=%.2f click_ms=%.2f private_kb=%llu "
        "working_set_kb=%llu handles=%lu gdi=%lu user=%lu memory_source=%s exit=%s\n",
        trayAdded - launched, trayAdded - resumed, click, footprint.privateKb,
        footprint.workingSetKb, footprint.handles, footprint.gdiObjects, footprint.userObjects,
        footprint.memorySource, clean ? "clean" : "killed");
    return click >= 0 && clean ? 0 : 1;
}
