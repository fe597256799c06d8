#pragma once
// The wizard's page flow: which page follows which. The decision is a pure
// function so the whole table can be checked without any window; the host
// (COrvantaDlg) only carries out what the decision says.
//
// What the host does with a FlowDecision, on navigation message 1124:
//
//   FlowAction::Ignore    nothing at all; the current page stays.
//   FlowAction::Exit      destroy the current page's window, delete the page,
//                         post itself WM_COMMAND with the OK id (1); its modal
//                         loop ends and the program ends.
//   FlowAction::ShowPage  in this order:
//     1. apply `before` (host m_nWpsResult / WpsChosen writes);
//     2. construct the page class of `page` and create its window from
//        `dialogId` with the host as parent; when that fails, stop here: the
//        current page and m_nPageState stay as they were;
//     3. apply `afterCreate`;
//     4. hand over by `info` (FindPageInfo): `directMode` >= 0 first goes to
//        SetDirectMode, then the engine when `givesEngine`, then the settings
//        block with InitFromSettings when `givesSettings`; the list page gets
//        StartListPage(&m_Settings) instead (new search, settings reset);
//     5. when `presetPageWpsResult` is set, the new WPS page's m_nWpsResult
//        := `pageWpsResult`;
//     6. ShowPage: move the new window to the old page's top-left corner, on
//        top, size unchanged, shown; destroy and delete the old page;
//        m_pCurPage := new page; m_nPageState := `page`.
//
// The host reads `FlowHost::pageWpsResult` from the current page before
// deciding when that page is a WPS page (codes 13 and 14); otherwise any
// value will do, it is not looked at.
#include <cstdint>
#include <optional>

#include "engine/WizardSettings.h"

namespace orv {

// Navigation message a page posts to its parent; wParam is one of the codes.
constexpr int32_t kNavMessage = 1124; // WM_USER + 100
constexpr int32_t kNavBack = 1524;
constexpr int32_t kNavNext = 1525;
constexpr int32_t kNavExit = 1526;
constexpr int32_t kNavAbout = 1537;
constexpr int32_t kNavWps = 1538;

// Page codes (the host's m_nPageState). 4 to 8 are not used.
enum PageCode : int32_t {
    kPageListCam = 0,
    kPageIdPwd = 1,
    kPageNetWork = 2,
    kPageWireless = 3,
    kPageNetWorkFinish = 9,
    kPageWirelessKey = 10,
    kPageWirelessFinish = 11,
    kPageAbout = 12,
    kPageWpsDirect = 13, // WPS page opened from the list page
    kPageWpsFollow = 14, // WPS page opened after the wireless choice
    kPageWirelessSelect = 15,
    kPageWirelessNew = 16,
    kPageWirelessFinishNew = 17,
};

// What the host hands a freshly created page, per page code.
struct PageInfo {
    int32_t code;
    int32_t dialogId;      // empty frame the page window is created from
    const char* className; // for diagnostics and tests
    bool givesEngine;      // page gets the host's engine
    bool givesSettings;    // page gets &m_Settings, then InitFromSettings
    int32_t directMode;    // SetDirectMode argument, -1 = not a WPS page
};

// The entry for a page code, or nullptr for codes no page has.
const PageInfo* FindPageInfo(int32_t code);

enum class FlowAction { Ignore, Exit, ShowPage };

// Writes the host makes on the way; each is done only when present.
struct FlowWrites {
    std::optional<int32_t> hostWpsResult; // host's m_nWpsResult :=
    std::optional<int32_t> wpsChosen;     // m_Settings.WpsChosen :=
};

// Host state the decision looks at besides the settings block.
struct FlowHost {
    int32_t wpsResult = -1;     // host's m_nWpsResult
    int32_t pageWpsResult = -1; // current WPS page's m_nWpsResult
};

struct FlowDecision {
    FlowAction action = FlowAction::Ignore;
    int32_t page = -1;                // new page code (ShowPage only)
    const PageInfo* info = nullptr;   // FindPageInfo(page)
    FlowWrites before;                // applied before the page is created
    FlowWrites afterCreate;           // applied once its window exists
    bool presetPageWpsResult = false; // new WPS page's m_nWpsResult :=
    int32_t pageWpsResult = -1;       //   this value
};

// The transition for navigation `code` posted while page `current` is shown.
FlowDecision DecideNavigation(int32_t current, int32_t code, const WizardSettings& settings,
                              const FlowHost& host);

} // namespace orv
