#include "sync/volume_check.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/volumes.h"

namespace varnholt {

namespace {

struct Answer {
    std::mutex lock;
    std::condition_variable given;
    bool done = false;
    bool there = false;
};

constexpr std::chrono::milliseconds kIdleStep{20};

} // namespace

bool VolumeAnswers(const std::wstring& folder, std::chrono::milliseconds limit,
                   const std::function<void()>& idle) {
    auto answer = std::make_shared<Answer>();
    // Detached, and owning what it uses: a question that outlives the wait
    // harms nobody.
    std::thread([answer, folder] {
        const bool there = VolumeIsThere(folder);
        std::lock_guard guard(answer->lock);
        answer->there = there;
        answer->done = true;
        answer->given.notify_one();
    }).detach();
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::unique_lock guard(answer->lock);
    while (!answer->done && std::chrono::steady_clock::now() < deadline) {
        answer->given.wait_for(guard, kIdleStep);
        if (!answer->done && idle) {
            guard.unlock();
            idle();
            guard.lock();
        }
    }
    return answer->done && answer->there;
}

} // namespace varnholt
