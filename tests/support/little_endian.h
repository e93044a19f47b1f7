#pragma once
// Little-endian integers appended to a byte vector, for building .ico files
// in tests.

#include <cstdint>
#include <vector>

inline void put16(std::vector<unsigned char>& out, unsigned value) {
  out.push_back(static_cast<unsigned char>(value & 0xff));
  out.push_back(static_cast<unsigned char>(value >> 8 & 0xff));
}

inline void put32(std::vector<unsigned char>& out, std::uint32_t value) {
  put16(out, value & 0xffff);
  put16(out, value >> 16);
}
