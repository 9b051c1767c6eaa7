#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "password/WMD5.h"

namespace {

std::array<std::uint8_t, 16> OpenSslMD5(const std::string& bytes) {
    std::array<std::uint8_t, 16> digest{};
    unsigned int size = 0;
    EXPECT_EQ(1, EVP_Digest(bytes.data(), bytes.size(), digest.data(), &size, EVP_md5(), nullptr));
    EXPECT_EQ(16u, size);
    return digest;
}

std::string RandomBytes(std::mt19937& rng, std::size_t length) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(length, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(byte(rng));
    }
    return bytes;
}

// Feeds the input in random-sized pieces, empty ones included, so pieces start and end anywhere in a block.
std::array<std::uint8_t, 16> MD5InPieces(std::mt19937& rng, const std::string& bytes, int maxPiece) {
    std::uniform_int_distribution<int> pieceSize(0, maxPiece);
    MD5Context ctx;
    MD5Init(ctx);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t piece = std::min<std::size_t>(pieceSize(rng), bytes.size() - done);
        MD5Update(ctx, bytes.data() + done, piece);
        done += piece;
    }
    return MD5Final(ctx);
}

TEST(MD5Test, RfcTestSuite) {
    const struct {
        const char* text;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.digest, MD5Print(MD5String(c.text))) << "MD5(\"" << c.text << "\")";
    }
}

TEST(MD5Test, RandomInputsOfEveryLengthUpTo300MatchOpenSsl) {
    // Every length, so each padding case (lengths around 55/56/63/64/119/120) is hit several times.
    std::mt19937 rng(1321);
    for (std::size_t length = 0; length <= 300; ++length) {
        for (int round = 0; round < 4; ++round) {
            const std::string bytes = RandomBytes(rng, length);
            ASSERT_EQ(OpenSslMD5(bytes), MD5String(bytes)) << "length " << length << ", round " << round;
        }
    }
}

TEST(MD5Test, FeedingInPiecesEqualsWhole) {
    std::mt19937 rng(64);
    std::uniform_int_distribution<std::size_t> lengthDist(0, 300);
    for (int round = 0; round < 500; ++round) {
        const std::string bytes = RandomBytes(rng, lengthDist(rng));
        ASSERT_EQ(MD5String(bytes), MD5InPieces(rng, bytes, 70)) << "length " << bytes.size();
    }
    // Long enough that the bit count needs more than two bytes.
    const std::string large = RandomBytes(rng, 1 << 20);
    EXPECT_EQ(OpenSslMD5(large), MD5InPieces(rng, large, 5000));
}

}  // namespace
