// The powers of ten that a 64-bit whole number holds, 10^0 to 10^18, for
// scaling the mantissas of exact decimals.
#pragma once

#include <array>
#include <cstdint>

namespace sumvane {

inline constexpr std::array<std::int64_t, 19> kPowersOfTen = [] {
  std::array<std::int64_t, 19> powers{1};
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();

}  // namespace sumvane
