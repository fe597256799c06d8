#include "skin/core/LayoutReader.h"

#include "skin/core/BuiltinMessages.h"

#include "platform/core/WideText.h"

#include <cstdlib>

namespace orv {

namespace {

// Styles the factories create each kind with.
constexpr uint32_t kPicButtonStyle = 0x5001018E;
constexpr uint32_t kEditStyle = 0x50810000;
constexpr uint32_t kCheckBoxStyle = 0x50010103;
constexpr uint32_t kRadioStyle = 0x50030109;
constexpr uint32_t kComboStyle = 0x50200043;
constexpr uint32_t kPushButtonStyle = 0x0F00;
constexpr uint32_t kProgressStyle = 0x50000001;
constexpr uint32_t kTextStyle = 0x40000000; // WS_CHILD

std::string ToPath(const std::u16string& text)
{
    std::string s = Utf8(text);
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

void ReadRect(const CProfileFile& p, const std::u16string& sec, ControlDesc& d, bool readHeight)
{
    const int x = p.GetInt(sec, u"x", 0);
    const int y = p.GetInt(sec, u"y", 0);
    // Widths are added in 64 bits and clamped so that odd values cannot wrap.
    auto edge = [](int origin, int extent) {
        long long v = static_cast<long long>(origin) + extent;
        return static_cast<int>(v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : v));
    };
    d.rect.left = x;
    d.rect.top = y;
    d.rect.right = edge(x, p.GetInt(sec, u"w", 0));
    d.rect.bottom = readHeight ? edge(y, p.GetInt(sec, u"h", 0)) : y;
}

std::string ImageOf(const CProfileFile& p, const SkinPaths& paths, const std::u16string& sec,
                    const char16_t* key)
{
    std::u16string name;
    if (!p.Read(sec, key, name))
        return {};
    return JoinImagePath(paths.imageDir, name);
}

void ReadItems(const CProfileFile& p, const std::u16string& sec, ControlDesc& d)
{
    for (int i = 0;; ++i) {
        std::u16string item;
        if (!p.Read(sec, u"text" + WFromInt(i), item))
            break;
        d.items.push_back(item);
    }
    d.defaultIndex = p.GetInt(sec, u"default", 0);
}

} // namespace

SkinPaths MakeSkinPaths(const std::string& programDir, const CProfileFile& profile)
{
    SkinPaths paths;
    paths.programDir = programDir;
    paths.iniFile = SettingsFileIn(programDir);
    paths.imageDir = programDir + ToPath(profile.GetString(u"Image", u"path", u"Image")) + "/";
    return paths;
}

std::string JoinImagePath(const std::string& imageDir, const std::u16string& name)
{
    return imageDir + ToPath(name);
}

bool ReadControlDesc(const CProfileFile& p, const SkinPaths& paths, const CtrlRequest& req,
                     ControlDesc& d)
{
    d = ControlDesc{};
    d.type = req.type;
    d.id = req.id;
    d.section = req.type == CtrlType::ListCtrl ? std::u16string(kListCtrlSection) : req.section;
    if (d.section.empty())
        return false;
    const std::u16string& sec = d.section;
    // A picture button shows it as its tooltip; for every control it is the
    // name or description a screen reader announces.
    d.tip = p.GetString(sec, u"tip", u"");
    switch (req.type) {
    case CtrlType::PicButton:
        d.kind = kPicButton;
        d.style = kPicButtonStyle;
        d.normalImage = ImageOf(p, paths, sec, u"normalImage");
        if (d.normalImage.empty())
            return false;
        d.downImage = ImageOf(p, paths, sec, u"downImage");
        d.disableImage = ImageOf(p, paths, sec, u"disableImage");
        d.hoverImage = ImageOf(p, paths, sec, u"hoverImage");
        ReadRect(p, sec, d, true);
        break;
    case CtrlType::PicText:
        d.kind = kText;
        ReadRect(p, sec, d, true);
        d.password = p.GetInt(sec, u"password", 0) != 0;
        d.caption = p.GetString(sec, u"caption", u"");
        d.visible = req.visible;
        d.clickable = req.clickable == 1;
        d.style = kTextStyle | (d.visible ? kWsVisible : 0) | (d.password ? kTextPasswordBit : 0);
        break;
    case CtrlType::Edit:
        d.kind = kEdit;
        ReadRect(p, sec, d, true);
        d.autoHScroll = p.GetInt(sec, u"autohscroll", 0) != 0;
        d.maxLen = p.GetInt(sec, u"Maxlen", 0);
        d.password = p.GetInt(sec, u"password", 0) != 0;
        d.style = kEditStyle | (d.autoHScroll ? kEsAutoHScroll : 0) | (d.password ? kEsPassword : 0);
        break;
    case CtrlType::CheckBox:
    case CtrlType::Radio: {
        const bool radio = req.type == CtrlType::Radio;
        d.kind = radio ? kRadio : kCheckBox;
        d.style = radio ? kRadioStyle : kCheckBoxStyle;
        ReadRect(p, sec, d, true);
        d.caption = p.GetString(sec, u"caption", radio ? std::u16string_view(req.defaultCaption) : u"");
        break;
    }
    case CtrlType::ComboBox:
        d.kind = kStandard;
        d.style = kComboStyle;
        ReadRect(p, sec, d, false);
        ReadItems(p, sec, d);
        break;
    case CtrlType::PushButton:
        d.kind = kPushButton;
        d.style = kPushButtonStyle;
        d.caption = p.GetString(sec, u"Caption", u"");
        ReadRect(p, sec, d, true);
        break;
    case CtrlType::Progress:
        d.kind = kStandard;
        d.style = kProgressStyle;
        d.id = kProgressId;
        ReadRect(p, sec, d, true);
        break;
    case CtrlType::ListCtrl:
        d.kind = kListCtrl;
        d.id = kListCtrlId;
        d.style = req.listStyle | kWsVisible;
        ReadRect(p, sec, d, true);
        break;
    }
    return true;
}

int ComboDropHeight(int fontHeight)
{
    long long h = (std::llabs(static_cast<long long>(fontHeight)) + 4) * 10;
    return static_cast<int>(h > INT32_MAX ? INT32_MAX : h);
}

std::u16string MessageText(const CProfileFile& profile, int number)
{
    std::u16string value = profile.GetString(u"Message", u"Message" + WFromInt(number), u"0");
    if (value == u"0")
        value = BuiltinMessageText(number);
    if (value.empty())
        return u"Some error occurred, error number is " + WFromInt(number) + u".";
    std::u16string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size() && value[i + 1] == u'\\') {
            text += u"\r\n";
            ++i;
        } else {
            text.push_back(value[i]);
        }
    }
    return text;
}

} // namespace orv
