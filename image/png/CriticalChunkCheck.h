#pragma once

#include "image/io/FileHandle.h"

#include <atomic>
#include <string>
#include <thread>

// Checks the CRC of every critical chunk of a PNG file (IHDR, PLTE, IDAT,
// IEND) on a second thread, reading the file on its own, so that libpng,
// told to trust those CRCs, spends the decoding thread on the pixels.
// Ancillary chunks are left to libpng, which checks and drops them as ever.
class CriticalChunkCheck {
  public:
    explicit CriticalChunkCheck(const std::string& path);
    ~CriticalChunkCheck();
    CriticalChunkCheck(const CriticalChunkCheck&) = delete;
    CriticalChunkCheck& operator=(const CriticalChunkCheck&) = delete;

    // Starts the check when the machine has a processor to spare and the
    // file is large enough; false (and libpng checks as usual) otherwise.
    bool Start();

    // Waits for the check. False when a critical chunk's CRC is wrong; a
    // file that ends early passes here, since libpng fails on it itself.
    bool Passed();

  private:
    void Check();

    FileHandle file_;
    std::thread helper_;
    std::atomic<bool> stop_{false};
    bool passed_ = true;
};
