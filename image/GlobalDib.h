#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Owner of a packed DIB: one movable global memory block holding a 40-byte
// BITMAPINFOHEADER, the colour table and the pixel array. The block stays
// locked while it is held, and is unlocked and freed through its handle.
class GlobalDib {
  public:
    GlobalDib() = default;
    ~GlobalDib() { Release(); }
    GlobalDib(GlobalDib&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
    GlobalDib& operator=(GlobalDib&& other) noexcept;
    GlobalDib(const GlobalDib&) = delete;
    GlobalDib& operator=(const GlobalDib&) = delete;

    // Allocates a zero-filled movable block and locks it; false on failure.
    bool Allocate(size_t bytes);
    void Release();

    uint8_t* Data() const { return data_; }
    BITMAPINFOHEADER* Header() const { return reinterpret_cast<BITMAPINFOHEADER*>(data_); }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(data_); }
    explicit operator bool() const { return data_ != nullptr; }

  private:
    uint8_t* data_ = nullptr;
};

// Entries of a DIB's colour table: biClrUsed, or 2^biBitCount when that is 0
// and the depth is 8 bits or less.
int ColorTableEntries(const BITMAPINFOHEADER& header);

// First pixel byte of a packed DIB: after the three masks of a BI_BITFIELDS
// picture, else after biClrUsed colour entries.
uint8_t* DibPixels(const GlobalDib& dib);

// A new bottom-up DIB of the given size, its table filled with the 16
// standard colours (repeated for 8 bits, none for 1 bit), its pixels zero.
// Room for 256 colour entries is always reserved. Empty when the size is
// refused or the memory cannot be had.
GlobalDib AllocateDib(int bitCount, int width, int height);
