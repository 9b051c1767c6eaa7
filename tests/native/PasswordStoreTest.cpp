#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "password/PasswordStore.h"
#include "tests/native/MemoryProfile.h"

namespace {

const std::string kFile = "c:\\DormoraConfig.dll";
const std::string kEmptyDigest = "d41d8cd98f00b204e9800998ecf8427e";
const std::string kSecretDigest = "5ebe2294ecd0e0f08eab7690d2a6ee69";  // MD5("secret")
// "密码" as code page 936 bytes, and the same word in UTF-8, which must not be confused with it.
const std::string kChineseCp936 = "\xC3\xDC\xC2\xEB";
const std::string kChineseUtf8 = "\xE5\xAF\x86\xE7\xA0\x81";
const std::string kChineseCp936Digest = "d2293e30f0c964c5f6242486aa8a483c";  // checked with OpenSSL

struct Fixture {
    MemoryProfile profile;
    std::string configDir = "c:\\";
    PasswordStore store{profile, configDir};
};

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

TEST(PasswordDigestTest, HashesTheEntryBytes) {
    EXPECT_EQ(kEmptyDigest, PasswordDigest(""));
    EXPECT_EQ(kSecretDigest, PasswordDigest("secret"));
    EXPECT_EQ(kChineseCp936Digest, PasswordDigest(kChineseCp936));
}

TEST(PasswordStoreTest, WritesDigestToConfigFileUnderPW) {
    Fixture f;
    EXPECT_EQ(kFile, f.store.ConfigFilePath());
    ASSERT_TRUE(f.store.WriteStoredDigest(kSecretDigest));
    EXPECT_EQ("[Config]\nPW=" + kSecretDigest + "\n", f.profile.FileText(kFile));
    EXPECT_EQ(kSecretDigest, f.store.ReadStoredDigest());
}

TEST(PasswordStoreTest, FollowsConfigDirChanges) {
    Fixture f;
    f.configDir = "d:\\data\\";
    ASSERT_TRUE(f.store.WriteStoredDigest(kSecretDigest));
    EXPECT_EQ("[Config]\nPW=" + kSecretDigest + "\n", f.profile.FileText("d:\\data\\DormoraConfig.dll"));
    EXPECT_EQ("", f.profile.FileText(kFile));
}

TEST(PasswordStoreTest, MatchesAgainstFileContents) {
    struct Line {
        std::string section, key, value;
    };
    const std::string longValue = kSecretDigest + std::string(300, 'x');
    const struct {
        const char* name;
        std::vector<Line> file;  // empty: no file
        std::vector<std::string> accepted;
        std::vector<std::string> rejected;
    } cases[] = {
        {"no file", {}, {"", "secret", kSecretDigest}, {}},
        {"empty value", {{"Config", "PW", ""}}, {"", "secret"}, {}},
        {"key in another section", {{"Other", "pw", kSecretDigest}}, {"", "anything"}, {}},
        {"another key", {{"Config", "Password", kSecretDigest}}, {"", "anything"}, {}},
        {"lowercase digest, names in other case",
         {{"CONFIG", "Pw", kSecretDigest}},
         {"secret"},
         {"", "Secret", "secret ", kSecretDigest}},
        {"uppercase digest",
         {{"Config", "PW", Upper(kSecretDigest)}},
         {},
         {"secret", "", Upper(kSecretDigest)}},
        // Cut to 255 bytes, which is neither empty nor a digest, so nothing passes.
        {"value longer than 255",
         {{"Config", "PW", longValue}},
         {},
         {"secret", "", longValue.substr(0, 255)}},
        {"code page 936 password",
         {{"Config", "PW", kChineseCp936Digest}},
         {kChineseCp936},
         {kChineseUtf8, ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        for (const Line& line : c.file) {
            f.profile.WriteString(line.section, line.key, line.value, kFile);
        }
        for (const std::string& entry : c.accepted) {
            EXPECT_TRUE(f.store.PasswordMatches(entry)) << "entry \"" << entry << "\"";
        }
        for (const std::string& entry : c.rejected) {
            EXPECT_FALSE(f.store.PasswordMatches(entry)) << "entry \"" << entry << "\"";
        }
    }
}

TEST(PasswordStoreTest, ReadsLongValueAsItsFirst255Bytes) {
    Fixture f;
    const std::string longValue(400, 'a');
    f.profile.WriteString("Config", "PW", longValue, kFile);
    EXPECT_EQ(longValue.substr(0, 255), f.store.ReadStoredDigest());
}

TEST(PasswordStoreTest, ReadsTheFileAfreshOnEveryCheck) {
    Fixture f;
    ASSERT_TRUE(f.store.PasswordMatches("anything"));
    f.profile.WriteString("Config", "pw", kSecretDigest, kFile);  // changed behind the store's back
    EXPECT_FALSE(f.store.PasswordMatches("anything"));
    EXPECT_TRUE(f.store.PasswordMatches("secret"));
    f.profile.WriteString("Config", "pw", "", kFile);
    EXPECT_TRUE(f.store.PasswordMatches("anything"));
}

TEST(ChangePasswordTest, NewPasswordAppliesToTheVeryNextCheck) {
    Fixture f;
    ASSERT_EQ(ChangeOutcome::Saved, ChangePassword(f.store, "", "first", "first", true));
    EXPECT_TRUE(f.store.PasswordMatches("first"));
    EXPECT_FALSE(f.store.PasswordMatches(""));

    ASSERT_EQ(ChangeOutcome::Saved, ChangePassword(f.store, "first", kChineseCp936, kChineseCp936, true));
    EXPECT_EQ(kChineseCp936Digest, f.store.ReadStoredDigest());
    EXPECT_TRUE(f.store.PasswordMatches(kChineseCp936));
    EXPECT_FALSE(f.store.PasswordMatches("first"));

    // An empty password is a real password: the digest of the empty text, and only the empty entry passes.
    ASSERT_EQ(ChangeOutcome::Saved, ChangePassword(f.store, kChineseCp936, "", "", true));
    EXPECT_EQ("[Config]\nPW=" + kEmptyDigest + "\n", f.profile.FileText(kFile));
    EXPECT_TRUE(f.store.PasswordMatches(""));
    EXPECT_FALSE(f.store.PasswordMatches(" "));
    EXPECT_FALSE(f.store.PasswordMatches(kChineseCp936));
}

TEST(ChangePasswordTest, ChecksInOrderAndWritesOnlyWhenAllPass) {
    const struct {
        const char* name;
        std::optional<std::string> storedDigest;  // nullopt: no file
        std::string oldEntry, new1, new2;
        bool representable;
        bool failWrites;
        ChangeOutcome expected;
    } cases[] = {
        {"wrong old and differing new", kSecretDigest, "Secret", "a", "b", false, false,
         ChangeOutcome::WrongOldPassword},
        {"digest typed as old password", kSecretDigest, kSecretDigest, "a", "a", true, false,
         ChangeOutcome::WrongOldPassword},
        {"new differ by case", kSecretDigest, "secret", "Abc", "abc", false, false,
         ChangeOutcome::NewEntriesDiffer},
        {"new differ by trailing blank", kSecretDigest, "secret", "abc", "abc ", true, false,
         ChangeOutcome::NewEntriesDiffer},
        {"unrepresentable, writes would fail", kSecretDigest, "secret", "a?", "a?", false, true,
         ChangeOutcome::Unrepresentable},
        {"write fails", kSecretDigest, "secret", "new", "new", true, true, ChangeOutcome::WriteFailed},
        {"no password set, any old entry", std::nullopt, "whatever", "new", "new", true, false,
         ChangeOutcome::Saved},
        {"empty value, any old entry", "", "whatever", "new", "new", true, false, ChangeOutcome::Saved},
        {"right old", kSecretDigest, "secret", "new", "new", true, false, ChangeOutcome::Saved},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        if (c.storedDigest) {
            f.profile.WriteString("Config", "PW", *c.storedDigest, kFile);
        }
        const std::string before = f.profile.FileText(kFile);
        f.profile.failWrites = c.failWrites;
        f.profile.writeAttempts = 0;

        EXPECT_EQ(c.expected, ChangePassword(f.store, c.oldEntry, c.new1, c.new2, c.representable));

        const bool attempted = c.expected == ChangeOutcome::WriteFailed || c.expected == ChangeOutcome::Saved;
        EXPECT_EQ(attempted ? 1 : 0, f.profile.writeAttempts);
        if (c.expected == ChangeOutcome::Saved) {
            EXPECT_EQ(PasswordDigest(c.new1), f.store.ReadStoredDigest());
        } else {
            EXPECT_EQ(before, f.profile.FileText(kFile));
        }
    }
}

}  // namespace
