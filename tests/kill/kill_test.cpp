// Kills a process while it writes, at random moments, and checks after each
// kill that the file it was replacing is whole: byte for byte its whole old
// or its whole new content, never cut short or mixed.
//
// The writer (kill_writer.cpp) writes without end through the program's own
// code, alternating between two contents of clearly different length and
// content: the settings file (PowerClass::WriteConfigValue) or a copy over a
// target (SafeCopyFile). For each kill the driver starts it, waits until it is
// set up, waits a random time (log-uniformly distributed from 1 us to a few
// milliseconds), kills it (SIGKILL; TerminateProcess on Windows) and waits
// until it is gone. Every second kill is aimed at the rename: its delay
// counts from the moment the driver sees the first or second write's
// temporary file complete, and is shorter (otherwise few kills would land
// near the rename, as the flush to the disk takes most of a write's time).
// The progress word the writer left (shared_progress.h) tells which write
// ran and how far it got, and so what the folder may hold:
//   - between writes: the content of the last write, and nothing else;
//   - while the temporary file was made: the old content, and at most that
//     temporary file;
//   - once it was complete: either the old content with the whole new one
//     in the temporary file (before the rename), or the new content and no
//     temporary file (after it).
// Then the driver runs the next write itself, through the same code: beside
// config.ini it must leave no temporary file at all; beside a copy's target
// the killed writer's temporary file must count as abandoned by the scan's
// rule (its process is gone).
//
// VARNHOLT_KILLS sets the number of kills of each test (scripts/stress.sh).
// Anything wrong stops the test at once; the folder is kept under
// kill-evidence/ in the working folder, with an account of the kill.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/errors.h"
#include "platform/fail_safe_write.h"
#include "platform/file_times.h"
#include "platform/program_path.h"
#include "settings/power_class.h"
#include "sync/safe_copy.h"
#include "tests/kill/kill_layout.h"
#include "tests/kill/shared_progress.h"
#include "tests/kill/writer_process.h"
#include "tests/support/test_folder.h"

namespace varnholt::test::kill {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

#ifdef _WIN32
// Each start of a program costs far more under Wine.
constexpr int kDefaultKills = 50;
constexpr std::chrono::microseconds kMaxDelay = 20ms;
constexpr auto kReadyTimeout = 60s;
#else
constexpr int kDefaultKills = 500;
constexpr std::chrono::microseconds kMaxDelay = 5ms;
constexpr auto kReadyTimeout = 10s;
#endif
constexpr std::chrono::microseconds kMaxDelayAtTheRename = 1ms;

// A settings file as shipped, with an empty folder list.
constexpr char kInitialConfig[] = "Folders1\r\n\r\nFolders2\r\n\r\nOptions\r\n00\r\n"
                                  "SyncInterval\r\n0\r\nNextSync\r\n0\r\nStartup\r\nmanually\r\n"
                                  "Language\r\n[----]\r\n";

// The copy's two sources: different bytes, lengths and times.
constexpr std::size_t kFirstSourceSize = 48 * 1024 + 17;
constexpr std::size_t kSecondSourceSize = 1024 * 1024 + 5;
const std::int64_t kFirstSourceTime = UtcFileTime(2011, 3, 4, 5, 6, 7);
const std::int64_t kSecondSourceTime = UtcFileTime(2013, 8, 9, 10, 11, 12);

int Kills() {
    const char* text = std::getenv("VARNHOLT_KILLS");
    const long kills = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    return kills > 0 ? static_cast<int>(kills) : kDefaultKills;
}

std::wstring WriterProgram() {
    std::wstring path = VARNHOLT_KILL_WRITER;
#ifdef _WIN32
    std::replace(path.begin(), path.end(), L'/', L'\\');
#endif
    return path;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text) {
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow;
}

std::string PatternBytes(std::uint32_t seed, std::size_t size) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

const char* StepName(WriteStep step) {
    switch (step) {
    case WriteStep::Starting:
        return "starting";
    case WriteStep::Ready:
        return "ready, no write begun";
    case WriteStep::Making:
        return "making the temporary file";
    case WriteStep::Replacing:
        return "temporary file complete, replacing the target";
    case WriteStep::Done:
        return "write returned";
    }
    return "unknown";
}

// Where a kill landed, as the progress word and the folder tell.
enum class Landing {
    BetweenWrites,     // before the first write or after one returned
    BeforeTemporary,   // making the temporary file, before it existed
    WritingTemporary,  // writing it: not all of the new content in it yet
    FlushingTemporary, // all of the content in it; flushing, closing, times
    BeforeRename,      // complete, not yet in the target's place
    AfterRename,       // in the target's place, the write not yet returned
};
constexpr std::size_t kLandings = 6;
constexpr std::array<const char*, kLandings> kLandingNames = {
    "between writes",
    "making the temporary file, before it existed",
    "writing the temporary file",
    "temporary file written, flush and close not returned",
    "temporary file complete, before the rename",
    "after the rename, before the write returned",
};

// What a kill's delay counts from.
enum class Aim {
    FromSetUp,   // the writer's set-up
    AtTheRename, // a write's temporary file seen complete
};

struct Kill {
    int number = 0;
    Aim aim = Aim::FromSetUp;
    std::uint32_t aimedWrite = 0; // AtTheRename: the write aimed at
    std::uint32_t writer = 0;     // its process id
    std::chrono::microseconds delay{};
    Progress progress;
};

// Kill `number` of a run: odd ones count their delay from the writer's
// set-up, even ones aim at the moment of a rename.
Kill NumberedKill(int number) {
    Kill kill;
    kill.number = number;
    kill.aim = number % 2 == 0 ? Aim::AtTheRename : Aim::FromSetUp;
    return kill;
}

// The first byte at which `a` and `b` differ (their common length when one
// begins the other).
std::size_t FirstDifference(const std::string& a, const std::string& b) {
    const auto [inA, inB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(inA - a.begin());
}

std::string DescribeContent(const std::string& bytes, const std::string& first,
                            const std::string& second) {
    std::ostringstream text;
    text << bytes.size() << " bytes; it differs from the first content (" << first.size()
         << " bytes) from byte " << FirstDifference(bytes, first) << " on, and from the second ("
         << second.size() << " bytes) from byte " << FirstDifference(bytes, second) << " on";
    return text.str();
}

class KillTest : public testing::Test {
protected:
    KillTest() : m_progress(m_folder.Path(kProgressFile)), m_seed(std::random_device()()) {
        m_random.seed(m_seed);
    }

    // Starts the writer in `mode`, waits until it is set up, waits a random
    // time and kills it. False, with the reason in `problem`, when that did
    // not go so (the writer failed to start, or ended by itself).
    bool StartAndKill(const wchar_t* mode, Kill& kill, std::string& problem) {
        m_progress.Store({});
        WriterProcess writer;
        if (!writer.Start(WriterProgram(), {mode, m_folder.Path()}, problem)) {
            return false;
        }
        kill.writer = writer.Id();
        std::string how;
        const auto readyBy = Clock::now() + kReadyTimeout;
        while (m_progress.Load().step == WriteStep::Starting) {
            if (writer.HasEnded(how)) {
                problem = "the writer " + how + " before it was set up";
                return false;
            }
            if (Clock::now() > readyBy) {
                problem = "the writer was not set up in time";
                return false;
            }
            std::this_thread::sleep_for(50us);
        }
        if (kill.aim == Aim::AtTheRename) {
            kill.aimedWrite = 1 + m_random() % 2;
            // Spinning: the step lasts only as long as the rename and the
            // flush of the folder.
            for (Progress seen = m_progress.Load();
                 seen.write < kill.aimedWrite ||
                 (seen.write == kill.aimedWrite && seen.step < WriteStep::Replacing);
                 seen = m_progress.Load()) {
                if (writer.HasEnded(how)) {
                    problem = "the writer " + how + " before its write " +
                              std::to_string(kill.aimedWrite) + " was complete";
                    return false;
                }
            }
            kill.delay = RandomDelay(kMaxDelayAtTheRename);
        } else {
            kill.delay = RandomDelay(kMaxDelay);
        }
        WaitFor(kill.delay);
        const bool killed = writer.Kill(how);
        kill.progress = m_progress.Load();
        if (!killed) {
            problem = "the writer " + how + " before it was killed";
        }
        return killed;
    }

    // Checks `folder` (below the test folder) after a kill: it holds the
    // target and at most one temporary file, the killed writer's, and the
    // target holds what the kill's progress allows (write n's content is
    // `first` when n is even, `second` when it is odd). Gives the target's
    // content and where the kill landed; false with the reason in `problem`.
    bool Inspect(const std::wstring& folder, const std::wstring& targetName,
                 const std::string& first, const std::string& second, const Kill& kill,
                 std::string& target, Landing& landing, std::string& problem) const {
        const std::uint32_t write = kill.progress.write;
        const std::string& newContent = write % 2 == 1 ? second : first;
        const std::string& oldContent = write % 2 == 1 ? first : second;
        std::optional<std::string> temporary;
        bool targetThere = false;
        for (const std::wstring& name : m_folder.Names(folder)) {
            std::uint32_t owner = 0;
            if (name == targetName) {
                targetThere = true;
            } else if (!IsTemporaryName(name, &owner) || owner != kill.writer) {
                problem = "beside the target lies " + Narrow(name) +
                          ", which is no temporary file of the killed writer";
                return false;
            } else if (temporary) {
                problem = "the killed writer left two temporary files";
                return false;
            } else {
                temporary = m_folder.Read(folder + L"\\" + name);
            }
        }
        if (!targetThere) {
            problem = "DAMAGED: the target is gone";
            return false;
        }
        target = m_folder.Read(folder + L"\\" + targetName);
        if (target != first && target != second) {
            problem = "DAMAGED: the target holds " + DescribeContent(target, first, second);
            return false;
        }
        switch (kill.progress.step) {
        case WriteStep::Ready:
        case WriteStep::Done:
            if (target != newContent) {
                problem = "after the write returned, the target holds the content before it";
            } else if (temporary) {
                problem = "a temporary file stays after the write returned";
            }
            landing = Landing::BetweenWrites;
            break;
        case WriteStep::Making:
            if (target != oldContent) {
                problem = "the target holds the new content before its temporary file was complete";
            }
            landing = !temporary                 ? Landing::BeforeTemporary
                      : *temporary == newContent ? Landing::FlushingTemporary
                                                 : Landing::WritingTemporary;
            break;
        case WriteStep::Replacing:
            if (target == oldContent && temporary != newContent) {
                problem = "the target holds the old content, but the complete temporary file "
                          "is no longer there whole";
            } else if (target == newContent && temporary) {
                problem = "a temporary file stays after the rename";
            }
            landing = target == oldContent ? Landing::BeforeRename : Landing::AfterRename;
            break;
        case WriteStep::Starting:
            problem = "the writer was killed before it was set up";
            break;
        }
        return problem.empty();
    }

    // Counts a kill that passed.
    void Count(const Kill& kill, Landing landing) {
        ++m_landings[static_cast<std::size_t>(kill.aim)][static_cast<std::size_t>(landing)];
        const bool returned =
            kill.progress.step == WriteStep::Done || kill.progress.step == WriteStep::Ready;
        m_writesDone += returned ? kill.progress.write : kill.progress.write - 1;
    }

    // The figures of a test that passed.
    void Report(const char* what, int kills, Clock::duration time) const {
        const double seconds = std::chrono::duration<double>(time).count();
        std::ostringstream text;
        text.setf(std::ios::fixed);
        text.precision(1);
        text << what << ": " << kills << " kills in " << seconds << " s (" << seconds * 1000 / kills
             << " ms each), " << m_writesDone << " writes completed by the killed writers, seed "
             << m_seed << "\n";
        char line[160];
        std::snprintf(line, sizeof line, "  %-52s %11s %14s\n", "where they landed", "from set-up",
                      "at the rename");
        text << line;
        for (std::size_t k = 0; k < kLandings; ++k) {
            std::snprintf(line, sizeof line, "  %-52s %11d %14d\n", kLandingNames[k],
                          m_landings[0][k], m_landings[1][k]);
            text << line;
        }
        std::fputs(text.str().c_str(), stdout);
        std::fflush(stdout);
    }

    // Stops the test: keeps the test folder under kill-evidence/ in the
    // working folder, with an account of the kill, and fails with it.
    void Stop(const std::string& kind, const Kill& kill, const std::string& problem) const {
        namespace fs = std::filesystem;
        std::ostringstream account;
        account << kind << ", kill " << kill.number << " (seed " << m_seed << "): " << problem
                << "\nwriter process " << kill.writer << ", killed " << kill.delay.count()
                << " us after "
                << (kill.aim == Aim::AtTheRename
                        ? "write " + std::to_string(kill.aimedWrite) + " was seen complete"
                        : std::string("it was set up"))
                << ", at write " << kill.progress.write << " (" << StepName(kill.progress.step)
                << ")\n";
        const fs::path evidence =
            fs::current_path() / "kill-evidence" /
            (kind + "-" + std::to_string(m_seed) + "-" + std::to_string(kill.number));
        // The copies' times are those of the copying: the originals' go into
        // the account.
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(m_folder.Fs(), error)) {
            if (entry.is_regular_file()) {
                std::wstring relative = fs::relative(entry.path(), m_folder.Fs()).wstring();
                std::replace(relative.begin(), relative.end(), L'/', L'\\');
                const FileStatus status = QueryFileStatus(m_folder.Path(relative));
                account << "  " << Narrow(relative) << ": " << status.size
                        << " bytes, last written at " << status.lastWrite << " (FILETIME)\n";
            }
        }
        fs::create_directories(evidence, error);
        fs::copy(m_folder.Fs(), evidence, fs::copy_options::recursive, error);
        std::ofstream(evidence / "what-happened.txt") << account.str();
        FAIL() << account.str() << "The folder is kept in " << evidence.string();
    }

    test::TestFolder m_folder;
    SharedProgress m_progress;

private:
    std::chrono::microseconds RandomDelay(std::chrono::microseconds longest) {
        std::uniform_real_distribution<double> exponent(0.0, std::log(double(longest.count())));
        return std::chrono::microseconds(std::llround(std::exp(exponent(m_random))));
    }

    // Sleeps for most of a long delay, and spins for the rest: a sleep alone
    // comes back tens of microseconds late.
    static void WaitFor(std::chrono::microseconds delay) {
        const auto until = Clock::now() + delay;
        if (delay > 2ms) {
            std::this_thread::sleep_for(delay - 1ms);
        }
        while (Clock::now() < until) {
            std::this_thread::yield();
        }
    }

    std::uint64_t m_seed;
    std::mt19937_64 m_random;
    std::array<std::array<int, kLandings>, 2> m_landings{};
    std::uint64_t m_writesDone = 0;
};

// The program's settings are read from the test's program folder.
class ProgramFolderScope {
public:
    explicit ProgramFolderScope(const std::wstring& folder) {
        SetModuleFileNameForTesting(folder + L"\\Varnholt.exe");
    }
    ~ProgramFolderScope() { SetModuleFileNameForTesting(L""); }
    ProgramFolderScope(const ProgramFolderScope&) = delete;
    ProgramFolderScope& operator=(const ProgramFolderScope&) = delete;
};

TEST_F(KillTest, SettingsFileIsWholeOldOrWholeNewAfterEveryKill) {
    const std::wstring program = kProgramFolder;
    m_folder.Write(program + L"\\config.ini", kInitialConfig);
    const ProgramFolderScope scope(m_folder.Path(program));
    const PowerClass power;
    // The two contents the writer alternates between, as the program writes them.
    power.WriteConfigValue(ConfigKeys::kFolders1, LongFolderList());
    const std::string second = m_folder.Read(program + L"\\config.ini");
    power.WriteConfigValue(ConfigKeys::kFolders1, ShortFolderList());
    const std::string first = m_folder.Read(program + L"\\config.ini");
    ASSERT_GT(second.size(), first.size() + 4000);
    ASSERT_EQ(first, std::string(kInitialConfig).replace(10, 0, "C:\\Data*"));

    const int kills = Kills();
    const auto start = Clock::now();
    for (int number = 1; number <= kills; ++number) {
        Kill kill = NumberedKill(number);
        std::string problem;
        std::string target;
        Landing landing{};
        if (!StartAndKill(kSettingsMode, kill, problem) ||
            !Inspect(program, L"config.ini", first, second, kill, target, landing, problem)) {
            return Stop("settings", kill, problem);
        }
        // The next write, through the same code: it leaves config.ini alone.
        try {
            power.WriteConfigValue(ConfigKeys::kFolders1, ShortFolderList());
        } catch (const Error& error) {
            return Stop("settings", kill, std::string("the next write failed: ") + error.what());
        }
        if (m_folder.Names(program) != std::vector<std::wstring>{L"config.ini"}) {
            return Stop("settings", kill, "the next write left a temporary file beside config.ini");
        }
        if (m_folder.Read(program + L"\\config.ini") != first) {
            return Stop("settings", kill, "the next write did not store its value");
        }
        Count(kill, landing);
    }
    Report("settings file", kills, Clock::now() - start);
}

TEST_F(KillTest, CopiedTargetIsWholeOldOrWholeNewAfterEveryKill) {
    const std::wstring sources = kSourcesFolder;
    const std::wstring targets = kTargetFolder;
    const std::string first = PatternBytes(1, kFirstSourceSize);
    const std::string second = PatternBytes(2, kSecondSourceSize);
    m_folder.Write(sources + L"\\" + kFirstSource, first, kFirstSourceTime);
    m_folder.Write(sources + L"\\" + kSecondSource, second, kSecondSourceTime);
    m_folder.MakeFolder(targets);
    const std::wstring firstSource = m_folder.Path(sources + L"\\" + kFirstSource);
    const std::wstring target = m_folder.Path(targets + L"\\" + kTargetFile);
    ASSERT_EQ(SafeCopyFile(firstSource, target).result, CopyResult::Copied);

    const int kills = Kills();
    const auto start = Clock::now();
    for (int number = 1; number <= kills; ++number) {
        Kill kill = NumberedKill(number);
        std::string problem;
        std::string content;
        Landing landing{};
        if (!StartAndKill(kCopyMode, kill, problem) ||
            !Inspect(targets, kTargetFile, first, second, kill, content, landing, problem)) {
            return Stop("copy", kill, problem);
        }
        // The content's own time came with it.
        const std::int64_t time = QueryFileStatus(target).lastWrite;
        if (time != (content == first ? kFirstSourceTime : kSecondSourceTime)) {
            return Stop("copy", kill, "DAMAGED: the target's time is not its content's");
        }
        // A temporary file left by the kill: its process is gone, so the
        // scan's rule takes it for abandoned (here without the day's wait).
        for (const std::wstring& name : m_folder.Names(targets)) {
            if (name != kTargetFile &&
                !RemoveAbandonedTemporary(m_folder.Path(targets + L"\\" + name), name,
                                          CurrentFileTime(), 0)) {
                return Stop("copy", kill,
                            "the killed writer's temporary file " + Narrow(name) +
                                " does not count as abandoned");
            }
        }
        if (content != first && SafeCopyFile(firstSource, target).result != CopyResult::Copied) {
            return Stop("copy", kill, "the next copy failed");
        }
        if (m_folder.Names(targets) != std::vector<std::wstring>{kTargetFile}) {
            return Stop("copy", kill, "a temporary file stays beside the target");
        }
        Count(kill, landing);
    }
    Report("copy", kills, Clock::now() - start);
}

} // namespace
} // namespace varnholt::test::kill
