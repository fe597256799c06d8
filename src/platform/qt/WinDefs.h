#pragma once
// Message, notification, message-box and navigation numbers shared by the
// host, the pages and the skinned controls. They keep the values the settings
// file and the page flow are written against.
#include "app/PageFlow.h" // navigation codes kNavBack ... kNavWps

#include <cstdint>

namespace orv {

// Messages.
constexpr unsigned WM_COMMAND_MSG = 0x0111;
constexpr unsigned WM_NOTIFY_MSG = 0x004E;
constexpr unsigned WM_USER_MSG = 0x0400;
// Page navigation, posted by a page to its host: wParam the code, lParam the page.
constexpr unsigned WM_PAGE_NAV = WM_USER_MSG + 100; // 1124

static_assert(WM_PAGE_NAV == static_cast<unsigned>(kNavMessage));

// Control ids every page shares.
constexpr int IDC_EXIT = 1001;
constexpr int IDC_BACK = 1002;
constexpr int IDC_NEXT = 1003;

// Command notification codes (high word of a command's wParam).
constexpr int BN_CLICKED = 0;
constexpr int CBN_SELCHANGE = 1;
constexpr int EN_CHANGE = 0x0300;
// List-control notification.
constexpr int LVN_ITEMCHANGED = -101;

// Message-box types, icons and answers.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr unsigned MB_ICONMASK = 0xF0;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// COLORREF: 0x00BBGGRR.
using COLORREF = uint32_t;
constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

} // namespace orv
