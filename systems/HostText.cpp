#include "HostText.h"

#include "velmora_system.h"

#include <cstring>
#include <new>

QString TextFromBuffer(char* buffer, std::size_t size) {
    if (!buffer || size == 0)
        return {};
    buffer[size - 1] = '\0';
    return QString::fromUtf8(buffer, static_cast<qsizetype>(std::strlen(buffer)));
}

TextBufferArray::TextBufferArray(int count) {
    if (count < 1 || count > kMaxCount)
        return;
    const std::size_t bytes = static_cast<std::size_t>(count) * VELMORA_NAME_SIZE;
    m_storage.reset(new (std::nothrow) char[bytes]());
    if (!m_storage)
        return;
    m_pointers.resize(count);
    for (int k = 0; k < count; ++k)
        m_pointers[k] = m_storage.get() + static_cast<std::size_t>(k) * VELMORA_NAME_SIZE;
    m_count = count;
}

QString TextBufferArray::Text(int k) {
    if (k < 0 || k >= m_count)
        return {};
    // From our own storage: a plug-in may have scribbled over the pointer array.
    return TextFromBuffer(m_storage.get() + static_cast<std::size_t>(k) * VELMORA_NAME_SIZE,
                          VELMORA_NAME_SIZE);
}

QStringList TextBufferArray::Texts() {
    QStringList texts;
    texts.reserve(m_count);
    for (int k = 0; k < m_count; ++k)
        texts.append(Text(k));
    return texts;
}
