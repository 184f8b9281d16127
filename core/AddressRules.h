// Which IPv4 addresses and masks an adapter can be given, as Windows' own TCP/IP dialog judges
// them: what the editor and the address dialog refuse, and why, in words for the user.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

// The address in dotted-decimal form (four numbers 0 to 255); nothing for any other text.
std::optional<uint32_t> ParseIPv4(std::string_view dotted);
std::string DottedIPv4(uint32_t address);

// Ones followed by zeros.
bool IsContiguousMask(uint32_t mask);

// Why the address cannot be a host's (an adapter's own, or a gateway): the end of a sentence
// that begins with the address, or empty when it can be. With a contiguous mask of /30 or
// shorter, the subnet's own network and broadcast addresses cannot be either.
std::string WhyNoHostAddress(uint32_t address, std::optional<uint32_t> mask = std::nullopt);
// Why the mask cannot be a subnet mask, the same way.
std::string WhyNoSubnetMask(uint32_t mask);
// Why the address cannot be a DNS server's: multicast, reserved, broadcast; a resolver on the
// computer itself (127.x) can.
std::string WhyNoDnsServer(uint32_t address);

// Whether both addresses lie in one subnet of the mask.
bool InSubnet(uint32_t address, uint32_t other, uint32_t mask);

}  // namespace vt
