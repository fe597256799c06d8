#include <gtest/gtest.h>

#include "engine/CamEngine.h"
#include "engine/WizardSettings.h"

using namespace orv;

TEST(EngineRecords, FreshEngineDefaults)
{
    CCamEngine e;
    EXPECT_EQ(e.CountRecords(), 0);
    EXPECT_EQ(e.m_nSelIndex, -1);
    EXPECT_EQ(Utf8(e.m_szCameraIP), "192.168.0.20");
    EXPECT_EQ(e.m_wProtoVersion, 1);
    EXPECT_EQ(e.m_nAdapterChoice, -1);
}
