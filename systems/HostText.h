#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <memory>
#include <vector>

// Text that comes back from a plug-in is never trusted: each buffer is terminated at its last
// byte after the call, and invalid UTF-8 shows as replacement characters.
QString TextFromBuffer(char* buffer, std::size_t size);

// The host's array of text buffers for a list call (names, match lines): count pointers, each
// to a zeroed buffer of VELMORA_NAME_SIZE bytes. A count below 1, or one too large to be real,
// gives an empty array, so a misbehaving plug-in cannot make the host allocate without bound.
class TextBufferArray {
public:
    // More items than any real list holds; 256 MiB of buffers at this size.
    static constexpr int kMaxCount = 1 << 20;

    explicit TextBufferArray(int count);

    int Count() const { return m_count; }
    char** Pointers() { return m_pointers.data(); }
    // Item k, terminated and decoded.
    QString Text(int k);
    QStringList Texts();

private:
    int m_count = 0;
    std::unique_ptr<char[]> m_storage;
    std::vector<char*> m_pointers;
};
