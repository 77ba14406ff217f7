#include <gtest/gtest.h>

#include "ZrDdeRegistry.h"

namespace {

struct FakeInstance
{
};

TEST(DdeRegistry, NamesAreKeptOnceWithoutRegardToCase)
{
    ZrDdeRegistry<FakeInstance> registry;
    FakeInstance server;
    FakeInstance client;
    EXPECT_TRUE(registry.AddName(&server, "ZrPlaces"));
    EXPECT_TRUE(registry.AddName(&server, "ZrPlacesRun"));
    EXPECT_FALSE(registry.AddName(&client, "ZRPLACES"));
    EXPECT_EQ(registry.FindByName("zrplaces"), &server);
    EXPECT_EQ(registry.FindByName("ZrPlace"), nullptr);
    registry.RemoveName(&server, "zrplacesrun");
    EXPECT_EQ(registry.FindByName("ZrPlacesRun"), nullptr);
    EXPECT_EQ(registry.FindByName("ZrPlaces"), &server);
}

TEST(DdeRegistry, HandlesRouteToTheirInstance)
{
    ZrDdeRegistry<FakeInstance> registry;
    FakeInstance first;
    FakeInstance second;
    EXPECT_TRUE(registry.AddHandle(&first, 0x10));
    EXPECT_TRUE(registry.AddHandle(&second, 0x20));
    EXPECT_FALSE(registry.AddHandle(&second, 0x10));
    EXPECT_FALSE(registry.AddHandle(&second, 0));
    EXPECT_EQ(registry.FindByHandle(0x10), &first);
    EXPECT_EQ(registry.FindByHandle(0x20), &second);
    registry.RemoveHandle(0x10);
    EXPECT_EQ(registry.FindByHandle(0x10), nullptr);
}

TEST(DdeRegistry, RemovingAnInstanceForgetsItsNamesAndHandles)
{
    ZrDdeRegistry<FakeInstance> registry;
    FakeInstance gone;
    FakeInstance kept;
    registry.AddInstance(&gone);
    registry.AddInstance(&gone);
    registry.AddInstance(&kept);
    registry.AddName(&gone, "ZrPlaces");
    registry.AddHandle(&gone, 0x30);
    registry.AddHandle(&kept, 0x40);
    ASSERT_EQ(registry.GetInstances().size(), 2u);

    registry.RemoveInstance(&gone);
    EXPECT_FALSE(registry.HasInstance(&gone));
    EXPECT_TRUE(registry.HasInstance(&kept));
    EXPECT_EQ(registry.FindByName("ZrPlaces"), nullptr);
    EXPECT_EQ(registry.FindByHandle(0x30), nullptr);
    EXPECT_EQ(registry.FindByHandle(0x40), &kept);
    EXPECT_TRUE(registry.AddName(&kept, "ZrPlaces"));
}

} // namespace
