// Decodes a JPEG file in memory with the plain decoder into rows of RGB; false when it
// refuses the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

bool PlainJpegDecode(const uint8_t* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgb);
