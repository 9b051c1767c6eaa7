// The password lives only as its MD5 digest in the config file, so the file never shows it in clear text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What the store needs of the Windows profile functions (GetPrivateProfileStringA /
// WritePrivateProfileStringA).
class Profile {
public:
    virtual ~Profile() = default;
    // Like GetPrivateProfileStringA: returns at most bufferSize-1 bytes; missing file/section/key gives def.
    virtual std::string ReadString(const std::string& section, const std::string& key, const std::string& def,
                                   std::size_t bufferSize, const std::string& file) = 0;
    // Like WritePrivateProfileStringA; false when the write failed.
    virtual bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                             const std::string& file) = 0;
};

// 32 lowercase hex digits of the MD5 of the entry's bytes (code page 936 text).
std::string PasswordDigest(std::string_view entry);

class PasswordStore {
public:
    // Keeps references to both, so a later change to configDir is picked up: the path is built on every call.
    // Both must outlive the store.
    PasswordStore(Profile& profile, const std::string& configDir);
    // A temporary folder string would leave a dangling reference.
    PasswordStore(Profile& profile, std::string&& configDir) = delete;

    std::string ConfigFilePath() const;
    // Nothing is cached: a change made to the file elsewhere is seen at once.
    std::string ReadStoredDigest() const;
    bool WriteStoredDigest(const std::string& digest) const;
    // No stored digest means no password has been set, and then every entry is accepted.
    bool PasswordMatches(const std::string& entry) const;

private:
    Profile& profile_;
    const std::string& configDir_;
};

enum class ChangeOutcome { WrongOldPassword, NewEntriesDiffer, Unrepresentable, WriteFailed, Saved };

// The change-password dialog's OK button. Checks run in this order and the first failure wins:
// old password, the two new entries agree, the new one survives conversion to code page 936, the write.
// newEntry1Representable is false when the wide text had characters code page 936 cannot hold.
ChangeOutcome ChangePassword(const PasswordStore& store, const std::string& oldEntry,
                             const std::string& newEntry1, const std::string& newEntry2,
                             bool newEntry1Representable);
