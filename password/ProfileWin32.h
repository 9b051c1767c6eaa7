// Profile over the real Windows INI functions.
#pragma once

#include "password/PasswordStore.h"

class ProfileWin32 : public Profile {
public:
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def,
                           std::size_t bufferSize, const std::string& file) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override;
};
