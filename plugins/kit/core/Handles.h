#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace kit {

// Handle numbers are drawn from one counter shared by every kind and never reused, so a
// stale handle, a handle of the wrong kind or a made-up number finds nothing instead of
// someone else's object.
std::uintptr_t NextHandle();

template <class T> class Registry {
public:
    std::uintptr_t Add(std::unique_ptr<T> item) {
        const std::uintptr_t handle = NextHandle();
        m_items.emplace(handle, std::move(item));
        return handle;
    }
    T* Find(std::uintptr_t handle) const {
        const auto it = m_items.find(handle);
        return it == m_items.end() ? nullptr : it->second.get();
    }
    std::unique_ptr<T> Take(std::uintptr_t handle) {
        const auto it = m_items.find(handle);
        if (it == m_items.end())
            return nullptr;
        std::unique_ptr<T> item = std::move(it->second);
        m_items.erase(it);
        return item;
    }
    bool Free(std::uintptr_t handle) { return m_items.erase(handle) > 0; }
    std::size_t Size() const { return m_items.size(); }

private:
    std::unordered_map<std::uintptr_t, std::unique_ptr<T>> m_items;
};

} // namespace kit
