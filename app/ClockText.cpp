#include "app/ClockText.h"

#include <cwchar>

std::wstring FormatClock(const DateTime& t, const std::wstring& sep) {
    wchar_t date[32];
    std::swprintf(date, 32, L"%04d-%02d-%02d ", t.Year, t.Month, t.Day);
    wchar_t part[8];
    std::wstring text = date;
    std::swprintf(part, 8, L"%02d", t.Hour);
    text += part;
    text += sep;
    std::swprintf(part, 8, L"%02d", t.Minute);
    text += part;
    text += sep;
    std::swprintf(part, 8, L"%02d", t.Second);
    text += part;
    return text;
}
