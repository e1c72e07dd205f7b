// The writer that the kill test (kill_test.cpp) kills at random moments. It
// writes without end through the program's own code, alternating between two
// contents, and notes in the shared progress word (shared_progress.h) which
// write it is at and how far that write got:
//
//   kill_writer settings <folder>   the "Folders1" value of
//                                   <folder>\program\config.ini, long and
//                                   short in turn (PowerClass::WriteConfigValue)
//   kill_writer copy <folder>       <folder>\sources\second and \first in turn
//                                   over <folder>\target\file (SafeCopyFile)
//
// With its temporary file complete, just before the rename, a write lingers
// for a random moment of up to kLingerBeforeRename, as a process that loses
// the processor there would: the rename itself takes only microseconds, and
// the driver's kills aimed at it land on both sides of it so.
//
// It ends by itself only when something is wrong (kill_layout.h has the exit
// codes); the reason goes to the standard error.

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "base/errors.h"
#include "platform/fail_safe_write.h"
#include "platform/program_path.h"
#include "settings/power_class.h"
#include "sync/safe_copy.h"
#include "tests/kill/kill_layout.h"
#include "tests/kill/shared_progress.h"

#ifndef _WIN32
#include <algorithm>

#include "platform/native_path.h"
#endif

namespace varnholt::test::kill {
namespace {

constexpr std::chrono::microseconds kLingerBeforeRename{100};

// One write of the given number; false (with the reason on the standard
// error) when it failed.
using WriteOnce = std::function<bool(std::uint32_t write)>;

WriteOnce SettingsWriter(const std::wstring& folder) {
    SetModuleFileNameForTesting(folder + L"\\" + kProgramFolder + L"\\Varnholt.exe");
    return [](std::uint32_t write) {
        try {
            PowerClass().WriteConfigValue(ConfigKeys::kFolders1, FolderListOfWrite(write));
            return true;
        } catch (const Error& error) {
            std::fprintf(stderr, "kill_writer: write %u failed: %s\n", write, error.what());
            return false;
        }
    };
}

WriteOnce CopyWriter(const std::wstring& folder) {
    const std::wstring sources = folder + L"\\" + kSourcesFolder + L"\\";
    const std::wstring target = folder + L"\\" + kTargetFolder + L"\\" + kTargetFile;
    return [sources, target](std::uint32_t write) {
        const CopyOutcome outcome = SafeCopyFile(sources + SourceOfWrite(write), target);
        if (outcome.result != CopyResult::Copied) {
            std::fprintf(stderr, "kill_writer: copy %u failed: result %d, fault %d\n", write,
                         static_cast<int>(outcome.result), static_cast<int>(outcome.fault));
            return false;
        }
        return true;
    };
}

int Run(const std::wstring& mode, const std::wstring& folder) {
    SharedProgress progress(folder + L"\\" + kProgressFile);
    if (!progress.IsOpen()) {
        std::fprintf(stderr, "kill_writer: cannot map the progress file\n");
        return kWriterNotSetUp;
    }
    WriteOnce writeOnce;
    if (mode == kSettingsMode) {
        writeOnce = SettingsWriter(folder);
    } else if (mode == kCopyMode) {
        writeOnce = CopyWriter(folder);
    } else {
        std::fprintf(stderr, "kill_writer: unknown mode\n");
        return kWriterNotSetUp;
    }
    std::uint32_t write = 0;
    std::minstd_rand random(CurrentProcessId());
    // Called when the temporary file is complete, just before the rename.
    SetBeforeReplaceForTesting([&](const std::wstring&, const std::wstring&) {
        progress.Store({write, WriteStep::Replacing});
        const auto until = std::chrono::steady_clock::now() +
                           std::chrono::microseconds(random() % (kLingerBeforeRename.count() + 1));
        while (std::chrono::steady_clock::now() < until) {
        }
        return FileFault::None;
    });
    progress.Store({0, WriteStep::Ready});
    const auto end = std::chrono::steady_clock::now() + kWriterLifetime;
    while (std::chrono::steady_clock::now() < end) {
        ++write;
        progress.Store({write, WriteStep::Making});
        if (!writeOnce(write)) {
            return kWriterWriteFailed;
        }
        progress.Store({write, WriteStep::Done});
    }
    return kWriterLifetimeOver;
}

} // namespace
} // namespace varnholt::test::kill

#ifdef _WIN32
int wmain(int argc, wchar_t* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kill_writer settings|copy FOLDER\n");
        return varnholt::test::kill::kWriterNotSetUp;
    }
    return varnholt::test::kill::Run(argv[1], argv[2]);
}
#else
int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kill_writer settings|copy FOLDER\n");
        return varnholt::test::kill::kWriterNotSetUp;
    }
    // The program's paths are Windows paths: '/' becomes '\\'.
    std::wstring folder = varnholt::FromNativeName(argv[2]);
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return varnholt::test::kill::Run(varnholt::FromNativeName(argv[1]), folder);
}
#endif
