#pragma once
// The seal that turns an image into its file: the file length L in the image's last word (file
// offset L - 8) and the CRC-32C of everything before it in the last four bytes (L - 4).
#include <cstdint>
#include <span>
#include <vector>

// Writes the file length (image length + 4) over the last word of an image about to be written.
void StampFileLength(uint8_t* image, uint32_t length);

// True when the `size` bytes of a file carry their own length at size - 8 and the checksum of the
// bytes before it at size - 4. The caller has checked that size is at least 8.
[[nodiscard]] bool IsSealedFile(const uint8_t* file, uint64_t size);
// The same from the file's last eight bytes, with the CRC-32C of its first size - 4 bytes already
// taken (as they were read).
[[nodiscard]] bool HasFileSeal(const uint8_t* lastEight, uint64_t size, uint32_t bodyCrc);

// The whole file of an image (for tools and tests; saves stream the same bytes).
std::vector<uint8_t> SealImage(std::span<const uint8_t> image);
