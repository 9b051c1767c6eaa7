#include <windows.h>

#include <algorithm>
#include <string>

#include "ui/Led.h"

namespace ui {
namespace {

constexpr COLORREF kLit = RGB(0, 255, 0);
constexpr COLORREF kUnlit = RGB(0, 51, 0);

// Segments a to g of a seven-segment digit, as bits 0 to 6.
int SegmentsOf(wchar_t ch) {
    static constexpr int digits[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    if (ch >= L'0' && ch <= L'9') return digits[ch - L'0'];
    if (ch == L'-') return 0x40;
    return 0;
}

struct Cell {
    int Left, Top, Width, Height, Thick;
};

void Segment(HDC dc, const Cell& c, int index, bool lit) {
    const int t = c.Thick, h = t / 2, w = c.Width, mid = c.Top + c.Height / 2, l = c.Left, top = c.Top,
              bottom = c.Top + c.Height;
    POINT p[6];
    auto horizontal = [&](int y) {
        p[0] = {l + h, y};
        p[1] = {l + t, y - h};
        p[2] = {l + w - t, y - h};
        p[3] = {l + w - h, y};
        p[4] = {l + w - t, y + h};
        p[5] = {l + t, y + h};
    };
    auto vertical = [&](int x, int y0, int y1) {
        p[0] = {x, y0 + h};
        p[1] = {x + h, y0 + t};
        p[2] = {x + h, y1 - t};
        p[3] = {x, y1 - h};
        p[4] = {x - h, y1 - t};
        p[5] = {x - h, y0 + t};
    };
    switch (index) {
        case 0: horizontal(top + h); break;
        case 1: vertical(l + w - h, top, mid); break;
        case 2: vertical(l + w - h, mid, bottom); break;
        case 3: horizontal(bottom - h); break;
        case 4: vertical(l + h, mid, bottom); break;
        case 5: vertical(l + h, top, mid); break;
        default: horizontal(mid); break;
    }
    SetDCBrushColor(dc, lit ? kLit : kUnlit);
    Polygon(dc, p, 6);
}

void Dot(HDC dc, int x, int y, int size) {
    SetDCBrushColor(dc, kLit);
    const RECT r{x, y, x + size, y + size};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
    text.resize(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
    return text;
}

// Every character has a cell of the same width; the display is laid out for 19 characters at least.
int PitchOf(const RECT& client, std::size_t length) {
    return client.right / static_cast<int>(std::max<std::size_t>(length, 19));
}

RECT CellRect(const RECT& client, int pitch, std::size_t index) {
    const int left = 2 + pitch * static_cast<int>(index);
    return {left, 0, left + pitch, client.bottom};
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    // Drawn off screen first, so that the display does not flicker at every tick.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // One brush for every segment, its colour set per segment: no brush made at each tick.
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(DC_BRUSH));

    const std::wstring text = TextOf(hwnd);
    const int height = client.bottom * 4 / 5, top = (client.bottom - height) / 2;
    const int pitch = PitchOf(client, text.size());
    const int thick = std::max(2, height / 9);
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Only the cells that changed are asked for at a tick.
        const RECT area = CellRect(client, pitch, i);
        RECT overlap;
        if (!IntersectRect(&overlap, &area, &ps.rcPaint)) continue;
        const Cell cell{area.left, top, pitch * 7 / 10, height, thick};
        const wchar_t ch = text[i];
        if (ch == L':' || ch == L'.') {
            const int x = cell.Left + cell.Width / 2 - thick / 2;
            if (ch == L':') Dot(dc, x, top + height / 4, thick);
            Dot(dc, x, top + height * 3 / 4 - thick, thick);
        } else if (ch != L' ') {
            const int segments = SegmentsOf(ch);
            for (int segment = 0; segment < 7; ++segment)
                Segment(dc, cell, segment, (segments >> segment) & 1);
        }
    }
    const RECT& paint = ps.rcPaint;
    BitBlt(target, paint.left, paint.top, paint.right - paint.left, paint.bottom - paint.top, dc, paint.left,
           paint.top, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(hwnd, &ps);
}

// Marks for repainting the cells whose characters differ, or everything when the length changes.
void InvalidateChanges(HWND hwnd, const std::wstring& before, const std::wstring& after) {
    if (before.size() != after.size()) {
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    const int pitch = PitchOf(client, after.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (before[i] == after[i]) continue;
        const RECT cell = CellRect(client, pitch, i);
        InvalidateRect(hwnd, &cell, FALSE);
    }
}

LRESULT CALLBACK LedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: Paint(hwnd); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SETTEXT: {
            const std::wstring before = TextOf(hwnd);
            const LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
            InvalidateChanges(hwnd, before, TextOf(hwnd));
            return result;
        }
        default: return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace

void RegisterLedClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = LedProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"DormoraLed";
    RegisterClassExW(&wc);
}

}  // namespace ui
