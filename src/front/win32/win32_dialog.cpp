#include "front/win32/win32_dialog.h"

#include "front/win32/win32_resource.h"
#include "front/win32/win32_text.h"
#include "platform/version_info.h"

namespace seastrip {
namespace {

using namespace version_info;

// What one opening of the dialog owns; freed when it is destroyed.
struct DialogState {
    int dpiX = 96;
    int dpiY = 96;
    HFONT productFont = nullptr;
    HFONT numberFont = nullptr;
};

int PixelsX(const DialogState& s, int twips) { return TwipsToPixels(twips, s.dpiX); }
int PixelsY(const DialogState& s, int twips) { return TwipsToPixels(twips, s.dpiY); }

void Place(HWND dialog, int id, const DialogState& s, const TwipsRect& r)
{
    MoveWindow(GetDlgItem(dialog, id), PixelsX(s, r.left), PixelsY(s, r.top), PixelsX(s, r.width),
               PixelsY(s, r.height), FALSE);
}

HFONT MakeFont(const DialogState& s, const Font& font, BYTE charset)
{
    return CreateFontW(-MulDiv(font.hundredthsOfPoint, s.dpiY, 7200), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                       FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, Widen(font.face).c_str());
}

void SetText(HWND dialog, int id, const char* text) { SetDlgItemTextW(dialog, id, Widen(text).c_str()); }

// Client area of exactly 3945 x 1125 twips, centred on the work area.
void SizeAndCentre(HWND dialog, const DialogState& s)
{
    RECT frame{0, 0, PixelsX(s, kClientWidth), PixelsY(s, kClientHeight)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Initialise(HWND dialog, DialogState& s)
{
    HDC screen = GetDC(nullptr);
    s.dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    s.dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    SetWindowTextW(dialog, Widen(version_info::kCaption).c_str());
    // The frame carries the program icon; shared icons need no freeing.
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SEASTRIP));
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetText(dialog, IDC_VERSION_PRODUCT, version_info::kProductName);
    SetText(dialog, IDC_VERSION_NUMBER, version_info::kVersion);
    SetText(dialog, IDC_VERSION_RIGHTS, version_info::kRights);
    s.productFont = MakeFont(s, kProductFont, SHIFTJIS_CHARSET);
    s.numberFont = MakeFont(s, kNumberFont, DEFAULT_CHARSET);
    SendDlgItemMessageW(dialog, IDC_VERSION_PRODUCT, WM_SETFONT, reinterpret_cast<WPARAM>(s.productFont), FALSE);
    SendDlgItemMessageW(dialog, IDC_VERSION_NUMBER, WM_SETFONT, reinterpret_cast<WPARAM>(s.numberFont), FALSE);

    Place(dialog, IDC_VERSION_ICON, s, kIconRect);
    Place(dialog, IDC_VERSION_PRODUCT, s, kProductRect);
    Place(dialog, IDC_VERSION_NUMBER, s, kNumberRect);
    Place(dialog, IDC_VERSION_RIGHTS, s, kRightsRect);
    Place(dialog, IDOK, s, kOkRect);
    SizeAndCentre(dialog, s);
}

// The divider across the whole dialog: a light line over a dark one.
void PaintDivider(HWND dialog, const DialogState& s)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    RECT client{};
    GetClientRect(dialog, &client);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, RGB(255, 255, 255));
    MoveToEx(dc, 0, PixelsY(s, kLightLineY), nullptr);
    LineTo(dc, client.right, PixelsY(s, kLightLineY));
    SetDCPenColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    MoveToEx(dc, 0, PixelsY(s, kDarkLineY), nullptr);
    LineTo(dc, client.right, PixelsY(s, kDarkLineY));
    SelectObject(dc, previous);
    EndPaint(dialog, &paint);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<DialogState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        Initialise(dialog, *state);
        return TRUE;
    case WM_PAINT:
        if (!state) return FALSE;
        PaintDivider(dialog, *state);
        return TRUE;
    case WM_COMMAND:
        // Enter presses the default button OK; Escape and the close box send
        // IDCANCEL, which closes the dialog the same way.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void RunVersionDialog(HINSTANCE instance, HWND owner)
{
    DialogState state;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_VERSION), owner, DialogProc, reinterpret_cast<LPARAM>(&state));
    if (state.productFont) DeleteObject(state.productFont);
    if (state.numberFont) DeleteObject(state.numberFont);
}

}  // namespace seastrip
