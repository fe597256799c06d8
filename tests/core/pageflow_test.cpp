#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PageFlow.h"

using namespace orv;

namespace {

// The settings a transition looks at, with defaults of a wireless camera that
// can be read back (capability 168) and knows no WPS.
struct Cond {
    int32_t wlan = 1;
    bool c168 = true;
    bool c178 = false;
    bool c193 = false;
    int32_t wpsShow = 0;
    int32_t onlyNew = 0;
    int32_t wpsChosen = 0;
    const char16_t* model = u"IPCam";
};

WizardSettings Make(const Cond& c)
{
    WizardSettings s;
    s.WlanEnabled = c.wlan;
    int32_t n = 5; // capabilities sit anywhere in the table
    if (c.c168)
        s.Capabilities[n++] = kCapWireless;
    if (c.c178)
        s.Capabilities[n++] = kCapWps;
    if (c.c193)
        s.Capabilities[63] = kCapWpsAlt;
    s.WpsShow = c.wpsShow;
    s.OnlyWirelessNew = c.onlyNew;
    s.WpsChosen = c.wpsChosen;
    WCopy(s.Model, c.model);
    return s;
}

constexpr int32_t kIgnore = -1;
constexpr int32_t kExit = -2;

struct Row {
    int32_t current;
    int32_t code;
    Cond cond;
    int32_t expected; // page code, kIgnore or kExit
};

std::string Describe(const Row& r)
{
    return "page " + std::to_string(r.current) + " code " + std::to_string(r.code)
        + " wlan " + std::to_string(r.cond.wlan) + " caps " + std::to_string(r.cond.c168)
        + std::to_string(r.cond.c178) + std::to_string(r.cond.c193) + " wpsShow "
        + std::to_string(r.cond.wpsShow) + " onlyNew " + std::to_string(r.cond.onlyNew)
        + " wpsChosen " + std::to_string(r.cond.wpsChosen);
}

int32_t Outcome(const FlowDecision& d)
{
    switch (d.action) {
    case FlowAction::Ignore: return kIgnore;
    case FlowAction::Exit: return kExit;
    case FlowAction::ShowPage: return d.page;
    }
    return kIgnore - 10;
}

void CheckRows(const std::vector<Row>& rows)
{
    for (const Row& r : rows) {
        WizardSettings s = Make(r.cond);
        FlowHost host{7, 8}; // distinctive values that must not leak into plain rows
        FlowDecision d = DecideNavigation(r.current, r.code, s, host);
        EXPECT_EQ(Outcome(d), r.expected) << Describe(r);
        if (d.action == FlowAction::ShowPage) {
            ASSERT_NE(d.info, nullptr) << Describe(r);
            EXPECT_EQ(d.info->code, d.page) << Describe(r);
        }
    }
}

Cond Wps178(int32_t wpsShow, int32_t onlyNew) { Cond c; c.c178 = true; c.wpsShow = wpsShow; c.onlyNew = onlyNew; return c; }
Cond Wps193(int32_t wpsShow, int32_t onlyNew) { Cond c; c.c193 = true; c.wpsShow = wpsShow; c.onlyNew = onlyNew; return c; }
Cond Chosen(int32_t chosen, int32_t onlyNew) { Cond c; c.wpsChosen = chosen; c.onlyNew = onlyNew; return c; }

} // namespace

TEST(PageFlow, NextTableInConditionOrder)
{
    Cond noWlan;
    noWlan.wlan = 0;
    noWlan.c168 = false; // WlanEnabled 0 is tested before capability 168
    Cond no168 = Wps178(1, 1);
    no168.c168 = false;
    Cond plainWlan; // 168 only
    plainWlan.wpsShow = 1;
    CheckRows({
        {0, kNavNext, {}, 1},
        {1, kNavNext, {}, 2},
        {2, kNavNext, noWlan, 9},
        {2, kNavNext, no168, kIgnore},
        {2, kNavNext, Wps178(1, 0), 15},
        {2, kNavNext, Wps193(1, 1), 15},
        {2, kNavNext, Wps178(0, 0), 3},
        {2, kNavNext, Wps193(2, 0), 3},
        {2, kNavNext, Wps178(0, 1), 16},
        {2, kNavNext, Wps193(0, 5), 16},
        {2, kNavNext, plainWlan, 16},
        {3, kNavNext, {}, 10},
        {10, kNavNext, {}, 11},
        {14, kNavNext, {}, 11},
        {15, kNavNext, Chosen(1, 1), 14},
        {15, kNavNext, Chosen(0, 0), 3},
        {15, kNavNext, Chosen(2, 0), 3},
        {15, kNavNext, Chosen(0, 1), 16},
        {16, kNavNext, {}, 17},
        {9, kNavNext, {}, 0},
        {11, kNavNext, {}, 0},
        {12, kNavNext, {}, 0},
        {13, kNavNext, {}, 0},
        {17, kNavNext, {}, 0},
        {4, kNavNext, {}, kIgnore},
        {8, kNavNext, {}, kIgnore},
        {18, kNavNext, {}, kIgnore},
        {-1, kNavNext, {}, kIgnore},
    });
}

TEST(PageFlow, BackTable)
{
    CheckRows({
        {1, kNavBack, {}, 0},
        {13, kNavBack, {}, 0},
        {2, kNavBack, {}, 1},
        {9, kNavBack, {}, 2},
        {15, kNavBack, Wps178(1, 0), 2},
        {3, kNavBack, Wps178(1, 0), 15},
        {3, kNavBack, Wps193(1, 1), 15},
        {3, kNavBack, Wps178(0, 0), 2},
        {3, kNavBack, Cond{1, true, false, false, 1, 0, 0, u""}, 2},
        {16, kNavBack, Wps193(1, 0), 15},
        {16, kNavBack, Wps178(2, 1), 2},
        {16, kNavBack, Cond{1, true, false, false, 1, 1, 0, u""}, 2},
        {10, kNavBack, {}, 3},
        {11, kNavBack, Chosen(0, 0), 10},
        {11, kNavBack, Chosen(1, 0), 14},
        {11, kNavBack, Chosen(2, 0), 14},
        {14, kNavBack, {}, 15},
        {17, kNavBack, {}, 16},
        {0, kNavBack, {}, kIgnore},
        {12, kNavBack, {}, kIgnore},
        {5, kNavBack, {}, kIgnore},
        {100, kNavBack, {}, kIgnore},
    });
}

TEST(PageFlow, ExitAboutAndWpsFromEveryPage)
{
    std::vector<Row> rows;
    for (int32_t page = 0; page <= 17; ++page) {
        rows.push_back({page, kNavExit, {}, kExit});
        rows.push_back({page, kNavAbout, {}, 12});
        rows.push_back({page, kNavWps, {}, 13});
        for (int32_t other : {1527, 0, 1523, 1539, 1124})
            rows.push_back({page, other, {}, kIgnore});
    }
    CheckRows(rows);
}

TEST(PageFlow, OnlyTheNamedTransitionsWriteAnything)
{
    // Every code on every page: writes only where the hand-over rules say.
    for (int32_t page = -1; page <= 18; ++page) {
        for (int32_t code : {kNavBack, kNavNext, kNavExit, kNavAbout, kNavWps, 1527}) {
            Cond c = Wps178(1, 0);
            c.wpsChosen = 1;
            FlowDecision d = DecideNavigation(page, code, Make(c), FlowHost{3, 4});
            bool handOverToHost = page == 14 && code == kNavNext;
            bool handOverToPage = page == 11 && code == kNavBack;
            EXPECT_EQ(d.before.hostWpsResult.has_value(), handOverToHost) << page << " " << code;
            EXPECT_FALSE(d.before.wpsChosen.has_value()) << page << " " << code;
            EXPECT_FALSE(d.afterCreate.hostWpsResult.has_value()) << page << " " << code;
            EXPECT_FALSE(d.afterCreate.wpsChosen.has_value()) << page << " " << code;
            EXPECT_EQ(d.presetPageWpsResult, handOverToPage) << page << " " << code;
        }
    }
}

TEST(PageFlow, WpsResultHandOver)
{
    WizardSettings s = Make(Chosen(1, 0));
    for (int32_t value : {-1, 0, 1}) {
        FlowDecision next = DecideNavigation(14, kNavNext, s, FlowHost{99, value});
        ASSERT_EQ(next.action, FlowAction::ShowPage);
        EXPECT_EQ(next.page, 11);
        EXPECT_EQ(next.before.hostWpsResult, value);

        FlowDecision back = DecideNavigation(11, kNavBack, s, FlowHost{value, 99});
        ASSERT_EQ(back.page, 14);
        EXPECT_TRUE(back.presetPageWpsResult);
        EXPECT_EQ(back.pageWpsResult, value);
        EXPECT_EQ(back.info->directMode, 0);
    }
    FlowDecision toKey = DecideNavigation(11, kNavBack, Make(Chosen(0, 0)), FlowHost{1, 1});
    EXPECT_EQ(toKey.page, 10);
    EXPECT_FALSE(toKey.presetPageWpsResult);
}

TEST(PageFlow, Q47RuleWhenLeavingTheListPage)
{
    struct Case {
        const char16_t* model;
        int32_t wpsShow;
        bool resetsWpsResult;
        bool choosesWps;
    };
    const Case cases[] = {
        {u"Q47", 1, true, true},
        {u"NC-Q47W", 0, true, false},
        {u"XQ47", 2, true, false},
        {u"Q4 7", 1, false, false},
        {u"q47", 1, false, false}, // the fragment is matched exactly
        {u"", 1, false, false},
    };
    for (const Case& c : cases) {
        Cond cond;
        cond.model = c.model;
        cond.wpsShow = c.wpsShow;
        WizardSettings s = Make(cond);
        FlowDecision d = DecideNavigation(0, kNavNext, s, FlowHost{1, 1});
        ASSERT_EQ(d.page, 1);
        EXPECT_EQ(d.afterCreate.hostWpsResult, c.resetsWpsResult ? std::optional<int32_t>(-1) : std::nullopt);
        EXPECT_EQ(d.afterCreate.wpsChosen, c.choosesWps ? std::optional<int32_t>(1) : std::nullopt);
        EXPECT_FALSE(d.before.hostWpsResult.has_value());
    }
    // A model text filling its whole buffer without terminator is still read safely.
    WizardSettings full;
    for (auto& ch : full.Model)
        ch = u'Q';
    full.Model[61] = u'4';
    full.Model[62] = u'7';
    full.Model[63] = u'7';
    EXPECT_TRUE(DecideNavigation(0, kNavNext, full, FlowHost{}).afterCreate.hostWpsResult);
    // The Q47 rule belongs to Next on the list page only.
    Cond q;
    q.model = u"Q47";
    q.wpsShow = 1;
    EXPECT_FALSE(DecideNavigation(0, kNavWps, Make(q), FlowHost{}).afterCreate.hostWpsResult);
    EXPECT_FALSE(DecideNavigation(1, kNavNext, Make(q), FlowHost{}).afterCreate.hostWpsResult);
}

TEST(PageFlow, PageInfoPerCode)
{
    struct Expect {
        int32_t code, dialogId;
        bool engine, settings;
        int32_t direct;
    };
    const Expect table[] = {
        {0, 129, true, false, -1}, {1, 130, true, true, -1},  {2, 131, true, true, -1},
        {3, 132, false, true, -1}, {9, 105, true, true, -1},  {10, 143, false, true, -1},
        {11, 144, true, true, -1}, {12, 101, false, false, -1}, {13, 145, true, true, 1},
        {14, 145, true, true, 0},  {15, 146, false, true, -1}, {16, 147, false, true, -1},
        {17, 148, true, true, -1},
    };
    for (const Expect& e : table) {
        const PageInfo* p = FindPageInfo(e.code);
        ASSERT_NE(p, nullptr) << e.code;
        EXPECT_EQ(p->dialogId, e.dialogId) << e.code;
        EXPECT_EQ(p->givesEngine, e.engine) << e.code;
        EXPECT_EQ(p->givesSettings, e.settings) << e.code;
        EXPECT_EQ(p->directMode, e.direct) << e.code;
    }
    for (int32_t unused : {-1, 4, 5, 6, 7, 8, 18})
        EXPECT_EQ(FindPageInfo(unused), nullptr) << unused;
}
