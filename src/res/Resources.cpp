#include "res/Resources.h"

#include <cmath>

#include "platform/core/WideText.h"

#ifndef ORVANTA_VERSION_TEXT
#error "ORVANTA_VERSION_TEXT must be defined by the build"
#endif

namespace orv::res {

namespace {

constexpr DialogFrame kFrames[] = {
    {kDlgAbout, 185, 90},          {kDlgHost, 185, 90},         {kDlgNetWorkFinish, 185, 90},
    {kDlgListCam, 185, 90},        {kDlgIdPwd, 185, 90},        {kDlgNetWork, 185, 90},
    {kDlgWireless, 185, 90},       {kDlgWirelessKey, 185, 90},  {kDlgWirelessFinish, 185, 90},
    {kDlgWpsSetting, 185, 90},     {kDlgWirelessSelect, 185, 90}, {kDlgWirelessNew, 185, 90},
    {kDlgWirelessFinishNew, 185, 90},
};

struct StringEntry {
    int32_t id;
    const char16_t* text;
};

constexpr StringEntry kStrings[] = {
    {kIdsSocketsFailed, u"Windows sockets initialization failed."},
    {kIdsVersionFormat, u"Version:  %d.%d.%d.%d"},
};

} // namespace

const DialogFrame* FindDialogFrame(int32_t id)
{
    for (const DialogFrame& f : kFrames) {
        if (f.id == id)
            return &f;
    }
    return nullptr;
}

std::u16string LoadString(int32_t id)
{
    for (const StringEntry& e : kStrings) {
        if (e.id == id)
            return e.text;
    }
    return {};
}

bool ParseVersion(std::string_view text, ProgramVersion& out)
{
    ProgramVersion v;
    std::size_t part = 0;
    std::size_t i = 0;
    while (true) {
        if (part == 4 || i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
        uint32_t value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + static_cast<uint32_t>(text[i] - '0');
            if (value > 0xFFFF)
                return false;
            ++i;
        }
        v.part[part++] = static_cast<uint16_t>(value);
        if (i == text.size())
            break;
        if (text[i++] != '.')
            return false;
    }
    out = v;
    return true;
}

ProgramVersion GetProgramVersion()
{
    ProgramVersion v;
    ParseVersion(ORVANTA_VERSION_TEXT, v);
    return v;
}

std::u16string FormatVersionText(const ProgramVersion& version)
{
    // The table's own format: each "%d" takes the next part in turn.
    std::u16string format = LoadString(kIdsVersionFormat);
    std::u16string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u'd' && next < 4) {
            out += WFromInt(version.part[next++]);
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

IconImage DrawProgramIcon(int32_t size)
{
    IconImage img;
    if (size <= 0 || size > 1024)
        return img;
    img.width = img.height = size;
    img.argb.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    const double k = size / 32.0; // drawn on a 32-unit grid
    const uint32_t body = 0xFF1F3A5Fu, lensRim = 0xFFD8E2EEu, lens = 0xFF0B1520u, glint = 0xFFFFFFFFu;
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            double gx = (x + 0.5) / k, gy = (y + 0.5) / k;
            uint32_t c = 0;
            bool inBody = gx >= 3 && gx < 29 && gy >= 10 && gy < 27;
            bool corner = (gx < 5 || gx >= 27) && (gy < 12 || gy >= 25);
            if ((inBody && !corner) || (gx >= 7 && gx < 13 && gy >= 7 && gy < 10))
                c = body;
            double d = std::hypot(gx - 16.0, gy - 18.5);
            if (d < 7.0)
                c = lensRim;
            if (d < 5.0)
                c = lens;
            if (std::hypot(gx - 14.0, gy - 16.5) < 1.5)
                c = glint;
            img.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x)] = c;
        }
    }
    return img;
}

} // namespace orv::res
