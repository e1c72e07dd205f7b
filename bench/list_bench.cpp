// Walks two folder trees with FindFirstFileW / FindNextFileW and nothing
// else: the least work a synchronization run with nothing to copy must do.
//
//   varnholt_bench_list [--stat] <repeats> <folder A> <folder B>
//
// Each repeat lists A, then B, at any depth ("." and ".." skipped, folder
// links not followed). With --stat it also does what a run does for every
// listed file: query the modification time of the file and of its
// counterpart in the other tree (GetFileAttributesExW), both directions.
// Output, one line per repeat, read by bench/bench.py:
//   list <seconds> files <n> folders <n>

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "bench/stopwatch.h"
#include "platform/handles.h"

namespace {

using varnholt::bench::Stopwatch;

struct Counts {
    long files = 0;
    long folders = 0;
    long missingCounterparts = 0;
};

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

void QueryTime(const std::wstring& path, Counts& counts) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        ++counts.missingCounterparts;
    }
}

// `relative` is empty or starts with a backslash.
void Walk(const std::wstring& root, const std::wstring& relative, const std::wstring* otherRoot,
          Counts& counts) {
    const std::wstring folder = root + relative;
    WIN32_FIND_DATAW entry;
    const varnholt::UniqueFind find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) {
        return;
    }
    do {
        if (IsDotEntry(entry.cFileName)) {
            continue;
        }
        const std::wstring child = relative + L"\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ++counts.folders;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                Walk(root, child, otherRoot, counts);
            }
        } else {
            ++counts.files;
            if (otherRoot) {
                QueryTime(root + child, counts);
                QueryTime(*otherRoot + child, counts);
            }
        }
    } while (::FindNextFileW(find.get(), &entry));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int arg = 1;
    const bool stat = argc > 1 && std::wcscmp(argv[1], L"--stat") == 0;
    if (stat) {
        ++arg;
    }
    if (argc - arg != 3) {
        std::fwprintf(stderr,
                      L"usage: varnholt_bench_list [--stat] <repeats> <folder A> <folder B>\n");
        return 2;
    }
    const long repeats = std::wcstol(argv[arg], nullptr, 10);
    const std::wstring a = argv[arg + 1];
    const std::wstring b = argv[arg + 2];
    if (repeats < 1) {
        std::fwprintf(stderr, L"varnholt_bench_list: repeats must be at least 1\n");
        return 2;
    }

    for (long i = 0; i < repeats; ++i) {
        Counts counts;
        const Stopwatch watch;
        Walk(a, L"", stat ? &b : nullptr, counts);
        Walk(b, L"", stat ? &a : nullptr, counts);
        const double seconds = watch.Seconds();
        std::wprintf(L"list %.6f files %ld folders %ld\n", seconds, counts.files, counts.folders);
        if (counts.missingCounterparts > 0) {
            std::fwprintf(stderr, L"varnholt_bench_list: %ld status queries failed\n",
                          counts.missingCounterparts);
        }
        std::fflush(stdout);
    }
    return 0;
}
