// The run of sync/sync_run.h on real folder trees: its decisions (made from
// folder listings) against the per-file rules of SyncFile applied file by
// file, the order of its steps, its progress and the failures it reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>
#include <tuple>

#include "base/errors.h"
#include "sync/file_compare.h"
#include "sync/folder_entry.h"
#include "sync/folder_scan.h"
#include "sync/run_paths.h"
#include "sync/sync_run.h"
#include "tests/support/test_folder.h"
#include "tests/support/zone_scope.h"

namespace varnholt {
namespace {

using test::UtcFileTime;

#ifdef _WIN32
std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return text;
}
#endif

CStringArray List(std::initializer_list<std::wstring> items) {
    CStringArray list;
    for (const auto& item : items) {
        list.Add(item);
    }
    return list;
}

// The rules applied the slow way: scan, then one status query per file and
// side, pass by pass.
std::vector<CopyFailure> RunFileByFile(const CStringArray& first, const CStringArray& second) {
    std::vector<CopyFailure> failures;
    const SyncClock clock;
    auto pass = [&](const CStringArray& from, const CStringArray& to) {
        for (std::size_t i = 0; i < from.GetSize(); ++i) {
            CStringArray files;
            ScanFolderTree(from[i], files, nullptr);
            for (const auto& file : files) {
                const std::wstring target = TargetPath(to[i], RelativePart(file, from[i]));
                CopyOutcome outcome{CopyResult::Skipped};
                SyncFile(file, target, clock, &outcome);
                if (outcome.result == CopyResult::Failed) {
                    failures.push_back({file, target, outcome.fault});
                }
            }
        }
    };
    pass(first, second);
    pass(second, first);
    return failures;
}

// Every file below a folder: relative path -> content and time.
using Snapshot = std::map<std::wstring, std::pair<std::string, std::int64_t>>;
Snapshot Take(const test::TestFolder& root) {
    Snapshot snapshot;
    CStringArray files;
    ScanFolderTree(MakeFolderEntry(root.Path()), files, nullptr);
    for (const auto& file : files) {
        const std::wstring relative = file.substr(root.Path().size() + 1);
        snapshot[relative] = {root.Read(relative), QueryFileStatus(file).lastWrite};
    }
    return snapshot;
}

// Failures with the test folder's path cut off, for comparing two trees.
std::vector<std::tuple<std::wstring, std::wstring, FileFault>>
Relative(const std::vector<CopyFailure>& failures, const test::TestFolder& root) {
    std::vector<std::tuple<std::wstring, std::wstring, FileFault>> out;
    for (const auto& f : failures) {
        out.emplace_back(f.from.substr(root.Path().size()), f.to.substr(root.Path().size()),
                         f.cause);
    }
    return out;
}

// The same tree of cases, built in any folder.
void BuildCases(const test::TestFolder& root) {
    const std::int64_t base = UtcFileTime(2012, 5, 6, 7, 8, 10);
    const std::int64_t minute = 60 * kFileTimeTicksPerSecond;
    root.Write(L"a\\newer.txt", "a newer", base + minute);
    root.Write(L"b\\newer.txt", "b older", base);
    root.Write(L"a\\b-newer.txt", "a older", base);
    root.Write(L"b\\b-newer.txt", "b newer", base + 2 * minute);
    root.Write(L"a\\same.txt", "a same", base);
    root.Write(L"b\\same.txt", "b same", base + 45 * kFileTimeTicksPerSecond);
    root.Write(L"a\\only-a\\deep\\f.txt", "deep", UtcFileTime(2001, 1, 2, 3, 4));
    root.Write(L"b\\only-b.txt", "only b", UtcFileTime(2020, 2, 29, 23, 59));
    root.Write(L"a\\from-1999.txt", "1999", UtcFileTime(1999, 6, 1, 12, 0));
    root.Write(L"a\\from-1960.txt", "1960", UtcFileTime(1960, 6, 1, 12, 0));
    root.Write(L"a\\Case.txt", "a case", base + minute);
    root.Write(L"b\\Case.txt", "b case", base);
    root.MakeFolder(L"a\\empty");
    // A folder stands where the other side has a file, both ways round.
    root.Write(L"a\\clash", "a file", UtcFileTime(2015, 1, 1, 0, 0));
    root.Write(L"b\\clash\\inner.txt", "in a folder", UtcFileTime(2016, 1, 1, 0, 0));
    ASSERT_TRUE(SetFileModificationTime(root.Path(L"b\\clash"), UtcFileTime(2010, 1, 1, 0, 0)));
    // Paths of 259 and 260 characters: the second counts as missing.
    const std::size_t room = 259 - root.Path(L"a\\").size();
    root.Write(L"a\\" + std::wstring(room - 4, L'p') + L".txt", "259", base);
    root.Write(L"a\\" + std::wstring(room - 3, L'q') + L".txt", "260", base);
}

void ExpectSameOutcomeBothWays() {
    test::TestFolder listed;
    test::TestFolder byFile;
    BuildCases(listed);
    BuildCases(byFile);
    const RunReport report =
        RunSynchronization(List({MakeFolderEntry(listed.Path(L"a"))}),
                           List({MakeFolderEntry(listed.Path(L"b"))}), RunCallbacks{});
    const std::vector<CopyFailure> expected = RunFileByFile(
        List({MakeFolderEntry(byFile.Path(L"a"))}), List({MakeFolderEntry(byFile.Path(L"b"))}));

    EXPECT_EQ(Take(listed), Take(byFile));
    EXPECT_EQ(Relative(report.failures, listed), Relative(expected, byFile));
    // The cases themselves.
    EXPECT_EQ(listed.Read(L"b\\newer.txt"), "a newer");
    EXPECT_EQ(listed.Read(L"a\\b-newer.txt"), "b newer");
    EXPECT_EQ(listed.Read(L"b\\same.txt"), "b same");
    EXPECT_EQ(listed.Read(L"a\\same.txt"), "a same");
    EXPECT_EQ(listed.Read(L"b\\only-a\\deep\\f.txt"), "deep");
    EXPECT_EQ(listed.Read(L"a\\only-b.txt"), "only b");
    EXPECT_EQ(listed.Read(L"b\\Case.txt"), "a case");
    EXPECT_FALSE(QueryFileStatus(listed.Path(L"b\\from-1960.txt")).exists);
    EXPECT_FALSE(QueryFileStatus(listed.Path(L"b\\empty")).exists);
    const std::size_t room = 259 - listed.Path(L"a\\").size();
    EXPECT_TRUE(
        QueryFileStatus(listed.Path(L"b\\" + std::wstring(room - 4, L'p') + L".txt")).exists);
    EXPECT_FALSE(
        std::filesystem::exists(listed.Fs(L"b\\" + std::wstring(room - 3, L'q') + L".txt")));
    // The folder in the way, both ways round: nothing replaced, both named.
    EXPECT_TRUE(QueryFileStatus(listed.Path(L"b\\clash")).isFolder);
    EXPECT_EQ(listed.Read(L"a\\clash"), "a file");
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(report.failures[0].from, listed.Path(L"a\\clash"));
    EXPECT_EQ(report.failures[0].to, listed.Path(L"b\\clash"));
    EXPECT_EQ(report.failures[0].cause, FileFault::FolderInTheWay);
    EXPECT_EQ(report.failures[1].from, listed.Path(L"b\\clash\\inner.txt"));
}

#ifndef _WIN32
// The zone is read once per run; natively TZ can change within the process.
TEST(SyncRunTest, ListingDecisionsEqualTheFileByFileRulesAtUtc) {
    test::ZoneScope zone("UTC");
    ExpectSameOutcomeBothWays();
}

TEST(SyncRunTest, ListingDecisionsEqualTheFileByFileRulesInNewYork) {
    test::ZoneScope zone("America/New_York");
    ExpectSameOutcomeBothWays();
}

TEST(SyncRunTest, A1999FileReachesAMissingSideOnlyEastOfGreenwich) {
    for (const auto& [zone, copied] : {std::pair{"UTC", true}, std::pair{"Europe/Berlin", true},
                                       std::pair{"America/New_York", false}}) {
        test::ZoneScope scope(zone);
        test::TestFolder root;
        root.Write(L"a\\from-1999.txt", "1999", UtcFileTime(1999, 6, 1, 12, 0));
        root.MakeFolder(L"b");
        RunSynchronization(List({MakeFolderEntry(root.Path(L"a"))}),
                           List({MakeFolderEntry(root.Path(L"b"))}), RunCallbacks{});
        EXPECT_EQ(QueryFileStatus(root.Path(L"b\\from-1999.txt")).exists, copied) << zone;
    }
}
#else
TEST(SyncRunTest, ListingDecisionsEqualTheFileByFileRules) {
    ExpectSameOutcomeBothWays();
}
#endif

TEST(SyncRunTest, StepsComeInPassOrderAndProgressEndsWithEveryCopyDone) {
    test::TestFolder root;
    root.Write(L"a\\x.txt", "x", UtcFileTime(2011, 1, 1, 0, 0));
    root.Write(L"a\\y.txt", "y", UtcFileTime(2011, 1, 1, 0, 0));
    root.Write(L"c\\z.txt", "z", UtcFileTime(2011, 1, 1, 0, 0));
    root.MakeFolder(L"b");
    root.MakeFolder(L"d");
    std::vector<RunStep> steps;
    std::vector<std::pair<std::size_t, std::size_t>> progress;
    RunCallbacks callbacks;
    callbacks.step = [&](RunStep step) { steps.push_back(step); };
    callbacks.progress = [&](std::size_t done, std::size_t total) {
        if (progress.empty() || progress.back() != std::pair{done, total}) {
            progress.emplace_back(done, total);
        }
    };
    const RunReport report = RunSynchronization(
        List({MakeFolderEntry(root.Path(L"a")), MakeFolderEntry(root.Path(L"c"))}),
        List({MakeFolderEntry(root.Path(L"b")), MakeFolderEntry(root.Path(L"d"))}), callbacks);

    using S = RunStep;
    EXPECT_EQ(steps, (std::vector<RunStep>{S::PassStarts, S::ScanningFolders, S::CopyingFiles,
                                           S::ScanningFolders, S::CopyingFiles, S::PassStarts,
                                           S::ScanningFolders, S::CopyingFiles, S::ScanningFolders,
                                           S::CopyingFiles}));
    EXPECT_EQ(report.copied, 3u);
    EXPECT_EQ(report.compared, 6u); // three files each way
    EXPECT_TRUE(report.failures.empty());
    // The first pass counts up to its three copies; the second has none.
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), (std::pair<std::size_t, std::size_t>{0, 0}));
    EXPECT_NE(
        std::find(progress.begin(), progress.end(), std::pair<std::size_t, std::size_t>{3, 3}),
        progress.end());
    EXPECT_EQ(progress.back(), (std::pair<std::size_t, std::size_t>{0, 0}));
}

TEST(SyncRunTest, ShorterSecondListStopsTheRunBeforeAnyFileIsTouched) {
    test::TestFolder root;
    root.Write(L"a\\x.txt", "x", UtcFileTime(2011, 1, 1, 0, 0));
    root.MakeFolder(L"b");
    bool stepped = false;
    RunCallbacks callbacks;
    callbacks.step = [&](RunStep) { stepped = true; };
    EXPECT_THROW(RunSynchronization(
                     List({MakeFolderEntry(root.Path(L"a")), MakeFolderEntry(root.Path(L"b"))}),
                     List({MakeFolderEntry(root.Path(L"b"))}), callbacks),
                 InvalidArgumentError);
    EXPECT_FALSE(stepped);
    EXPECT_TRUE(root.Names(L"b").empty());
}

// The window's idle callback may raise while the copies run: the error must
// reach the caller with the copy threads ended (a thread still running would
// end the program), and no copy leaves its temporary file behind. The copies
// wait in the seam before they replace their targets until the error is
// raised, so it is raised while they are under way.
TEST(SyncRunTest, ErrorRaisedByACallbackWhileFilesAreCopiedReachesTheCaller) {
    test::TestFolder root;
    for (int i = 0; i < 16; ++i) {
        root.Write(L"a\\f" + std::to_wstring(i) + L".txt", "f", UtcFileTime(2011, 1, 1, 0, 0));
    }
    root.MakeFolder(L"b");
    std::atomic<bool> raised{false};
    test::BeforeReplaceScope seam([&](const std::wstring&, const std::wstring&) {
        for (int waited = 0; !raised && waited < 5000; ++waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return FileFault::None;
    });
    int idlesWhileCopying = -1; // -1 outside the copy step
    RunCallbacks callbacks;
    callbacks.step = [&](RunStep step) {
        idlesWhileCopying = step == RunStep::CopyingFiles ? 0 : -1;
    };
    callbacks.idle = [&] {
        // The first comes with the step itself, the second while the copies wait.
        if (idlesWhileCopying >= 0 && ++idlesWhileCopying == 2) {
            raised = true;
            throw Error(L"The window was closed.");
        }
    };
    EXPECT_THROW(RunSynchronization(List({MakeFolderEntry(root.Path(L"a"))}),
                                    List({MakeFolderEntry(root.Path(L"b"))}), callbacks),
                 Error);
    EXPECT_TRUE(raised);
    for (const std::wstring& name : root.Names(L"b")) {
        EXPECT_EQ(name.rfind(L"~vh-", 0), std::wstring::npos) << name;
    }
}

// A pair whose second folder lies inside the first, or is the first under
// another name: the scan of the outer folder leaves the inner one out, so
// three runs put one copy of the outer files into the inner folder and no
// deeper; one folder under two names copies nothing.
TEST(SyncRunTest, NestedPairCopiesOneLevelDeepAndTheSameFolderNothing) {
    namespace fs = std::filesystem;
    // The pair's second folder, with what it needs made; the first is `root`.
    using Second = std::wstring (*)(const test::TestFolder& root, const test::TestFolder& outside);
    struct Case {
        const char* name;
        Second second;
        const wchar_t* inner;              // the folder of `root` the copies land in, or null: none
        bool firstEndsInBackslash = false; // as a drive's root does ("C:\\")
    };
    const Case cases[] = {
        {"inside", [](const auto& r, const auto&) { return r.Path(L"Backup"); }, L"Backup"},
        {"inside, trailing backslash",
         [](const auto& r, const auto&) { return r.Path(L"Backup") + L"\\"; }, L"Backup"},
        {"same folder, trailing backslash",
         [](const auto& r, const auto&) { return r.Path() + L"\\"; }, nullptr},
        {"inside, the first with a trailing backslash",
         [](const auto& r, const auto&) { return r.Path(L"Backup"); }, L"Backup", true},
#ifdef _WIN32
        {"inside, other letter case",
         [](const auto& r, const auto&) { return Upper(r.Path()) + L"\\BACKUP"; }, L"BACKUP"},
        {"same folder, other letter case",
         [](const auto& r, const auto&) { return Upper(r.Path()); }, nullptr},
#else
        {"inside, through a link to the first",
         [](const auto& r, const auto&) {
             fs::create_directory_symlink(r.Fs(), r.Fs(L"link"));
             return r.Path(L"link\\Backup");
         },
         L"Backup"},
        {"same folder through a link",
         [](const auto& r, const auto&) {
             fs::create_directory_symlink(r.Fs(), r.Fs(L"link"));
             return r.Path(L"link");
         },
         nullptr},
        {"inside, named through a link outside the first",
         [](const auto& r, const auto& o) {
             r.MakeFolder(L"Backup");
             fs::create_directory_symlink(r.Fs(L"Backup"), o.Fs(L"alias"));
             return o.Path(L"alias");
         },
         L"Backup"},
        {"inside, named through a link the first holds",
         [](const auto& r, const auto&) {
             r.MakeFolder(L"Real");
             fs::create_directory_symlink(r.Fs(L"Real"), r.Fs(L"J"));
             return r.Path(L"J");
         },
         L"Real"},
#endif
    };
    for (const Case& c : cases) {
        test::TestFolder root;
        test::TestFolder outside;
        root.Write(L"top.txt", "top", UtcFileTime(2013, 3, 3, 3, 3));
        root.Write(L"sub\\deep.txt", "deep", UtcFileTime(2014, 4, 4, 4, 4));
        const std::wstring second = c.second(root, outside);
        std::vector<std::wstring> names = root.Names();
        for (int run = 0; run < 3; ++run) {
            const std::wstring first = root.Path() + (c.firstEndsInBackslash ? L"\\" : L"");
            const RunReport report = RunSynchronization(List({MakeFolderEntry(first)}),
                                                        List({MakeFolderEntry(second)}), {});
            EXPECT_TRUE(report.failures.empty()) << c.name;
        }
        if (c.inner != nullptr) {
            if (std::find(names.begin(), names.end(), c.inner) == names.end()) {
                names.insert(std::upper_bound(names.begin(), names.end(), c.inner), c.inner);
            }
            EXPECT_EQ(root.Names(c.inner), (std::vector<std::wstring>{L"sub", L"top.txt"}))
                << c.name;
            EXPECT_EQ(root.Read(std::wstring(c.inner) + L"\\sub\\deep.txt"), "deep") << c.name;
        }
        EXPECT_EQ(root.Names(), names) << c.name;
    }
}

// A file saved after its folder was listed, or while the copy that would
// replace it (or that reads it) works, is never replaced by an older
// version. The moments are made with the run's own step callback (after the
// listing) and the fail-safe write's seam (the copy complete, just before
// it takes the target's place).
TEST(SyncRunTest, FilesChangedAfterTheListingAreNotReplacedByOlderOnes) {
    enum class When { AfterListingInPassTwo, BeforeReplace };
    struct Case {
        const char* name;
        When when;
        const wchar_t* changed; // the file written at that moment
        bool newerInA;          // a\x.txt newer than b\x.txt at the start
        std::string a[2], b[2]; // both files after the first and the second run
        std::size_t failures;   // per run, each "changed while it was copied"
    };
    const Case cases[] = {
        // The save is newer: the next run takes it across.
        {"target saved before pass two copies over it",
         When::AfterListingInPassTwo,
         L"a\\x.txt",
         false,
         {"saved", "saved"},
         {"b", "saved"},
         0},
        {"target saved while the copy works",
         When::BeforeReplace,
         L"b\\x.txt",
         true,
         {"saved", "saved"},
         {"saved", "saved"},
         0},
        // Named at every run it changes in.
        {"source changed while it was copied",
         When::BeforeReplace,
         L"a\\x.txt",
         true,
         {"asaved", "asavedsaved"},
         {"b", "b"},
         1},
    };
    const std::int64_t ten = UtcFileTime(2020, 1, 1, 10, 0);
    const std::int64_t eleven = UtcFileTime(2020, 1, 1, 11, 0);
    for (const Case& c : cases) {
        test::TestFolder root;
        root.Write(L"a\\x.txt", "a", c.newerInA ? eleven : ten);
        root.Write(L"b\\x.txt", "b", c.newerInA ? ten : eleven);
        const std::wstring changed = root.Path(c.changed);
        // A save: a new content with a later time (the source grows).
        const auto save = [&] {
            std::ofstream out(root.Fs(c.changed), c.changed[0] == L'a' && c.newerInA
                                                      ? std::ios::binary | std::ios::app
                                                      : std::ios::binary | std::ios::trunc);
            out << "saved";
            out.close();
            SetFileModificationTime(changed, UtcFileTime(2020, 1, 1, 11, 30));
        };
        int passes = 0;
        RunCallbacks callbacks;
        callbacks.step = [&](RunStep step) {
            passes += step == RunStep::PassStarts ? 1 : 0;
            if (c.when == When::AfterListingInPassTwo && step == RunStep::CopyingFiles &&
                passes == 2) {
                save();
            }
        };
        test::BeforeReplaceScope seam([&](const std::wstring&, const std::wstring& target) {
            if (c.when == When::BeforeReplace && target == root.Path(L"b\\x.txt")) {
                save();
            }
            return FileFault::None;
        });
        for (int run = 0; run < 2; ++run) {
            const RunReport report =
                RunSynchronization(List({MakeFolderEntry(root.Path(L"a"))}),
                                   List({MakeFolderEntry(root.Path(L"b"))}), callbacks);
            passes = 0;
            EXPECT_EQ(root.Read(L"a\\x.txt"), c.a[run]) << c.name << ", run " << run;
            EXPECT_EQ(root.Read(L"b\\x.txt"), c.b[run]) << c.name << ", run " << run;
            ASSERT_EQ(report.failures.size(), c.failures) << c.name << ", run " << run;
            if (c.failures > 0) {
                EXPECT_EQ(report.failures[0].from, root.Path(L"a\\x.txt"));
                EXPECT_EQ(report.failures[0].cause, FileFault::Changed);
            }
            EXPECT_EQ(root.Names(L"b"), std::vector<std::wstring>{L"x.txt"}) << c.name;
        }
    }
}

TEST(SyncRunTest, TargetPathTooLongIsReportedAndATemporaryNamePastTheLimitStillCopies) {
    test::TestFolder root;
    const std::wstring a = root.Path(L"a");
    // A second folder 6 characters longer than the first, so that one file
    // fits on the first side and not on the second.
    const std::wstring longer = L"b-long";
    const std::size_t room = 259 - root.Path(L"a\\").size();
    const std::wstring tooLong = std::wstring(room - 4 - 2, L't') + L".txt"; // 257 here, 262 there
    root.Write(L"a\\" + tooLong, "too long", UtcFileTime(2011, 1, 1, 0, 0));
    // A file whose target fits, in a folder so deep that the temporary name
    // beside it would not.
    const std::wstring deep = std::wstring(room - 15 - 6, L'd');
    root.Write(L"a\\" + deep + L"\\f.txt", "fits", UtcFileTime(2011, 1, 1, 0, 0));
    root.MakeFolder(longer);
    ASSERT_LT((root.Path(longer) + L"\\" + deep + L"\\f.txt").size(), 260u);
    ASSERT_GE((root.Path(longer) + L"\\" + deep + L"\\~vh-00000000-0000.tmp").size(), 260u);

    const RunReport report = RunSynchronization(List({MakeFolderEntry(a)}),
                                                List({MakeFolderEntry(root.Path(longer))}), {});
    EXPECT_EQ(root.Read(longer + L"\\" + deep + L"\\f.txt"), "fits");
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].to, root.Path(longer) + L"\\" + tooLong);
    EXPECT_EQ(report.failures[0].cause, FileFault::PathTooLong);
}

} // namespace
} // namespace varnholt
