// MD5 message digest (RFC 1321). Used only to keep the password out of the config file in clear text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct MD5Context {
    std::uint32_t State[4];
    std::uint64_t BitCount;   // message length in bits, modulo 2^64
    std::uint8_t Buffer[64];  // partial block not yet transformed
};

void MD5Init(MD5Context& ctx);
void MD5Update(MD5Context& ctx, const void* data, std::size_t length);
// Pads, appends the length and returns the digest; the context must be re-initialised before reuse.
std::array<std::uint8_t, 16> MD5Final(MD5Context& ctx);

// Digest of the whole text, taken as raw bytes.
std::array<std::uint8_t, 16> MD5String(std::string_view bytes);
// 32 lowercase hex digits, in digest byte order, high nibble first.
std::string MD5Print(const std::array<std::uint8_t, 16>& digest);
