#pragma once

#include "framework/Worker.h"
#include "image/io/SharedReadFile.h"

#include <cstddef>
#include <cstdint>

// Checks the CRC of every critical chunk of a PNG file (IHDR, PLTE, IDAT,
// IEND) on a second thread, through its own place in the file libpng reads
// (opened once, never again by name), so that libpng, told to trust those CRCs,
// spends the decoding thread on the pixels. Ancillary chunks are left to
// libpng, which checks and drops them as ever.
class CriticalChunkCheck {
  public:
    // The file stays with the caller and outlives the check.
    explicit CriticalChunkCheck(const SharedReadFile& file) : file_(file) {}
    CriticalChunkCheck(const CriticalChunkCheck&) = delete;
    CriticalChunkCheck& operator=(const CriticalChunkCheck&) = delete;

    // Starts the check when the machine has a processor to spare and the
    // file is large enough; false (and libpng checks as usual) otherwise.
    bool Start();

    // Waits for the check. False when a critical chunk's CRC is wrong or
    // the check was stopped; a file that ends early passes here, since
    // libpng fails on it itself.
    bool Passed();

  private:
    void Check();

    const SharedReadFile& file_;
    bool passed_ = true;
    // Last, so that it ends before what it reads goes.
    CWorker helper_;
};
