#include "password/PasswordStore.h"

#include "password/WMD5.h"

namespace {

constexpr char kConfigFileName[] = "DormoraConfig.dll";
constexpr char kSection[] = "Config";
// Profile key names are case-insensitive, so the two spellings name the same entry.
constexpr char kReadKey[] = "pw";
constexpr char kWriteKey[] = "PW";
// A digest is 32 characters; anything longer is cut here and can never match.
constexpr std::size_t kReadBufferSize = 256;

}  // namespace

std::string PasswordDigest(std::string_view entry) { return MD5Print(MD5String(entry)); }

PasswordStore::PasswordStore(Profile& profile, const std::string& configDir)
    : profile_(profile), configDir_(configDir) {}

std::string PasswordStore::ConfigFilePath() const {
    // configDir_ already ends in a backslash.
    return configDir_ + kConfigFileName;
}

std::string PasswordStore::ReadStoredDigest() const {
    return profile_.ReadString(kSection, kReadKey, "", kReadBufferSize, ConfigFilePath());
}

bool PasswordStore::WriteStoredDigest(const std::string& digest) const {
    return profile_.WriteString(kSection, kWriteKey, digest, ConfigFilePath());
}

bool PasswordStore::PasswordMatches(const std::string& entry) const {
    const std::string stored = ReadStoredDigest();
    if (stored.empty()) {
        return true;
    }
    // Exact comparison: an upper-case digest written by hand is not accepted.
    return PasswordDigest(entry) == stored;
}

ChangeOutcome ChangePassword(const PasswordStore& store, const std::string& oldEntry,
                             const std::string& newEntry1, const std::string& newEntry2,
                             bool newEntry1Representable) {
    if (!store.PasswordMatches(oldEntry)) {
        return ChangeOutcome::WrongOldPassword;
    }
    if (newEntry1 != newEntry2) {
        return ChangeOutcome::NewEntriesDiffer;
    }
    // A lossy conversion would store a password the user could never type back.
    if (!newEntry1Representable) {
        return ChangeOutcome::Unrepresentable;
    }
    if (!store.WriteStoredDigest(PasswordDigest(newEntry1))) {
        return ChangeOutcome::WriteFailed;
    }
    return ChangeOutcome::Saved;
}
