// Measures Pixmora against the bare window from the same build, side by side in
// one run: start-up until the window is visible and filled in, the time from a
// quick-set click to its notice, the peak working sets and the shipped exes'
// sizes. It prints figures and ratios; judging them is left to the reader,
// since a shared machine under Wine is too noisy for a pass/fail line.
//
//   measure.exe [--pixmora PATH] [--bare PATH] [--bare-manifest PATH] [--shipped PATH]
//               [--shipped-bare PATH] [--runs N] [--clicks N] [--settle-ms N]
//
// Pixmora.exe, PixmoraBare.exe and PixmoraBareManifest.exe default to the ones
// beside measure.exe. The last, the bare window with Pixmora's manifest, is
// started in the same rounds when it exists and reported apart, for
// comparison only: it shows how much of the difference is the common controls
// the manifest asks for. The
// clicks write the game's registry key, so it runs only in a throwaway Wine
// prefix: PIXMORA_TEST_PREFIX must equal WINEPREFIX.
#include <windows.h>

#include <psapi.h>

#include "app/controls.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// The controls the measurement looks at: the two resolution fields and the
// first quick-set button.
constexpr int gameResolutionLabel = controlNumber(ControlId::标签2);
constexpr int desktopResolutionLabel = controlNumber(ControlId::标签4);
constexpr int quickSetButton = controlNumber(ControlId::按钮2);
constexpr wchar_t placeholderText[] = L"标签";
constexpr wchar_t noticeClass[] = L"#32770";
constexpr wchar_t noticeTitle[] = L"设置成功！";

constexpr DWORD startTimeoutMs = 20000;
constexpr DWORD noticeTimeoutMs = 10000;
constexpr DWORD closeTimeoutMs = 10000;

struct Options {
    std::wstring pixmora;
    std::wstring bare;
    std::wstring bareManifest;
    std::wstring shipped;
    std::wstring shippedBare;
    int runs = 15;
    int clicks = 15;
    DWORD settleMs = 300;
};

// What is started, and when its start-up counts as done.
struct Target {
    const char* name;
    std::wstring path;
    const wchar_t* title;
    bool needsFilledLabels;
};

double nowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerMs;
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double minimum(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

double toMiB(SIZE_T bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

std::wstring windowText(HWND window) {
    // InternalGetWindowText reads the text the system keeps for the window
    // without sending the program a message, so a program still busy starting
    // up is neither blocked nor hurried by the measurement.
    wchar_t buffer[256] = {};
    InternalGetWindowText(window, buffer, 256);
    return buffer;
}

DWORD windowProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

HWND findProcessWindow(DWORD process, const wchar_t* className, const wchar_t* title) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, title)) != nullptr) {
        if (windowProcess(window) == process) {
            return window;
        }
    }
    return nullptr;
}

bool labelFilled(HWND mainWindow, int id) {
    HWND label = GetDlgItem(mainWindow, id);
    if (label == nullptr) {
        return false;
    }
    const std::wstring text = windowText(label);
    return !text.empty() && text != placeholderText;
}

// Waits until `done` holds, checking it every millisecond. Returns the time it
// was first seen to hold, or a negative number if the process ended or the
// time ran out first. (An out-of-context WinEvent hook on EVENT_OBJECT_SHOW
// would be more exact on Windows, but Wine 8 delivers no such events from
// another process, so polling is what measures under Wine. One round of
// checks and the wait take about 2-3 ms there.)
template <typename Condition> double waitUntil(HANDLE process, DWORD timeoutMs, Condition done) {
    const double deadline = nowMs() + timeoutMs;
    for (;;) {
        if (done()) {
            return nowMs();
        }
        if (nowMs() > deadline) {
            return -1.0;
        }
        if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0) {
            return done() ? nowMs() : -1.0;
        }
    }
}

// One started program; ends it on the way out if it is still running.
class Launched {
  public:
    Launched() = default;
    ~Launched() { close(); }
    Launched(const Launched&) = delete;
    Launched& operator=(const Launched&) = delete;

    // Starts the program and returns the milliseconds from process creation
    // until its window is visible (and, for Pixmora, shows both resolutions),
    // or a negative number if that never happened.
    double start(const Target& target) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + target.path + L"\"";
        const double begin = nowMs();
        if (!CreateProcessW(target.path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                            nullptr, nullptr, &startup, &info_)) {
            std::fprintf(stderr, "measure: cannot start %ls (error %lu)\n", target.path.c_str(),
                         GetLastError());
            return -1.0;
        }
        const double shown = waitUntil(info_.hProcess, startTimeoutMs, [&] {
            if (window_ == nullptr) {
                window_ = findProcessWindow(info_.dwProcessId, nullptr, target.title);
            }
            return window_ != nullptr && IsWindowVisible(window_) &&
                   (!target.needsFilledLabels || (labelFilled(window_, gameResolutionLabel) &&
                                                  labelFilled(window_, desktopResolutionLabel)));
        });
        if (shown < 0) {
            std::fprintf(stderr, "measure: %s %s\n", target.name,
                         WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0
                             ? "ended without showing its window"
                             : "did not show its filled-in window in time");
            return -1.0;
        }
        return shown - begin;
    }

    // Lets the program finish its first paint and go idle, so that the peak
    // working set read next covers a window the user can actually see.
    void settle(DWORD extraMs) {
        WaitForInputIdle(info_.hProcess, 5000);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        Sleep(extraMs);
    }

    SIZE_T peakWorkingSet() const {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        if (!GetProcessMemoryInfo(info_.hProcess, &counters, sizeof counters)) {
            return 0;
        }
        return counters.PeakWorkingSetSize;
    }

    // Presses 按钮2 and returns the milliseconds until its notice is visible,
    // then closes the notice with its OK button and waits for the handler to
    // return. Negative if the notice did not come or did not go.
    double clickQuickSet() {
        HWND button = GetDlgItem(window_, quickSetButton);
        if (button == nullptr) {
            std::fprintf(stderr, "measure: Pixmora has no control %d\n", quickSetButton);
            return -1.0;
        }
        HWND notice = nullptr;
        const double begin = nowMs();
        PostMessageW(button, BM_CLICK, 0, 0);
        const double shown = waitUntil(info_.hProcess, noticeTimeoutMs, [&] {
            if (notice == nullptr) {
                notice = findProcessWindow(info_.dwProcessId, noticeClass, noticeTitle);
            }
            return notice != nullptr && IsWindowVisible(notice);
        });
        if (shown < 0) {
            std::fprintf(stderr, "measure: no notice after clicking the quick-set button\n");
            return -1.0;
        }
        PostMessageW(GetDlgItem(notice, IDOK), BM_CLICK, 0, 0);
        if (waitUntil(info_.hProcess, noticeTimeoutMs, [&] { return !IsWindow(notice); }) < 0) {
            std::fprintf(stderr, "measure: the notice did not close on OK\n");
            return -1.0;
        }
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        return shown - begin;
    }

    void close() {
        if (info_.hProcess == nullptr) {
            return;
        }
        if (window_ != nullptr) {
            PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(info_.hProcess, closeTimeoutMs) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "measure: the program did not end on WM_CLOSE; ending it\n");
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, closeTimeoutMs);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
        info_ = {};
        window_ = nullptr;
    }

  private:
    PROCESS_INFORMATION info_ = {};
    HWND window_ = nullptr;
};

struct StartFigures {
    std::vector<double> startMs;
    std::vector<double> peakMiB;
    bool ok = true;
};

bool startAndClose(const Target& target, const Options& options, StartFigures& figures) {
    Launched program;
    const double ms = program.start(target);
    if (ms < 0) {
        return false;
    }
    program.settle(options.settleMs);
    figures.startMs.push_back(ms);
    figures.peakMiB.push_back(toMiB(program.peakWorkingSet()));
    return true;
}

struct ClickFigures {
    std::vector<double> clickMs;
    double peakMiB = 0.0;
    bool ok = false;
};

ClickFigures measureClicks(const Target& pixmora, const Options& options) {
    ClickFigures figures;
    Launched program;
    if (program.start(pixmora) < 0) {
        return figures;
    }
    program.settle(options.settleMs);
    // The first click loads what the notice needs; it is the warm-up.
    if (program.clickQuickSet() < 0) {
        return figures;
    }
    for (int i = 0; i < options.clicks; ++i) {
        const double ms = program.clickQuickSet();
        if (ms < 0) {
            return figures;
        }
        figures.clickMs.push_back(ms);
    }
    program.settle(options.settleMs);
    figures.peakMiB = toMiB(program.peakWorkingSet());
    figures.ok = true;
    return figures;
}

bool fileSize(const std::wstring& path, double& kib) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return false;
    }
    kib = static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) |
                              data.nFileSizeLow) /
          1024.0;
    return true;
}

std::wstring environment(const wchar_t* name) {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(buffer) : std::wstring();
}

bool inThrowawayPrefix() {
    const std::wstring prefix = environment(L"WINEPREFIX");
    return !prefix.empty() && prefix == environment(L"PIXMORA_TEST_PREFIX");
}

std::wstring besideThisExe(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}

bool parseOptions(int argc, wchar_t** argv, Options& options) {
    options.pixmora = besideThisExe(L"Pixmora.exe");
    options.bare = besideThisExe(L"PixmoraBare.exe");
    options.bareManifest = besideThisExe(L"PixmoraBareManifest.exe");
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--pixmora" && hasValue) {
            options.pixmora = argv[++i];
        } else if (arg == L"--bare" && hasValue) {
            options.bare = argv[++i];
        } else if (arg == L"--bare-manifest" && hasValue) {
            options.bareManifest = argv[++i];
        } else if (arg == L"--shipped" && hasValue) {
            options.shipped = argv[++i];
        } else if (arg == L"--shipped-bare" && hasValue) {
            options.shippedBare = argv[++i];
        } else if (arg == L"--runs" && hasValue) {
            options.runs = _wtoi(argv[++i]);
        } else if (arg == L"--clicks" && hasValue) {
            options.clicks = _wtoi(argv[++i]);
        } else if (arg == L"--settle-ms" && hasValue) {
            options.settleMs = static_cast<DWORD>(_wtoi(argv[++i]));
        } else {
            std::fprintf(stderr, "measure: unknown or incomplete option %ls\n", arg.c_str());
            return false;
        }
    }
    return options.runs > 0 && options.clicks > 0;
}

void printSizes(const Options& options) {
    double pixmoraKib = 0.0;
    double bareKib = 0.0;
    const bool havePixmora = fileSize(options.shipped, pixmoraKib);
    const bool haveBare = fileSize(options.shippedBare, bareKib);
    if (!havePixmora && !haveBare) {
        return;
    }
    std::printf("%-36s", "32-bit exe size (KiB)");
    havePixmora ? std::printf("%10.1f", pixmoraKib) : std::printf("%10s", "-");
    haveBare ? std::printf("%12.1f", bareKib) : std::printf("%12s", "-");
    if (havePixmora && haveBare) {
        std::printf("%10.2fx", pixmoraKib / bareKib);
    }
    std::printf("\n");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (!inThrowawayPrefix()) {
        std::fprintf(stderr, "measure: the clicks write the game's registry key; run it through "
                             "scripts/bench.sh, which makes a throwaway WINEPREFIX\n");
        return 1;
    }
    Options options;
    if (!parseOptions(argc, argv, options)) {
        return 1;
    }
    const Target pixmora = {"Pixmora", options.pixmora, L"Pixmora", true};
    const Target bare = {"PixmoraBare", options.bare, L"PixmoraBare", false};
    const Target bareManifest = {"PixmoraBareManifest", options.bareManifest, L"PixmoraBare",
                                 false};
    const bool withBareManifest =
        GetFileAttributesW(options.bareManifest.c_str()) != INVALID_FILE_ATTRIBUTES;

    // A warm-up of each first: the first start of anything under Wine also
    // pays for loading the system DLLs from disk.
    StartFigures pixmoraFigures;
    StartFigures bareFigures;
    StartFigures bareManifestFigures;
    StartFigures warmUp;
    struct Contender {
        const Target& target;
        StartFigures& figures;
    };
    std::vector<Contender> contenders = {{pixmora, pixmoraFigures}, {bare, bareFigures}};
    if (withBareManifest) {
        contenders.push_back({bareManifest, bareManifestFigures});
    }
    for (Contender& contender : contenders) {
        contender.figures.ok = startAndClose(contender.target, options, warmUp);
    }
    // Take turns, and let a different program go first in each round, so
    // that drift in the machine's load falls on all of them alike.
    for (int i = 0; i < options.runs; ++i) {
        for (size_t turn = 0; turn < contenders.size(); ++turn) {
            Contender& contender = contenders[(i + 1 + turn) % contenders.size()];
            if (contender.figures.ok) {
                contender.figures.ok = startAndClose(contender.target, options, contender.figures);
            }
        }
    }
    const ClickFigures clicks =
        pixmoraFigures.ok ? measureClicks(pixmora, options) : ClickFigures();

    std::printf("%d start-ups of each after a warm-up, alternating; %d clicks\n\n", options.runs,
                options.clicks);
    std::printf("%-36s%10s%12s%11s\n", "", "Pixmora", "bare window", "ratio");
    printSizes(options);
    if (!pixmoraFigures.ok || !bareFigures.ok) {
        std::printf("start-up: %s failed; see above\n",
                    !pixmoraFigures.ok ? pixmora.name : bare.name);
    }
    const bool both = pixmoraFigures.ok && bareFigures.ok;
    const auto row = [&](const char* label, double ours, double floor, bool ratio) {
        std::printf("%-36s", label);
        pixmoraFigures.ok ? std::printf("%10.1f", ours) : std::printf("%10s", "-");
        bareFigures.ok ? std::printf("%12.1f", floor) : std::printf("%12s", "-");
        if (both && ratio) {
            std::printf("%10.2fx", ours / floor);
        } else if (both) {
            std::printf("%+10.1f MiB", ours - floor);
        }
        std::printf("\n");
    };
    row("start-up, median (ms)", median(pixmoraFigures.startMs), median(bareFigures.startMs), true);
    row("start-up, fastest (ms)", minimum(pixmoraFigures.startMs), minimum(bareFigures.startMs),
        true);
    row("peak working set after start (MiB)", median(pixmoraFigures.peakMiB),
        median(bareFigures.peakMiB), false);
    if (clicks.ok) {
        std::printf("%-36s%10.1f\n", "click to notice, median (ms)", median(clicks.clickMs));
        std::printf("%-36s%10.1f\n", "click to notice, fastest (ms)", minimum(clicks.clickMs));
        row("peak working set after clicks (MiB)", clicks.peakMiB, median(bareFigures.peakMiB),
            false);
    } else if (pixmoraFigures.ok) {
        std::printf("clicks: failed; see above\n");
    }
    if (withBareManifest && bareManifestFigures.ok && pixmoraFigures.ok) {
        std::printf("\nFor comparison, the bare window with Pixmora's manifest and one label:\n");
        std::printf("%-36s%10.1f%12.1f%10.2fx\n", "start-up, median (ms)",
                    median(pixmoraFigures.startMs), median(bareManifestFigures.startMs),
                    median(pixmoraFigures.startMs) / median(bareManifestFigures.startMs));
        std::printf("%-36s%10.1f%12.1f%+10.1f MiB\n", "peak working set after start (MiB)",
                    median(pixmoraFigures.peakMiB), median(bareManifestFigures.peakMiB),
                    median(pixmoraFigures.peakMiB) - median(bareManifestFigures.peakMiB));
    } else if (withBareManifest) {
        std::printf("bare window with manifest: failed; see above\n");
    }
    return both && clicks.ok ? 0 : 2;
}
