#pragma once
// Asking whether the volumes of some folders are there without holding the
// caller: each volume's question goes to a thread of its own, all of them at
// once, and the caller waits at most one limit for all, letting its messages
// through meanwhile. A volume the system says is absent counts as not there,
// and so does a share (or a drive letter mapped to one) that has not answered
// by then: the run gives up on it rather than wait for the network. A local
// volume that is slow to answer (a busy machine, a disk waking up) is taken
// as there, so no local pair is ever left out without a word. Its question goes on
// and ends on its own; until it has, later calls wait for that same question
// instead of starting another, so a share that never answers holds one
// thread, not one per run.

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace varnholt {

inline constexpr std::chrono::milliseconds kVolumeAnswerLimit{3000};

// The folders of `folders` whose volume is not there, as above. Folders without a volume root of
// their own (relative ones, and all on POSIX) are there.
std::set<std::wstring> FoldersOnAbsentVolumes(const std::vector<std::wstring>& folders,
                                              std::chrono::milliseconds limit,
                                              const std::function<void()>& idle);

} // namespace varnholt
