#include "image/io/SharedReadFile.h"

#include <algorithm>
#include <cstring>

namespace {

// One ReadFile asks for at most this much: very large requests fail on some
// network redirectors.
constexpr DWORD kReadChunk = 4 * 1024 * 1024;

} // namespace

SharedReadFile::SharedReadFile(const std::string& path) : m_file(FileHandle::OpenForReading(path))
{
    LARGE_INTEGER size = {};
    if (!m_file.IsOpen() || !GetFileSizeEx(m_file.Get(), &size) || size.QuadPart < 0)
        return;
    m_size = static_cast<uint64_t>(size.QuadPart);
    m_open = true;
}

size_t SharedReadFile::ReadAt(uint64_t offset, void* out, size_t count) const
{
    const std::lock_guard<std::mutex> lock(m_reading);
    LARGE_INTEGER at = {};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(m_file.Get(), at, nullptr, FILE_BEGIN))
        return 0;
    size_t done = 0;
    while (done < count) {
        const DWORD ask = static_cast<DWORD>(std::min<size_t>(count - done, kReadChunk));
        DWORD got = 0;
        if (!ReadFile(m_file.Get(), static_cast<uint8_t*>(out) + done, ask, &got, nullptr) || got == 0)
            break;
        done += got;
    }
    return done;
}

FileCursor::FileCursor(const SharedReadFile& file, uint64_t start) : m_file(file), m_place(start) {}

bool FileCursor::Refill()
{
    if (m_at == m_end) {
        m_at = 0;
        m_end = m_file.ReadAt(m_place, m_buffer.get(), kBufferSize);
        m_place += m_end;
    }
    return m_at < m_end;
}

FileCursor::Piece FileCursor::Next()
{
    Refill();
    const Piece piece = {m_buffer.get() + m_at, m_end - m_at};
    m_at = m_end;
    return piece;
}

size_t FileCursor::Read(void* out, size_t count)
{
    size_t done = 0;
    while (done < count) {
        if (m_at == m_end && count - done >= kBufferSize) {
            const size_t got = m_file.ReadAt(m_place, static_cast<uint8_t*>(out) + done, count - done);
            m_place += got;
            return done + got;
        }
        if (!Refill())
            break;
        const size_t step = std::min(count - done, m_end - m_at);
        std::memcpy(static_cast<uint8_t*>(out) + done, m_buffer.get() + m_at, step);
        m_at += step;
        done += step;
    }
    return done;
}

void FileCursor::Skip(uint64_t count)
{
    const size_t buffered = m_end - m_at;
    if (count <= buffered) {
        m_at += static_cast<size_t>(count);
        return;
    }
    m_place += count - buffered;
    m_at = m_end = 0;
}
