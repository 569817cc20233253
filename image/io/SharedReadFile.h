#pragma once
// One open picture file that the readers of one picture share, each at a
// place of its own: every read names its offset, so no reader moves
// another's place. The file is opened once, by the first reader, and never
// by name again; it is read as it streams, not held in memory whole.

#include "image/io/FileHandle.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class SharedReadFile {
  public:
    explicit SharedReadFile(const std::string& path);
    // False when the file could not be opened or its size read.
    bool IsOpen() const { return m_open; }
    uint64_t Size() const { return m_size; }
    // Bytes read at `offset`: fewer at the end of the file, 0 on failure.
    // Safe to call from several threads at once.
    size_t ReadAt(uint64_t offset, void* out, size_t count) const;

  private:
    FileHandle m_file;
    uint64_t m_size = 0;
    bool m_open = false;
    // A read moves the handle's own position to its offset and reads from
    // there, one reader at a time. (Wine serves a ReadFile that names its
    // offset through its server, at several times the cost of a plain read.)
    mutable std::mutex m_reading;
};

// A reader's own place in a SharedReadFile, read a buffer at a time.
class FileCursor {
  public:
    explicit FileCursor(const SharedReadFile& file, uint64_t start = 0);

    // The next bytes from the place on (at most a buffer's worth), the
    // place moved past them; empty at the end or on a failed read.
    struct Piece {
        const uint8_t* bytes;
        size_t size;
    };
    Piece Next();
    // Up to `count` bytes into `out`; fewer only at the end.
    size_t Read(void* out, size_t count);
    // Moves the place on by `count` bytes, past what is buffered.
    void Skip(uint64_t count);
    // Gives back the last `count` bytes of the piece Next returned.
    void Unread(size_t count) { m_at -= count < m_at ? count : m_at; }

  private:
    // Reads the next buffer-full when all before is taken; false at the end.
    bool Refill();

    // Large, so that few reads reach the system: libpng asks for a chunk
    // (often 8 KiB) at a time. Reads of a buffer's size or more go straight
    // to their caller.
    static constexpr size_t kBufferSize = 256 * 1024;
    const SharedReadFile& m_file;
    std::unique_ptr<uint8_t[]> m_buffer{new uint8_t[kBufferSize]};
    uint64_t m_place; // the file offset after the buffered bytes
    size_t m_at = 0;  // the next unread byte of the buffer
    size_t m_end = 0; // how much of the buffer holds bytes
};
