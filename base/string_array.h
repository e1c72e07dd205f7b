#pragma once
// A growable list of strings addressed by index. Every index outside the list
// raises InvalidArgumentError, so a bad index ends the handler with the stock
// message instead of reading memory that is not there.

#include <cstddef>
#include <string>
#include <vector>

#include "base/errors.h"

namespace varnholt {

class CStringArray {
public:
    std::size_t GetSize() const noexcept { return m_items.size(); }
    bool IsEmpty() const noexcept { return m_items.empty(); }

    const std::wstring& GetAt(std::size_t index) const {
        Check(index);
        return m_items[index];
    }
    void SetAt(std::size_t index, std::wstring value) {
        Check(index);
        m_items[index] = std::move(value);
    }
    std::size_t Add(std::wstring value) {
        m_items.push_back(std::move(value));
        return m_items.size() - 1;
    }
    void RemoveAt(std::size_t index) {
        Check(index);
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    }
    void RemoveAll() noexcept { m_items.clear(); }

    const std::wstring& operator[](std::size_t index) const { return GetAt(index); }
    auto begin() const noexcept { return m_items.begin(); }
    auto end() const noexcept { return m_items.end(); }

private:
    void Check(std::size_t index) const {
        if (index >= m_items.size()) {
            throw InvalidArgumentError();
        }
    }

    std::vector<std::wstring> m_items;
};

} // namespace varnholt
