#pragma once
// Asking whether a folder's volume is there without holding the caller: the
// question goes to a thread of its own, and the caller waits at most a
// limit, letting its messages through meanwhile. A share that has not
// answered by then counts as not there; its question ends on its own later.

#include <chrono>
#include <functional>
#include <string>

namespace varnholt {

inline constexpr std::chrono::milliseconds kVolumeAnswerLimit{3000};

bool VolumeAnswers(const std::wstring& folder, std::chrono::milliseconds limit,
                   const std::function<void()>& idle);

} // namespace varnholt
