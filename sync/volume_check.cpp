#include "sync/volume_check.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/volumes.h"

namespace varnholt {

namespace {

struct Answer {
    bool network = false; // known before the question that may wait
    bool done = false;
    bool there = false;
};

// Every question under way or answered since the last call, by volume root,
// shared by all callers; guarded by g_lock, answers announced by g_given.
std::mutex g_lock;
std::condition_variable g_given;
std::map<std::wstring, std::shared_ptr<Answer>> g_questions;

constexpr std::chrono::milliseconds kIdleStep{20};

// The question for `root`: the one still under way, or a new one.
std::shared_ptr<Answer> Ask(const std::wstring& root) {
    std::lock_guard guard(g_lock);
    std::shared_ptr<Answer>& question = g_questions[root];
    if (question && !question->done) {
        return question;
    }
    question = std::make_shared<Answer>();
    // A share's root is known as such at once; a mapped drive letter once
    // the thread has asked the local mapping.
    question->network = root.rfind(L"\\\\", 0) == 0;
    // Detached, and owning what it uses: a question that outlives the wait
    // harms nobody.
    std::thread([question, root] {
        const bool network = IsNetworkVolume(root);
        {
            std::lock_guard known(g_lock);
            question->network = network;
        }
        const bool there = VolumeIsThere(root);
        std::lock_guard answered(g_lock);
        question->there = there;
        question->done = true;
        g_given.notify_all();
    }).detach();
    return question;
}

} // namespace

std::set<std::wstring> FoldersOnAbsentVolumes(const std::vector<std::wstring>& folders,
                                              std::chrono::milliseconds limit,
                                              const std::function<void()>& idle) {
    std::map<std::wstring, std::shared_ptr<Answer>> questions;
    for (const std::wstring& folder : folders) {
        const std::wstring root = VolumeRootOf(folder);
        if (!root.empty() && !questions.contains(root)) {
            questions.emplace(root, Ask(root));
        }
    }
    const auto allDone = [&questions] {
        for (const auto& [root, answer] : questions) {
            if (!answer->done) {
                return false;
            }
        }
        return true;
    };
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::unique_lock guard(g_lock);
    while (!allDone() && std::chrono::steady_clock::now() < deadline) {
        g_given.wait_for(guard, kIdleStep);
        if (!allDone() && idle) {
            guard.unlock();
            idle();
            guard.lock();
        }
    }
    std::set<std::wstring> absent;
    for (const std::wstring& folder : folders) {
        const auto question = questions.find(VolumeRootOf(folder));
        if (question == questions.end()) {
            continue;
        }
        const Answer& answer = *question->second;
        // A share that has not answered in time is given up on for this run;
        // a local disk that is slow to answer is there.
        if (answer.done ? !answer.there : answer.network) {
            absent.insert(folder);
        }
    }
    return absent;
}

} // namespace varnholt
