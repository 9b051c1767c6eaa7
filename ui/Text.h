#pragma once
#include <string>

namespace ui {

// Text of stored data in code page 936. A character the code page has no place for becomes the byte 0xFF,
// which no text of the code page produces: such an entry can never match a digest of a real password.
struct NarrowText {
    std::string Bytes;
    bool Exact = true;  // every character had its place
};
NarrowText ToCodePage936(const std::wstring& text);
std::wstring FromCodePage936(const std::string& bytes);

// The system's own words for an error code, without the trailing line break.
std::wstring SystemErrorText(unsigned long error);

}  // namespace ui
