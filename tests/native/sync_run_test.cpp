// The run of sync/sync_run.h on real folder trees: its decisions (made from
// folder listings) against the per-file rules of SyncFile applied file by
// file, the order of its steps, its progress and the failures it reports.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <tuple>

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
                CopyOutcome outcome{CopyResult::SourceMissing};
                SyncFile(file, target, clock, &outcome);
                CopyFailureCause cause{};
                if (CopyFailureCauseOf(outcome, cause)) {
                    failures.push_back({file, target, cause});
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
std::vector<std::tuple<std::wstring, std::wstring, CopyFailureCause>>
Relative(const std::vector<CopyFailure>& failures, const test::TestFolder& root) {
    std::vector<std::tuple<std::wstring, std::wstring, CopyFailureCause>> out;
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
    EXPECT_EQ(report.failures[0].cause, CopyFailureCause::FolderInTheWay);
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

TEST(SyncRunTest, PairOfAFolderAndOneInsideItCopiesAsFileByFileDoes) {
    test::TestFolder listed;
    test::TestFolder byFile;
    for (auto* root : {&listed, &byFile}) {
        root->Write(L"top.txt", "top", UtcFileTime(2013, 3, 3, 3, 3));
        root->Write(L"in\\inner.txt", "inner", UtcFileTime(2014, 4, 4, 4, 4));
        root->Write(L"in\\in\\deeper.txt", "deeper", UtcFileTime(2012, 2, 2, 2, 2));
    }
    RunSynchronization(List({MakeFolderEntry(listed.Path())}),
                       List({MakeFolderEntry(listed.Path(L"in"))}), RunCallbacks{});
    RunFileByFile(List({MakeFolderEntry(byFile.Path())}),
                  List({MakeFolderEntry(byFile.Path(L"in"))}));
    EXPECT_EQ(Take(listed), Take(byFile));
    EXPECT_EQ(listed.Read(L"in\\top.txt"), "top");
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
    EXPECT_EQ(report.failures[0].cause, CopyFailureCause::PathTooLong);
}

} // namespace
} // namespace varnholt
