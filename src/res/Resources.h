#pragma once
// The program's own resources: string table, version, dialog frame ids and
// the window icon, held in code so the program needs no resource file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::res {

// String table.
constexpr int32_t kIdsSocketsFailed = 103; // "Windows sockets initialization failed."
constexpr int32_t kIdsVersionFormat = 2000; // "Version:  %d.%d.%d.%d"
// Skin messages of the wait overlay over a page whose camera is slow.
constexpr int32_t kMsgWaitingForCamera = 3003;
constexpr int32_t kMsgCancelWaiting = 3004;

// Icon of the host and its pages.
constexpr int32_t kIconMain = 141;

// Empty dialog frames: the host's and one per page.
constexpr int32_t kDlgAbout = 101;
constexpr int32_t kDlgHost = 102;
constexpr int32_t kDlgNetWorkFinish = 105;
constexpr int32_t kDlgListCam = 129;
constexpr int32_t kDlgIdPwd = 130;
constexpr int32_t kDlgNetWork = 131;
constexpr int32_t kDlgWireless = 132;
constexpr int32_t kDlgWirelessKey = 143;
constexpr int32_t kDlgWirelessFinish = 144;
constexpr int32_t kDlgWpsSetting = 145;
constexpr int32_t kDlgWirelessSelect = 146;
constexpr int32_t kDlgWirelessNew = 147;
constexpr int32_t kDlgWirelessFinishNew = 148;

// A page frame before its background picture sizes it: a popup without
// caption or border, in dialog units of its 8-point "MS Shell Dlg" font.
struct DialogFrame {
    int32_t id;
    int32_t widthDlu;
    int32_t heightDlu;
};
// nullptr for an id no frame has.
const DialogFrame* FindDialogFrame(int32_t id);

// Text of a string-table entry; empty for an unknown id.
std::u16string LoadString(int32_t id);

struct ProgramVersion {
    uint16_t part[4] = {}; // major, minor, patch, build
};

// "a[.b[.c[.d]]]", each part 0-65535; missing parts are 0.
bool ParseVersion(std::string_view text, ProgramVersion& out);

// The version the program was built with (the project version).
ProgramVersion GetProgramVersion();

// String 2000 filled with the four parts, e.g. "Version:  1.0.4.2112".
std::u16string FormatVersionText(const ProgramVersion& version);

// Icon 141, drawn in code: `size` x `size` pixels, 0xAARRGGBB, rows top down.
struct IconImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> argb;
};
IconImage DrawProgramIcon(int32_t size);

} // namespace orv::res
