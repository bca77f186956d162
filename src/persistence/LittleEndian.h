#pragma once
// The little-endian byte order of every number in a tagged file.

#include <cstddef>
#include <cstdint>

namespace umbrinex {

template <typename U>
void EncodeLE(U v, std::uint8_t* bytes)
{
  for (std::size_t i = 0; i < sizeof(U); ++i) bytes[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

template <typename U>
U DecodeLE(const std::uint8_t* bytes)
{
  U result = 0;
  for (std::size_t i = 0; i < sizeof(U); ++i) result = static_cast<U>(result | U(bytes[i]) << (8 * i));
  return result;
}

inline std::int32_t LE32(const std::uint8_t* p)
{
  return static_cast<std::int32_t>(DecodeLE<std::uint32_t>(p));
}

inline void StoreLE32(std::uint8_t* p, std::int64_t v)
{
  EncodeLE(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)), p);
}

}  // namespace umbrinex
