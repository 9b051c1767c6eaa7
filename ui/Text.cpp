#include "ui/Text.h"

#include <windows.h>

namespace ui {
namespace {
constexpr UINT kCodePage = 936;
}

NarrowText ToCodePage936(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const char unmapped[] = "\xFF";
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0,
                                         unmapped, &lost);
    NarrowText narrow{std::string(size, '\0'), true};
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, narrow.Bytes.data(), size,
                        unmapped, &lost);
    narrow.Exact = !lost;
    return narrow;
}

std::wstring FromCodePage936(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(kCodePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(size, L'\0');
    MultiByteToWideChar(kCodePage, 0, bytes.data(), length, text.data(), size);
    return text;
}

std::wstring SystemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"错误代码 " + std::to_wstring(error);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

}  // namespace ui
