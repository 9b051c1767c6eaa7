#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "password/PasswordStore.h"
#include "password/ProfileWin32.h"

namespace {

const std::string kDigest = PasswordDigest("secret");  // 5ebe2294ecd0e0f08eab7690d2a6ee69

std::string Utf16WithBom(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char ch : ascii) bytes += {ch, '\0'};
    return bytes;
}

std::string Garbage(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    return bytes;
}

// Whatever shape the file is in, the program keeps to the store's rules: an empty or unreadable entry means
// no password; any other value is a password that only its own digest matches.
class ConfigFileShapes : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::filesystem::path(temp) / ("dormora-shapes-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(folder_);
        dir_ = folder_.string() + "\\";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void Write(const std::string& bytes) {
        std::ofstream(folder_ / "DormoraConfig.dll", std::ios::binary) << bytes;
    }

    std::filesystem::path folder_;
    std::string dir_;
    ProfileWin32 profile_;
};

}  // namespace

TEST_F(ConfigFileShapes, EveryShapeReadsByTheRules) {
    struct Shape {
        const char* Name;
        std::string Bytes;
        bool PasswordSet;  // and then "secret" passes exactly when the digest was read whole
        bool SecretPasses;
    };
    const std::string entry = "[Config]\r\npw=" + kDigest + "\r\n";
    const Shape shapes[] = {
        {"empty file", "", false, true},
        {"only NUL bytes", std::string(4096, '\0'), false, true},
        {"binary garbage", Garbage(65536), false, true},
        {"the digest", entry, true, true},
        {"key in capitals, digest in capitals", "[CONFIG]\r\nPW=5EBE2294ECD0E0F08EAB7690D2A6EE69\r\n", true,
         false},
        {"empty value", "[Config]\r\npw=\r\n", false, true},
        {"key without equals sign", "[Config]\r\npw\r\n", false, true},
        {"value of thousands of characters", "[Config]\r\npw=" + kDigest + std::string(5000, 'a') + "\r\n",
         true, false},
        {"UTF-16 with byte-order mark", Utf16WithBom(entry), true, true},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + entry, true, true},
        {"section twice: the first one is read", "[Config]\r\npw=" + kDigest + "\r\n[Config]\r\npw=x\r\n",
         true, true},
        {"32 MiB of text before the section", std::string(32 << 20, 'x') + "\r\n" + entry, true, true},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.Name);
        Write(shape.Bytes);
        PasswordStore store(profile_, dir_);
        EXPECT_EQ(!store.ReadStoredDigest().empty(), shape.PasswordSet);
        EXPECT_EQ(store.PasswordMatches("secret"), shape.SecretPasses);
        EXPECT_EQ(store.PasswordMatches("wrong"), !shape.PasswordSet);
    }
}

TEST_F(ConfigFileShapes, MissingFileMeansNoPassword) {
    PasswordStore store(profile_, dir_);
    EXPECT_EQ(store.ReadStoredDigest(), "");
    EXPECT_TRUE(store.PasswordMatches(""));
}

TEST_F(ConfigFileShapes, FolderInThePlaceOfTheFileReadsAsNoneAndRefusesTheWrite) {
    std::filesystem::create_directory(folder_ / "DormoraConfig.dll");
    PasswordStore store(profile_, dir_);
    EXPECT_TRUE(store.PasswordMatches("anything"));
    EXPECT_EQ(ChangePassword(store, "", "new", "new", true), ChangeOutcome::WriteFailed);
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "DormoraConfig.dll"));
}

TEST_F(ConfigFileShapes, LongAndChineseEntriesAreDigestedWhole) {
    PasswordStore store(profile_, dir_);
    const std::string longEntry(100000, 'p');
    ASSERT_EQ(ChangePassword(store, "", longEntry, longEntry, true), ChangeOutcome::Saved);
    EXPECT_TRUE(store.PasswordMatches(longEntry));
    EXPECT_FALSE(store.PasswordMatches(longEntry.substr(1)));
    const std::string chinese = "\xC3\xDC\xC2\xEB";  // 密码 in code page 936
    ASSERT_EQ(ChangePassword(store, longEntry, chinese, chinese, true), ChangeOutcome::Saved);
    EXPECT_TRUE(store.PasswordMatches(chinese));
}
