#include "password/WMD5.h"

#include <cstring>

namespace {

// Per-round shift amounts and sine-derived constants, in the order the 64 steps use them.
constexpr std::uint32_t kShift[64] = {
    7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,  // round 1
    5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,  // round 2
    4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,  // round 3
    6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21,  // round 4
};

constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

std::uint32_t RotateLeft(std::uint32_t x, std::uint32_t n) { return (x << n) | (x >> (32 - n)); }

void Transform(std::uint32_t state[4], const std::uint8_t block[64]) {
    // The block is read as sixteen little-endian words, whatever the host byte order.
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) {
        x[i] = std::uint32_t{block[i * 4]} | (std::uint32_t{block[i * 4 + 1]} << 8) |
               (std::uint32_t{block[i * 4 + 2]} << 16) | (std::uint32_t{block[i * 4 + 3]} << 24);
    }

    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int i = 0; i < 64; ++i) {
        std::uint32_t f;
        int g;
        if (i < 16) {
            f = (b & c) | (~b & d);
            g = i;
        } else if (i < 32) {
            f = (b & d) | (c & ~d);
            g = (5 * i + 1) % 16;
        } else if (i < 48) {
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
        } else {
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
        }
        const std::uint32_t rotated = RotateLeft(a + f + kSine[i] + x[g], kShift[i]);
        a = d;
        d = c;
        c = b;
        b = b + rotated;
    }

    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

}  // namespace

void MD5Init(MD5Context& ctx) {
    ctx.State[0] = 0x67452301;
    ctx.State[1] = 0xefcdab89;
    ctx.State[2] = 0x98badcfe;
    ctx.State[3] = 0x10325476;
    ctx.BitCount = 0;
    std::memset(ctx.Buffer, 0, sizeof ctx.Buffer);
}

void MD5Update(MD5Context& ctx, const void* data, std::size_t length) {
    if (length == 0) {
        return;  // data may be null for an empty text
    }
    const auto* input = static_cast<const std::uint8_t*>(data);
    std::size_t used = static_cast<std::size_t>((ctx.BitCount >> 3) & 63);
    ctx.BitCount += static_cast<std::uint64_t>(length) << 3;

    // Top up a partly filled buffer first, then transform whole blocks straight from the input.
    if (used != 0) {
        const std::size_t room = 64 - used;
        if (length < room) {
            std::memcpy(ctx.Buffer + used, input, length);
            return;
        }
        std::memcpy(ctx.Buffer + used, input, room);
        Transform(ctx.State, ctx.Buffer);
        input += room;
        length -= room;
    }
    for (; length >= 64; input += 64, length -= 64) {
        Transform(ctx.State, input);
    }
    if (length != 0) {
        std::memcpy(ctx.Buffer, input, length);
    }
}

std::array<std::uint8_t, 16> MD5Final(MD5Context& ctx) {
    std::uint8_t lengthBytes[8];
    for (int i = 0; i < 8; ++i) {
        lengthBytes[i] = static_cast<std::uint8_t>(ctx.BitCount >> (8 * i));
    }

    // One 0x80 byte, then zeros up to 56 mod 64, then the original length: the last block ends exactly.
    static constexpr std::uint8_t kPadding[64] = {0x80};
    const std::size_t used = static_cast<std::size_t>((ctx.BitCount >> 3) & 63);
    const std::size_t padLength = used < 56 ? 56 - used : 120 - used;
    MD5Update(ctx, kPadding, padLength);
    MD5Update(ctx, lengthBytes, sizeof lengthBytes);

    std::array<std::uint8_t, 16> digest{};
    for (int i = 0; i < 16; ++i) {
        digest[i] = static_cast<std::uint8_t>(ctx.State[i / 4] >> (8 * (i % 4)));
    }
    // Don't leave anything derived from the password lying in memory.
    std::memset(&ctx, 0, sizeof ctx);
    return digest;
}

std::array<std::uint8_t, 16> MD5String(std::string_view bytes) {
    MD5Context ctx;
    MD5Init(ctx);
    MD5Update(ctx, bytes.data(), bytes.size());
    return MD5Final(ctx);
}

std::string MD5Print(const std::array<std::uint8_t, 16>& digest) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(32);
    for (const std::uint8_t byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0f];
    }
    return text;
}
