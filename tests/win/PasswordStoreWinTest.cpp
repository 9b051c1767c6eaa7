// Runs under Windows (or Wine) against the real profile functions, real files and the system's MD5.
#include <windows.h>
#include <wincrypt.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "password/PasswordStore.h"
#include "password/ProfileWin32.h"
#include "password/WMD5.h"

namespace {

const std::string kSecretDigest = "5ebe2294ecd0e0f08eab7690d2a6ee69";  // MD5("secret")

class PasswordStoreWinTest : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH + 1] = {};
        ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
        folder_ = std::string(temp) + "DormoraPwTest" + std::to_string(GetCurrentProcessId()) + "_" +
                  std::to_string(GetTickCount64());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
        configDir_ = folder_ + "\\";
    }

    void TearDown() override {
        DeleteFileA((folder_ + "\\DormoraConfig.dll").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string FileText() const {
        std::ifstream in(folder_ + "\\DormoraConfig.dll", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string folder_;
    std::string configDir_;
    ProfileWin32 profile_;
    PasswordStore store_{profile_, configDir_};
};

TEST_F(PasswordStoreWinTest, WriteThenReadBack) {
    EXPECT_EQ(configDir_ + "DormoraConfig.dll", store_.ConfigFilePath());
    EXPECT_EQ("", store_.ReadStoredDigest());
    EXPECT_TRUE(store_.PasswordMatches("anything"));

    ASSERT_EQ(ChangeOutcome::Saved, ChangePassword(store_, "", "secret", "secret", true));
    EXPECT_NE(std::string::npos, FileText().find("[Config]")) << FileText();
    EXPECT_NE(std::string::npos, FileText().find("PW=" + kSecretDigest)) << FileText();
    EXPECT_EQ(kSecretDigest, store_.ReadStoredDigest());
    EXPECT_TRUE(store_.PasswordMatches("secret"));
    EXPECT_FALSE(store_.PasswordMatches("Secret"));

    ASSERT_EQ(ChangeOutcome::Saved, ChangePassword(store_, "secret", "", "", true));
    EXPECT_EQ(PasswordDigest(""), store_.ReadStoredDigest());
    EXPECT_TRUE(store_.PasswordMatches(""));
    EXPECT_FALSE(store_.PasswordMatches("secret"));
}

TEST_F(PasswordStoreWinTest, SectionAndKeyNamesAreCaseInsensitive) {
    const struct {
        const char* section;
        const char* key;
    } spellings[] = {{"Config", "pw"}, {"CONFIG", "Pw"}, {"config", "PW"}};
    for (const auto& s : spellings) {
        SCOPED_TRACE(std::string(s.section) + "/" + s.key);
        ASSERT_TRUE(profile_.WriteString(s.section, s.key, kSecretDigest, store_.ConfigFilePath()));
        EXPECT_EQ(kSecretDigest, store_.ReadStoredDigest());
        // The store's own write must replace that entry, not add a second one beside it.
        ASSERT_TRUE(store_.WriteStoredDigest(PasswordDigest("new")));
        EXPECT_TRUE(store_.PasswordMatches("new"));
        EXPECT_EQ(std::string::npos, FileText().find(kSecretDigest)) << FileText();
    }
}

TEST_F(PasswordStoreWinTest, LongValueIsReadAsItsFirst255Bytes) {
    const std::string longValue = kSecretDigest + std::string(300, 'x');
    ASSERT_TRUE(profile_.WriteString("Config", "PW", longValue, store_.ConfigFilePath()));
    EXPECT_EQ(longValue.substr(0, 255), store_.ReadStoredDigest());
    EXPECT_FALSE(store_.PasswordMatches("secret"));
}

TEST_F(PasswordStoreWinTest, MissingFolderFailsTheWriteAndChangesNothing) {
    ASSERT_TRUE(store_.WriteStoredDigest(kSecretDigest));
    const std::string before = FileText();

    const std::string realDir = configDir_;
    configDir_ = folder_ + "\\missing\\";
    EXPECT_FALSE(store_.WriteStoredDigest(PasswordDigest("new")));
    EXPECT_EQ(ChangeOutcome::WriteFailed, ChangePassword(store_, "anything", "new", "new", true));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(configDir_.c_str()));

    configDir_ = realDir;
    EXPECT_EQ(before, FileText());
    EXPECT_TRUE(store_.PasswordMatches("secret"));
}

class CryptoMD5 {
public:
    CryptoMD5() {
        if (!CryptAcquireContextW(&provider_, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
            provider_ = 0;
        }
    }
    ~CryptoMD5() {
        if (provider_ != 0) CryptReleaseContext(provider_, 0);
    }
    CryptoMD5(const CryptoMD5&) = delete;
    CryptoMD5& operator=(const CryptoMD5&) = delete;

    bool Ready() const { return provider_ != 0; }

    std::array<std::uint8_t, 16> Digest(const std::string& bytes) {
        std::array<std::uint8_t, 16> digest{};
        HCRYPTHASH hash = 0;
        if (!CryptCreateHash(provider_, CALG_MD5, 0, 0, &hash)) {
            ADD_FAILURE() << "CryptCreateHash failed: " << GetLastError();
            return digest;
        }
        DWORD size = static_cast<DWORD>(digest.size());
        const bool ok = CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()),
                                      static_cast<DWORD>(bytes.size()), 0) &&
                        CryptGetHashParam(hash, HP_HASHVAL, digest.data(), &size, 0) && size == digest.size();
        EXPECT_TRUE(ok) << "CryptoAPI hashing failed: " << GetLastError();
        CryptDestroyHash(hash);
        return digest;
    }

private:
    HCRYPTPROV provider_ = 0;
};

TEST(MD5WinTest, MatchesCryptoApiOnRandomInputs) {
    CryptoMD5 crypto;
    ASSERT_TRUE(crypto.Ready()) << "CryptAcquireContextW failed: " << GetLastError();
    std::mt19937 rng(936);
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::size_t length = 0; length <= 300; ++length) {
        for (int round = 0; round < 3; ++round) {
            std::string bytes(length, '\0');
            for (char& c : bytes) c = static_cast<char>(byte(rng));
            ASSERT_EQ(crypto.Digest(bytes), MD5String(bytes)) << "length " << length;
        }
    }
}

}  // namespace
