#pragma once
// What one layout section says about one control, read before any window
// exists.
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Kind numbers kept in the page's control list.
enum CtrlKind : int {
    kPicButton = 0,
    kCheckBox = 1,
    kRadio = 2,
    kEdit = 3,
    kListCtrl = 4,
    kStandard = 7, // progress bar and drop-down list
    kText = 11,
    kPushButton = 12,
};

// Which factory the description is for.
enum class CtrlType { PicButton, PicText, Edit, CheckBox, Radio, ComboBox, PushButton, Progress, ListCtrl };

// Fixed ids of the controls whose factory takes none.
constexpr int kListCtrlId = 1201;
constexpr int kProgressId = 1202;
constexpr const char16_t* kListCtrlSection = u"DlgListCam.ListCtrl";

// Window style bits that the layout switches on.
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kTextPasswordBit = 0x20;
constexpr uint32_t kEsPassword = 0x20;
constexpr uint32_t kEsAutoHScroll = 0x80;

struct CtrlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The factory's own arguments besides the section.
struct CtrlRequest {
    CtrlType type = CtrlType::PicText;
    std::u16string section;
    int id = 0;
    bool visible = true;          // text
    int clickable = 0;            // text: only 1 makes it clickable
    std::u16string defaultCaption; // radio
    uint32_t listStyle = 0;       // list control
};

struct ControlDesc {
    CtrlType type = CtrlType::PicText;
    int kind = kText;
    int id = 0;
    std::u16string section;
    CtrlRect rect;          // as read; a drop-down list's height is the UI's
    std::u16string caption; // text, check box, radio, push button
    std::u16string tip;     // picture button
    // Full paths of the picture button's state pictures; empty: no picture.
    std::string normalImage, downImage, hoverImage, disableImage;
    bool password = false;
    bool autoHScroll = false;
    int maxLen = 0;                    // edit; 0: no limit
    std::vector<std::u16string> items; // drop-down list
    int defaultIndex = 0;              // drop-down list
    bool visible = true;
    bool clickable = false;
    uint32_t style = 0; // window style the control is created with
};

} // namespace orv
