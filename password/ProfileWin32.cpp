#include "password/ProfileWin32.h"

#include <windows.h>

#include <vector>

std::string ProfileWin32::ReadString(const std::string& section, const std::string& key,
                                     const std::string& def, std::size_t bufferSize,
                                     const std::string& file) {
    if (bufferSize == 0) {
        return {};
    }
    std::vector<char> buffer(bufferSize, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                             static_cast<DWORD>(bufferSize), file.c_str());
    // The function always terminates the text; take it up to the first zero.
    return std::string(buffer.data());
}

bool ProfileWin32::WriteString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}
