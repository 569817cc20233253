#pragma once

// Damages a valid file the way disks, downloads and hostile senders do:
// bytes overwritten, bits flipped, boundary values, cuts, lost and repeated
// stretches. PNG chunk checksums are mostly made right again afterwards, so
// the damage reaches libpng's decoding instead of stopping at the checksum.

#include <cstdint>
#include <random>
#include <vector>

class Mutator {
  public:
    explicit Mutator(uint32_t seed) : random_(seed) {}

    std::vector<uint8_t> Mutate(const std::vector<uint8_t>& file, bool isPng);

  private:
    size_t Below(size_t limit) { return limit == 0 ? 0 : random_() % limit; }
    void MutateOnce(std::vector<uint8_t>& bytes);

    std::mt19937 random_;
};

// Rewrites the checksum of every whole chunk of a PNG file.
void FixPngChecksums(std::vector<uint8_t>& png);
