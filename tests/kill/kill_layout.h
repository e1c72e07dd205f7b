#pragma once
// What the kill test's writer (kill_writer.cpp) and its driver
// (kill_test.cpp) agree on: the layout below the folder the writer is given,
// and the two "Folders1" values it writes into the settings file in turn.
//
//   <folder>\progress             the shared progress word (shared_progress.h)
//   <folder>\program\config.ini   the settings file (mode "settings")
//   <folder>\sources\first        the two sources of mode "copy", copied in
//   <folder>\sources\second       turn over
//   <folder>\target\file          the copy's target

#include <chrono>
#include <cstdint>
#include <string>

namespace varnholt::test::kill {

inline constexpr wchar_t kProgressFile[] = L"progress";
inline constexpr wchar_t kProgramFolder[] = L"program";
inline constexpr wchar_t kSourcesFolder[] = L"sources";
inline constexpr wchar_t kTargetFolder[] = L"target";
inline constexpr wchar_t kFirstSource[] = L"first";
inline constexpr wchar_t kSecondSource[] = L"second";
inline constexpr wchar_t kTargetFile[] = L"file";

inline constexpr wchar_t kSettingsMode[] = L"settings";
inline constexpr wchar_t kCopyMode[] = L"copy";

// A writer still running after this long ends by itself (its driver failed
// to kill it).
inline constexpr std::chrono::seconds kWriterLifetime{120};

// Exit codes of a writer that ends by itself: a wrong command line or no
// progress file; a write that failed; the lifetime over.
inline constexpr int kWriterNotSetUp = 1;
inline constexpr int kWriterWriteFailed = 2;
inline constexpr int kWriterLifetimeOver = 3;

// One pair of folders.
inline std::wstring ShortFolderList() {
    return L"C:\\Data*";
}

// Two hundred pairs, each entry different from the next (about 8 KB).
inline std::wstring LongFolderList() {
    std::wstring value;
    for (int n = 0; n < 200; ++n) {
        value += L"C:\\Users\\Public\\Documents\\Project " + std::to_wstring(1000 + n) + L"*";
    }
    return value;
}

// Write n (counted from 1) stores the long list when n is odd and the short
// one when it is even; the file holds the short one before the first write.
inline std::wstring FolderListOfWrite(std::uint32_t write) {
    return write % 2 == 1 ? LongFolderList() : ShortFolderList();
}

// Likewise for the copy: write n copies the second source when n is odd and
// the first when it is even; the target holds the first before.
inline const wchar_t* SourceOfWrite(std::uint32_t write) {
    return write % 2 == 1 ? kSecondSource : kFirstSource;
}

} // namespace varnholt::test::kill
