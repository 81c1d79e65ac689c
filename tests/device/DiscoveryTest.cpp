#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <numeric>

#include "FakeHidPlatform.h"
#include "device/hid/DeviceList.h"
#include "device/hid/HidDeviceInfo.h"

namespace grayden {
namespace {

using Records = std::vector<std::unique_ptr<HidDeviceInfo>>;

std::vector<std::string> pathsOf(const Records& records) {
    std::vector<std::string> paths;
    for (const auto& record : records) {
        paths.push_back(record->devicePath);
    }
    return paths;
}

TEST(Enumeration, ManyInterfacesAreEachTriedOnceInOrder) {
    FakeHidPlatform platform;
    platform.addDevices(20);  // past the first passes of 8 and 16 slots
    Records records;
    ASSERT_TRUE(enumerateHidDevices(platform, records));
    ASSERT_EQ(records.size(), 20u);
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i]->devicePath, platform.devices[i].path);
    }
    std::vector<std::size_t> expected(21);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(platform.queriedIndices, expected);
    EXPECT_EQ(platform.enumerationsEnded, 1);
    EXPECT_EQ(platform.openHandles.size(), 20u);
    // Discovery opens read and write but shared, so another program can still reach the monitor.
    for (const HidAccess& asked : platform.requestedAccess) {
        EXPECT_EQ((std::array{asked.read, asked.write, asked.exclusive}), (std::array{true, true, false}));
    }
}

TEST(Enumeration, InterfacesThatFailToOpenLeaveNoGapAndNothingOpen) {
    FakeHidPlatform platform;
    platform.addDevices(6);
    platform.devices[1].openError = ENOENT;
    platform.devices[2].attributesFail = true;
    platform.devices[3].descriptor = {0xC0};                    // rejected by the parser
    platform.devices[4].descriptor = {0x09, 0x01, 0xB1, 0x02};  // no top-level collection
    Records records;
    EnumerationReport report;
    ASSERT_TRUE(enumerateHidDevices(platform, records, &report));
    EXPECT_EQ(pathsOf(records), (std::vector<std::string>{"/dev/fake0", "/dev/fake5"}));
    EXPECT_EQ(platform.openHandles.size(), 2u);
    EXPECT_TRUE(report.permissionDenied.empty());
}

TEST(Enumeration, PermissionDeniedNodesAreReported) {
    FakeHidPlatform platform;
    platform.addDevices(3);
    platform.devices[0].openError = EACCES;
    platform.devices[2].openError = EPERM;
    Records records;
    EnumerationReport report;
    report.permissionDenied = {"stale"};
    ASSERT_TRUE(enumerateHidDevices(platform, records, &report));
    EXPECT_EQ(pathsOf(records), (std::vector<std::string>{"/dev/fake1"}));
    EXPECT_EQ(report.permissionDenied, (std::vector<std::string>{"/dev/fake0", "/dev/fake2"}));

    DeviceList list(platform);
    EXPECT_TRUE(list.discoverDevices());
    EXPECT_EQ(list.lastDiscovery().permissionDenied, report.permissionDenied);
    platform.devices[0].openError = 0;
    EXPECT_TRUE(list.discoverDevices());
    EXPECT_EQ(list.lastDiscovery().permissionDenied, (std::vector<std::string>{"/dev/fake2"}))
        << "each discovery reports afresh";
}

TEST(Enumeration, AFailingQuerySkipsOnlyItsIndex) {
    FakeHidPlatform platform;
    platform.addDevices(4);
    platform.failingIndices = {1, 2};
    Records records;
    ASSERT_TRUE(enumerateHidDevices(platform, records));
    EXPECT_EQ(pathsOf(records), (std::vector<std::string>{"/dev/fake0", "/dev/fake3"}));
}

TEST(Enumeration, QueriesThatNeverEndGiveUpAndCloseEverything) {
    FakeHidPlatform platform;
    platform.addDevices(3);
    platform.failingFrom = 3;
    Records records;
    EXPECT_FALSE(enumerateHidDevices(platform, records));
    EXPECT_TRUE(records.empty());
    EXPECT_TRUE(platform.openHandles.empty());
    EXPECT_LT(platform.queriedIndices.size(), 100u);
    EXPECT_EQ(platform.enumerationsEnded, 1);
}

TEST(Enumeration, UnavailableInterfaceSetFails) {
    FakeHidPlatform platform;
    platform.addDevices(2);
    platform.enumerationUnavailable = true;
    Records records;
    EXPECT_FALSE(enumerateHidDevices(platform, records));
    EXPECT_TRUE(records.empty());
    EXPECT_TRUE(platform.queriedIndices.empty());
}

TEST(Enumeration, RecordsPassedInAreClosedFirst) {
    FakeHidPlatform platform;
    platform.addDevices(1);
    Records records;
    ASSERT_TRUE(enumerateHidDevices(platform, records));
    const HidHandle first = records.at(0)->handle;
    ASSERT_TRUE(enumerateHidDevices(platform, records));
    EXPECT_EQ(platform.openHandles.count(first), 0u);
    EXPECT_EQ(platform.openHandles.size(), 1u);
}

TEST(OpenHidDevice, RecordCarriesIdentityAndTheFirstCollectionsFeatureCaps) {
    FakeHidPlatform platform;
    platform.addDevices(1, 4713);
    platform.devices[0].productId = 0x0440;
    platform.devices[0].versionNumber = 29999;
    HidDeviceInfo record;
    ASSERT_TRUE(
        openHidDevice(platform, "/dev/fake0", {.access = {.read = true, .write = true, .exclusive = false}}, record));
    EXPECT_EQ(record.devicePath, "/dev/fake0");
    EXPECT_NE(record.handle, InvalidHidHandle);
    EXPECT_EQ(record.vendorId, 4713);
    EXPECT_EQ(record.productId, 0x0440);
    EXPECT_EQ(record.versionNumber, 29999);
    EXPECT_EQ((std::array{record.readAccess, record.writeAccess, record.exclusive}), (std::array{true, true, false}));
    ASSERT_TRUE(record.parserData);
    EXPECT_EQ(record.featureValueCaps.size(), 6u);
    EXPECT_EQ(record.caps.numberFeatureValueCaps, 6);
    EXPECT_EQ(record.caps.featureReportByteLength, 129);

    // Without readInfo only the handle is opened.
    HidDeviceInfo bare;
    ASSERT_TRUE(openHidDevice(platform, "/dev/fake0",
                              {.access = {.read = true, .write = false, .exclusive = true}, .readInfo = false}, bare));
    EXPECT_FALSE(bare.parserData);
    EXPECT_TRUE(bare.featureValueCaps.empty());
    EXPECT_EQ((std::array{bare.readAccess, bare.writeAccess, bare.exclusive}), (std::array{true, false, true}));
    // The platform is asked for exactly the access the caller chose.
    ASSERT_EQ(platform.requestedAccess.size(), 2u);
    const HidAccess asked = platform.requestedAccess.back();
    EXPECT_EQ((std::array{asked.read, asked.write, asked.exclusive}), (std::array{true, false, true}));

    int error = 0;
    HidDeviceInfo missing;
    EXPECT_FALSE(openHidDevice(platform, "/dev/none", {}, missing, &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_TRUE(missing.devicePath.empty());
    EXPECT_EQ(missing.handle, InvalidHidHandle);
}

// Each top-level collection of a node is an interface of its own: its own record, handle and
// capabilities, closed on its own.
TEST(Enumeration, EveryTopLevelCollectionIsARecordOnItsOwnHandle) {
    FakeHidPlatform platform;
    platform.addDevices(3);
    platform.devices[1].descriptor = testdescriptors::ConsumerThenVendor;
    Records records;
    ASSERT_TRUE(enumerateHidDevices(platform, records));
    EXPECT_EQ(pathsOf(records), (std::vector<std::string>{"/dev/fake0", "/dev/fake1", "/dev/fake1", "/dev/fake2"}));
    const HidDeviceInfo& consumer = *records[1];
    const HidDeviceInfo& vendor = *records[2];
    EXPECT_EQ((std::array{consumer.collection, vendor.collection}), (std::array<std::size_t, 2>{0, 1}));
    EXPECT_EQ((std::array{consumer.caps.usagePage, consumer.caps.usage}), (std::array<std::uint16_t, 2>{0x0C, 1}));
    EXPECT_TRUE(consumer.featureValueCaps.empty());
    EXPECT_EQ((std::array{vendor.caps.usagePage, vendor.caps.usage}), (std::array<std::uint16_t, 2>{0xFF00, 1}));
    ASSERT_EQ(vendor.featureValueCaps.size(), 6u);
    EXPECT_EQ(vendor.caps.numberFeatureValueCaps, 6);
    EXPECT_EQ(vendor.featureValueCaps.back().reportId, 6) << "report ids address the node as they stand";
    EXPECT_EQ(vendor.vendorId, consumer.vendorId);

    ASSERT_EQ(platform.openHandles.size(), 4u);
    EXPECT_NE(consumer.handle, vendor.handle);
    EXPECT_EQ(platform.openHandles.at(consumer.handle), 1u);
    EXPECT_EQ(platform.openHandles.at(vendor.handle), 1u);
    const HidHandle vendorHandle = vendor.handle;
    closeHidDevice(platform, std::move(records[1]));
    EXPECT_EQ(platform.openHandles.count(vendorHandle), 1u) << "closing one collection leaves the other open";
    EXPECT_EQ(platform.openHandles.size(), 3u);
    ASSERT_TRUE(enumerateHidDevices(platform, records));
    EXPECT_EQ(platform.openHandles.size(), 4u);
    EXPECT_EQ(platform.strayCloses, 0) << "a new discovery closes each old record exactly once";
}

TEST(Enumeration, CollectionsOfOneNodeAreBounded) {
    FakeHidPlatform platform;
    platform.addDevices(2);
    testdescriptors::Bytes many;
    for (std::size_t i = 0; i < MaxCollectionsPerNode + 8; ++i) {
        const testdescriptors::Bytes one = testdescriptors::inApplication({});
        many.insert(many.end(), one.begin(), one.end());
    }
    platform.devices[0].descriptor = many;
    Records records;
    ASSERT_TRUE(enumerateHidDevices(platform, records));
    ASSERT_EQ(records.size(), MaxCollectionsPerNode + 1);
    EXPECT_EQ(records[MaxCollectionsPerNode - 1]->collection, MaxCollectionsPerNode - 1);
    EXPECT_EQ(records.back()->devicePath, "/dev/fake1");
    EXPECT_EQ(platform.openHandles.size(), MaxCollectionsPerNode + 1);
}

TEST(OpenHidDevice, ACollectionTheNodeLacksOpensNothing) {
    FakeHidPlatform platform;
    platform.addDevices(1);
    platform.devices[0].descriptor = testdescriptors::ConsumerThenVendor;
    HidDeviceInfo second;
    ASSERT_TRUE(openHidCollection(platform, "/dev/fake0", 1, second));
    EXPECT_EQ(second.caps.usagePage, 0xFF00);
    HidDeviceInfo third;
    EXPECT_FALSE(openHidCollection(platform, "/dev/fake0", 2, third));
    EXPECT_EQ(third.handle, InvalidHidHandle);
    EXPECT_EQ(platform.openHandles.size(), 1u);
}

TEST(DeviceList, EveryCollectionOfAnUnacceptedNodeIsClosed) {
    FakeHidPlatform platform;
    platform.addDevices(1, 4711);
    platform.addDevices(1, 4713);
    for (FakeDevice& device : platform.devices) device.descriptor = testdescriptors::ConsumerThenVendor;
    {
        DeviceList list(platform);
        ASSERT_TRUE(list.discoverDevices());
        EXPECT_EQ(pathsOf(list.devices()), (std::vector<std::string>{"/dev/fake1", "/dev/fake1"}));
        EXPECT_EQ(platform.openHandles.size(), 2u);
    }
    EXPECT_TRUE(platform.openHandles.empty());
    EXPECT_EQ(platform.strayCloses, 0);
}

TEST(DeviceList, KeepsAcceptedVendorsInOrderAndClosesTheRest) {
    FakeHidPlatform platform;
    for (const std::uint16_t vendor : {4712, 4711, 4714, 4713, 4715}) {
        platform.addDevices(1, vendor);
    }
    DeviceList list(platform);
    ASSERT_TRUE(list.discoverDevices());
    EXPECT_EQ(pathsOf(list.devices()), (std::vector<std::string>{"/dev/fake0", "/dev/fake2", "/dev/fake3"}));
    ASSERT_EQ(platform.openHandles.size(), 3u);
    for (const auto& record : list.devices()) {
        EXPECT_EQ(platform.openHandles.count(record->handle), 1u);
    }
}

TEST(DeviceList, SecondDiscoveryClosesTheFirstList) {
    FakeHidPlatform platform;
    platform.addDevices(2);
    DeviceList list(platform);
    ASSERT_TRUE(list.discoverDevices());
    std::vector<HidHandle> first;
    for (const auto& record : list.devices()) {
        first.push_back(record->handle);
    }
    ASSERT_TRUE(list.discoverDevices());
    EXPECT_EQ(list.devices().size(), 2u);
    EXPECT_EQ(platform.openHandles.size(), 2u);
    for (const HidHandle handle : first) {
        EXPECT_EQ(platform.openHandles.count(handle), 0u);
    }
}

TEST(DeviceList, NothingAcceptedOrNoDiscoveryIsFalseWithNothingOpen) {
    FakeHidPlatform platform;
    platform.addDevices(2, 1234);
    DeviceList list(platform);
    EXPECT_FALSE(list.discoverDevices());
    EXPECT_TRUE(platform.openHandles.empty());

    platform.devices[0].vendorId = 4712;
    platform.enumerationUnavailable = true;
    EXPECT_FALSE(list.discoverDevices());
    EXPECT_TRUE(list.devices().empty());
}

TEST(DeviceList, ClearAndDestructionCloseEveryDevice) {
    FakeHidPlatform platform;
    platform.addDevices(3);
    {
        DeviceList list(platform);
        ASSERT_TRUE(list.discoverDevices());
        EXPECT_TRUE(list.clearDevices());
        EXPECT_TRUE(list.devices().empty());
        EXPECT_TRUE(platform.openHandles.empty());
        ASSERT_TRUE(list.discoverDevices());
    }
    EXPECT_TRUE(platform.openHandles.empty());
}

}  // namespace
}  // namespace grayden
