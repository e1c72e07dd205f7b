#include "sync/sync_run.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <stop_token>
#include <string_view>
#include <thread>

#include "platform/folders.h"
#include "sync/compared_time.h"
#include "sync/file_compare.h"
#include "sync/folder_entry.h"
#include "sync/folder_scan.h"
#include "sync/nested_folders.h"
#include "sync/run_paths.h"
#include "sync/volume_check.h"

namespace varnholt {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kIdleInterval = std::chrono::milliseconds(40);
// Copies in flight at once: enough to overlap the writes through to the
// disk, which dominate the copy of small files.
constexpr std::size_t kCopiesInFlight = 8;

struct CopyJob {
    std::wstring from;
    std::wstring to;
    FileStatus listedTarget; // the target as its folder's listing showed it
};

class Run {
public:
    explicit Run(const RunCallbacks& callbacks) : m_callbacks(callbacks) {}

    void Pass(const std::vector<std::wstring>& from, const std::vector<std::wstring>& to) {
        ++m_pass;
        Step(RunStep::PassStarts);
        m_done = 0;
        m_total = 0;
        Progress();
        for (std::size_t i = 0; i < from.size(); ++i) {
            Step(RunStep::ScanningFolders);
            if (!m_absent[i].empty()) {
                if (m_callbacks.pairSkipped) {
                    m_callbacks.pairSkipped(m_absent[i]);
                }
                continue;
            }
            const std::wstring source = StripFolderEntryTail(from[i]);
            const std::wstring target = TargetPath(to[i], L"");
            const TargetInSource nesting = LocateTargetInSource(source, target);
            std::vector<CopyJob> jobs;
            if (!nesting.same) { // one folder under two names is in step with itself
                jobs = Plan(source, target, {nesting.leftOut, nesting.identity});
            }
            Step(RunStep::CopyingFiles);
            CopyAll(jobs, target);
        }
    }

    RunReport& Report() { return m_report; }

    // Asks once per run, for every folder of the pairs, whether its volume
    // is there; a pair with a folder on an absent volume is left out of
    // both passes.
    void FindAbsentVolumes(const std::vector<std::wstring>& first,
                           const std::vector<std::wstring>& second) {
        std::vector<std::wstring> folders;
        for (const auto* list : {&first, &second}) {
            for (const std::wstring& entry : *list) {
                folders.push_back(StripFolderEntryTail(entry));
            }
        }
        const std::set<std::wstring> absent =
            FoldersOnAbsentVolumes(folders, m_callbacks.volumeAnswerLimit, [this] { Idle(); });
        m_report.absentFolders.assign(absent.begin(), absent.end());
        m_absent.resize(first.size());
        for (std::size_t i = 0; i < first.size(); ++i) {
            const std::wstring one = StripFolderEntryTail(first[i]);
            const std::wstring other = StripFolderEntryTail(second[i]);
            m_absent[i] = absent.contains(one) ? one : absent.contains(other) ? other : L"";
        }
    }

private:
    // Every step lets waiting messages through, however quick the work.
    void Step(RunStep step) {
        if (m_callbacks.step) {
            m_callbacks.step(step);
        }
        Idle(true);
    }
    void Progress() {
        if (m_callbacks.progress) {
            m_callbacks.progress(m_done, m_total);
        }
    }
    void Idle(bool force = false) {
        const auto now = Clock::now();
        if (force || now - m_lastIdle >= kIdleInterval) {
            m_lastIdle = now;
            if (m_callbacks.idle) {
                m_callbacks.idle();
            }
        }
    }

    // Lists the pair and decides, file by file, what the pass copies. The
    // copies themselves look again just before they are made.
    std::vector<CopyJob> Plan(const std::wstring& source, const std::wstring& target,
                              const LeftOutFolder& leftOut) {
        std::vector<CopyJob> jobs;
        // The source folder of the file compared last, and the listing of its
        // counterpart below the target: files come folder by folder.
        std::wstring lastFolder;
        const FolderContents* targetFolder = nullptr;
        std::size_t sinceIdle = 0;

        WalkFolderTree(
            source, m_listings,
            [&](const std::wstring& path, const ListedItem& item) {
                ++m_report.compared;
                if (++sinceIdle == 64) {
                    sinceIdle = 0;
                    Idle();
                }
                if (target.empty()) {
                    return; // no target folder: nothing to copy to
                }
                // The counterpart's path is target + the part of `path` below
                // the source; it is made only for a copy.
                const std::size_t toLength = target.size() + path.size() - source.size();
                FileStatus listedTarget;
                // A target path too long to take part is not looked up: it
                // counts as missing, and its copy says why it cannot be made.
                if (toLength < kMaxStatusPathLength) {
                    const std::size_t slash = path.find_last_of(L'\\');
                    const std::wstring_view folder(path.data(), slash);
                    if (targetFolder == nullptr || folder != lastFolder) {
                        targetFolder = &m_listings.Contents(
                            target + path.substr(source.size(), slash - source.size()));
                        lastFolder = folder;
                    }
                    ListedItem counterpart;
                    if (targetFolder->Find(std::wstring_view(path).substr(slash + 1),
                                           counterpart)) {
                        listedTarget = {true, counterpart.isFolder, counterpart.size,
                                        counterpart.lastWrite};
                    }
                }
                if (IsNewer(ComparedTime(path.size(), true, item.lastWrite),
                            ComparedTime(toLength, listedTarget.exists, listedTarget.lastWrite),
                            m_clock)) {
                    jobs.push_back({path, target + path.substr(source.size()), listedTarget});
                }
            },
            [this] { Idle(); }, leftOut);
        return jobs;
    }

    // The copies of one pair, several at a time; the pass goes on when all
    // have ended.
    void CopyAll(const std::vector<CopyJob>& jobs, const std::wstring& target) {
        if (jobs.empty()) {
            return;
        }
        // What was listed where the copies go no longer tells what is there.
        m_listings.ForgetAround(target);
        m_total += jobs.size();
        Progress();

        std::vector<CopyOutcome> outcomes(jobs.size());
        std::atomic<std::size_t> next{0};
        std::mutex lock;
        std::condition_variable ended;
        std::size_t finished = 0;
        auto worker = [&](std::stop_token stop) {
            for (std::size_t i = next++; i < jobs.size() && !stop.stop_requested(); i = next++) {
                CopyOutcome outcome;
                try {
                    outcome =
                        CopyIfStillNewer(jobs[i].from, jobs[i].to, jobs[i].listedTarget, m_clock);
                } catch (...) {
                    outcome = {CopyResult::Failed, FileFault::Other};
                }
                std::lock_guard guard(lock);
                outcomes[i] = outcome;
                ++finished;
                ended.notify_one();
            }
        };
        // This thread only waits and keeps the caller's messages moving, also
        // while one large file is being copied. The copiers are joined on
        // every way out of this block: when a callback raises (or a thread
        // cannot be started), no further copy starts, the ones under way end,
        // and the error goes on to the caller.
        {
            const std::size_t copiers = std::min(kCopiesInFlight, jobs.size());
            std::vector<std::jthread> threads;
            threads.reserve(copiers);
            try {
                for (std::size_t i = 0; i < copiers; ++i) {
                    threads.emplace_back(worker);
                }
                std::unique_lock guard(lock);
                while (finished < jobs.size()) {
                    ended.wait_for(guard, kIdleInterval);
                    const std::size_t seen = finished;
                    guard.unlock();
                    m_done = m_total - jobs.size() + seen;
                    Progress();
                    Idle(true);
                    guard.lock();
                }
            } catch (...) {
                for (std::jthread& thread : threads) {
                    thread.request_stop();
                }
                throw;
            }
        }
        m_done = m_total;
        Progress();
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            Record(jobs[i], outcomes[i]);
        }
    }

    void Record(const CopyJob& job, const CopyOutcome& outcome) {
        if (outcome.result == CopyResult::Copied) {
            ++m_report.copied;
            m_report.copiedBack += m_pass == 2 ? 1 : 0;
            if (m_callbacks.copied) {
                m_callbacks.copied(job.from, job.to, m_pass == 2);
            }
        } else if (outcome.result == CopyResult::Failed) {
            m_report.failures.push_back({job.from, job.to, outcome.fault});
        }
    }

    const RunCallbacks& m_callbacks;
    SyncClock m_clock; // the time zone, read once per run
    FolderListings m_listings;
    RunReport m_report;
    // Per pair: the folder whose volume is absent, or empty.
    std::vector<std::wstring> m_absent;
    int m_pass = 0;
    std::size_t m_done = 0;
    std::size_t m_total = 0;
    Clock::time_point m_lastIdle = Clock::now();
};

} // namespace

RunReport RunSynchronization(const CStringArray& folders1, const CStringArray& folders2,
                             const RunCallbacks& callbacks) {
    // A second list shorter than the first stops the run here, before any
    // file is touched: GetAt raises the invalid-argument error.
    std::vector<std::wstring> first;
    std::vector<std::wstring> second;
    for (std::size_t i = 0; i < folders1.GetSize(); ++i) {
        first.push_back(folders1.GetAt(i));
        second.push_back(folders2.GetAt(i));
    }
    Run run(callbacks);
    run.FindAbsentVolumes(first, second);
    run.Pass(first, second);
    run.Pass(second, first);
    return std::move(run.Report());
}

} // namespace varnholt
