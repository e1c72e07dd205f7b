#pragma once
// A file that only grows at its end (the run log): opened or created for
// appending, shared for reading while open, closed when the object goes.
// Nothing here raises: a log that cannot be written must never stop the work
// it records.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace varnholt {

class AppendFile {
public:
    AppendFile();
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens `path` for appending, creating it when it is not there. False
    // when it cannot be opened.
    bool Open(const std::wstring& path);
    bool IsOpen() const noexcept;
    void Close() noexcept;
    // The file's size in bytes: what it held when opened plus what was
    // written since.
    std::uint64_t Size() const noexcept;
    // Appends `bytes`; false when not all of them were written.
    bool Write(std::string_view bytes);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace varnholt
