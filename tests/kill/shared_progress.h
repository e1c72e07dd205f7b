#pragma once
// One word of memory that the kill test's writer and driver share through a
// mapped file: which write the writer is at and how far it got. A store is
// a store to memory, not a write to a file, so a kill at any moment leaves
// the last one in place for the driver to read.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace varnholt::test::kill {

enum class WriteStep : std::uint32_t {
    Starting = 0,  // not set up yet (the fresh file's zeros)
    Ready = 1,     // set up; no write begun
    Making = 2,    // the write is making its temporary file
    Replacing = 3, // its temporary file is complete and being put in place:
                   // the rename and, for the settings file, the removal
                   // of abandoned temporary files
    Done = 4,      // the write has returned
};

struct Progress {
    std::uint32_t write = 0; // counted from 1; 0 before the first
    WriteStep step = WriteStep::Starting;
};

class SharedProgress {
public:
    // Maps the file at `path` (the program's path form), made with zeros
    // when it is missing.
    explicit SharedProgress(const std::wstring& path);
    ~SharedProgress();
    SharedProgress(const SharedProgress&) = delete;
    SharedProgress& operator=(const SharedProgress&) = delete;

    bool IsOpen() const noexcept { return m_word != nullptr; }

    void Store(Progress progress) noexcept {
        std::atomic_ref<std::uint64_t>(*m_word).store((std::uint64_t{progress.write} << 32) |
                                                      static_cast<std::uint32_t>(progress.step));
    }
    Progress Load() const noexcept {
        const std::uint64_t word = std::atomic_ref<std::uint64_t>(*m_word).load();
        return {static_cast<std::uint32_t>(word >> 32),
                static_cast<WriteStep>(static_cast<std::uint32_t>(word))};
    }

private:
    struct Mapping;
    std::unique_ptr<Mapping> m_mapping;
    std::uint64_t* m_word = nullptr;
};

// The size of the mapped file.
inline constexpr std::size_t kProgressFileSize = 4096;

} // namespace varnholt::test::kill
