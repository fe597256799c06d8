#include "app/PageFlow.h"

#include <string_view>

namespace orv {

namespace {

constexpr PageInfo kPages[] = {
    {kPageListCam, 129, "CDlgListCam", true, false, -1},
    {kPageIdPwd, 130, "CDlgIdPwd", true, true, -1},
    {kPageNetWork, 131, "CDlgNetWork", true, true, -1},
    {kPageWireless, 132, "CDlgWireless", false, true, -1},
    {kPageNetWorkFinish, 105, "CDlgNetWorkFinish", true, true, -1},
    {kPageWirelessKey, 143, "CDlgWirelessKey", false, true, -1},
    {kPageWirelessFinish, 144, "CDlgWirelessFinish", true, true, -1},
    {kPageAbout, 101, "CDlgAbout", false, false, -1},
    {kPageWpsDirect, 145, "CDlgWPSSetting", true, true, 1},
    {kPageWpsFollow, 145, "CDlgWPSSetting", true, true, 0},
    {kPageWirelessSelect, 146, "CDlgWirelessSelect", false, true, -1},
    {kPageWirelessNew, 147, "CDlgWirelessNew", false, true, -1},
    {kPageWirelessFinishNew, 148, "CDlgWirelessFinishNew", true, true, -1},
};

constexpr int32_t kNone = -1;

bool SupportsWps(const WizardSettings& s)
{
    return HasCapability(s, kCapWps) || HasCapability(s, kCapWpsAlt);
}

bool ModelHasQ47(const WizardSettings& s)
{
    std::u16string_view model(s.Model, WLen(s.Model, std::size(s.Model)));
    return model.find(u"Q47") != std::u16string_view::npos;
}

int32_t NextPage(int32_t current, const WizardSettings& s)
{
    switch (current) {
    case kPageListCam:
        return kPageIdPwd;
    case kPageIdPwd:
        return kPageNetWork;
    case kPageNetWork:
        if (s.WlanEnabled == 0)
            return kPageNetWorkFinish;
        if (!HasCapability(s, kCapWireless))
            return kNone;
        if (SupportsWps(s)) {
            if (s.WpsShow == 1)
                return kPageWirelessSelect;
            return s.OnlyWirelessNew == 0 ? kPageWireless : kPageWirelessNew;
        }
        return kPageWirelessNew;
    case kPageWireless:
        return kPageWirelessKey;
    case kPageWirelessKey:
    case kPageWpsFollow:
        return kPageWirelessFinish;
    case kPageWirelessSelect:
        if (s.WpsChosen == 1)
            return kPageWpsFollow;
        return s.OnlyWirelessNew == 0 ? kPageWireless : kPageWirelessNew;
    case kPageWirelessNew:
        return kPageWirelessFinishNew;
    case kPageNetWorkFinish:
    case kPageWirelessFinish:
    case kPageAbout:
    case kPageWpsDirect:
    case kPageWirelessFinishNew:
        return kPageListCam;
    default:
        return kNone;
    }
}

int32_t BackPage(int32_t current, const WizardSettings& s)
{
    switch (current) {
    case kPageIdPwd:
    case kPageWpsDirect:
        return kPageListCam;
    case kPageNetWork:
        return kPageIdPwd;
    case kPageNetWorkFinish:
    case kPageWirelessSelect:
        return kPageNetWork;
    case kPageWireless:
    case kPageWirelessNew:
        return SupportsWps(s) && s.WpsShow == 1 ? kPageWirelessSelect : kPageNetWork;
    case kPageWirelessKey:
        return kPageWireless;
    case kPageWirelessFinish:
        return s.WpsChosen == 0 ? kPageWirelessKey : kPageWpsFollow;
    case kPageWpsFollow:
        return kPageWirelessSelect;
    case kPageWirelessFinishNew:
        return kPageWirelessNew;
    default: // the list and about pages have no way back
        return kNone;
    }
}

FlowDecision Show(int32_t page)
{
    FlowDecision d;
    d.info = FindPageInfo(page);
    if (d.info) {
        d.action = FlowAction::ShowPage;
        d.page = page;
    }
    return d;
}

} // namespace

const PageInfo* FindPageInfo(int32_t code)
{
    for (const PageInfo& p : kPages) {
        if (p.code == code)
            return &p;
    }
    return nullptr;
}

FlowDecision DecideNavigation(int32_t current, int32_t code, const WizardSettings& settings,
                              const FlowHost& host)
{
    switch (code) {
    case kNavExit: {
        FlowDecision d;
        d.action = FlowAction::Exit;
        return d;
    }
    case kNavAbout:
        return Show(kPageAbout);
    case kNavWps:
        return Show(kPageWpsDirect);
    case kNavNext: {
        FlowDecision d = Show(NextPage(current, settings));
        if (d.action != FlowAction::ShowPage)
            return d;
        if (current == kPageListCam && ModelHasQ47(settings)) {
            d.afterCreate.hostWpsResult = -1;
            if (settings.WpsShow == 1)
                d.afterCreate.wpsChosen = 1;
        }
        if (current == kPageWpsFollow)
            d.before.hostWpsResult = host.pageWpsResult;
        return d;
    }
    case kNavBack: {
        FlowDecision d = Show(BackPage(current, settings));
        if (d.action == FlowAction::ShowPage && current == kPageWirelessFinish
            && d.page == kPageWpsFollow) {
            d.presetPageWpsResult = true;
            d.pageWpsResult = host.wpsResult;
        }
        return d;
    }
    default: // 1527 (list page control 1007) and every other code
        return FlowDecision{};
    }
}

} // namespace orv
