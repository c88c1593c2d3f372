#include "Unicommon/UserAgent.h"

#include <array>
#include <atomic>
#include <cstdint>

#include "Unicommon/Download.h"

namespace {

const std::array<const char*, 5> UserAgentTable = {
    "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.0; Trident/5.0)",
    "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)",
    "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; Win64; x64; Trident/6.0)",
    "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0; Sleipnir/2.9.8)",
    "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; ARM; Trident/6.0)",
};

// Starts at 0 in every process and is never seeded from anything else, so every
// program start sends the same sequence of agents.
std::atomic<uint32_t> AgentSeed{0};

uint32_t NextSeed(uint32_t seed) { return seed * 134775813u + 1u; }

}  // namespace

Text PickUserAgent() {
  uint32_t seed = AgentSeed.load();
  uint32_t next = NextSeed(seed);
  while (!AgentSeed.compare_exchange_weak(seed, next)) next = NextSeed(seed);
  // The high 32 bits of next * 5: an index from 0 to 4.
  const auto index = static_cast<size_t>((static_cast<uint64_t>(next) * 5u) >> 32);
  return UserAgentTable[index];
}

void ResetUserAgentPick() { AgentSeed.store(0); }
