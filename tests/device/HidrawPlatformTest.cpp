#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "device/hid/DeviceList.h"
#include "device/hid/HidDeviceInfo.h"
#include "device/hidraw/HidrawPlatform.h"

namespace grayden {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

std::size_t openDescriptorCount() {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// A sysfs and /dev tree as the kernel lays them out: a USB monitor's hidraw node below its USB
// interface and device, a virtual (uhid) node with no USB device above it, and stray entries.
class FakeSysfs : public ::testing::Test {
protected:
    FakeSysfs() {
        char pattern[] = "/tmp/grayden-sysfs-XXXXXX";
        top = mkdtemp(pattern);
        sys = top / "sys";
        dev = top / "dev";
        const fs::path usbDevice = sys / "devices/pci0000:00/0000:00:14.0/usb1/1-2";
        writeFile(usbDevice / "idVendor", "1268\n");
        writeFile(usbDevice / "idProduct", "0440\n");
        writeFile(usbDevice / "bcdDevice", "7530\n");
        writeFile(usbDevice / "1-2:1.0/bInterfaceNumber", "00\n");
        addNode(usbDevice / "1-2:1.0/0003:1268:0440.0001", "hidraw10");
        addNode(sys / "devices/virtual/misc/uhid/0003:1234:5678.0002", "hidraw2");
        // Values above the sysfs root must never be taken for the virtual device's.
        writeFile(top / "idVendor", "1268\n");
        writeFile(top / "bcdDevice", "7530\n");
        fs::create_directories(sys / "class/hidraw/hidrawx");
        fs::create_directories(sys / "class/hidraw/other3");
    }
    ~FakeSysfs() override { fs::remove_all(top); }

    void addNode(const fs::path& hidDevice, const std::string& name) {
        const fs::path node = hidDevice / "hidraw" / name;
        fs::create_directories(node);
        fs::create_directories(sys / "class/hidraw");
        fs::create_symlink(fs::relative(node, sys / "class/hidraw"), sys / "class/hidraw" / name);
        writeFile(dev / name, "");
    }

    fs::path top, sys, dev;
};

TEST_F(FakeSysfs, NodesAreListedInNumberOrder) {
    HidrawSysfs sysfs(sys.string());
    std::vector<std::string> names = {"stale"};
    ASSERT_TRUE(sysfs.listNodes(names));
    EXPECT_EQ(names, (std::vector<std::string>{"hidraw2", "hidraw10"}));

    // No hidraw class at all is a machine without nodes; an unreadable class folder is a failure.
    ASSERT_TRUE(HidrawSysfs((top / "empty").string()).listNodes(names));
    EXPECT_TRUE(names.empty());
    writeFile(top / "broken/class/hidraw", "not a folder");
    EXPECT_FALSE(HidrawSysfs((top / "broken").string()).listNodes(names));
}

TEST_F(FakeSysfs, ReleaseNumberComesFromTheUsbDeviceAboveTheNode) {
    HidrawSysfs sysfs(sys.string());
    std::uint16_t release = 0;
    ASSERT_TRUE(sysfs.readReleaseNumber("hidraw10", release));
    EXPECT_EQ(release, 30000);
    EXPECT_FALSE(sysfs.readReleaseNumber("hidraw2", release));
    EXPECT_FALSE(sysfs.readReleaseNumber("hidraw7", release));
    EXPECT_FALSE(sysfs.readReleaseNumber("../../hidraw10", release));

    const fs::path bcd = sys / "devices/pci0000:00/0000:00:14.0/usb1/1-2/bcdDevice";
    for (const char* bad : {"", "zz30\n", "7530x\n", "17530\n", "0x7530\n"}) {
        writeFile(bcd, bad);
        EXPECT_FALSE(sysfs.readReleaseNumber("hidraw10", release)) << bad;
    }
    writeFile(bcd, "0102\n");
    ASSERT_TRUE(sysfs.readReleaseNumber("hidraw10", release));
    EXPECT_EQ(release, 0x0102);
}

TEST_F(FakeSysfs, SerialNumberComesFromTheUsbDeviceAboveTheNode) {
    HidrawPlatform platform(sys.string(), dev.string());
    const fs::path file = sys / "devices/pci0000:00/0000:00:14.0/usb1/1-2/serial";
    std::string serial = "kept";
    EXPECT_FALSE(platform.peekSerialNumber((dev / "hidraw10").string(), serial)) << "none written yet";
    for (const char* bad : {"\n", "a\x1b[2Jb\n", "\xe6\x97\xa5\n"}) {
        writeFile(file, bad);
        EXPECT_FALSE(platform.peekSerialNumber((dev / "hidraw10").string(), serial)) << bad;
    }
    EXPECT_EQ(serial, "kept");
    writeFile(file, "QT4-00123\n");
    ASSERT_TRUE(platform.peekSerialNumber((dev / "hidraw10").string(), serial));
    EXPECT_EQ(serial, "QT4-00123");
    EXPECT_FALSE(platform.peekSerialNumber((dev / "hidraw2").string(), serial));
}

TEST_F(FakeSysfs, VendorOfANodeIsReadWithoutOpeningIt) {
    HidrawPlatform platform(sys.string(), dev.string());
    const std::string monitor = (dev / "hidraw10").string();
    const std::string virtualNode = (dev / "hidraw2").string();
    std::uint16_t vendor = 0;
    ASSERT_TRUE(platform.peekVendorId(monitor, vendor));
    EXPECT_EQ(vendor, 4712);
    EXPECT_TRUE(mayBeAcceptedDevice(platform, monitor));
    EXPECT_FALSE(platform.peekVendorId(virtualNode, vendor)) << "no USB device above it";
    EXPECT_TRUE(mayBeAcceptedDevice(platform, virtualNode)) << "a vendor nobody can tell may be the monitor's";

    writeFile(sys / "devices/pci0000:00/0000:00:14.0/usb1/1-2/idVendor", "046d\n");
    EXPECT_FALSE(mayBeAcceptedDevice(platform, monitor));
}

TEST_F(FakeSysfs, PlatformListsDeviceNodesUnderTheDevRoot) {
    HidrawPlatform platform(sys.string(), dev.string());
    ASSERT_TRUE(platform.beginEnumeration());
    std::string path;
    ASSERT_EQ(platform.interfaceAt(0, path), InterfaceQuery::Found);
    EXPECT_EQ(path, (dev / "hidraw2").string());
    ASSERT_EQ(platform.interfaceAt(1, path), InterfaceQuery::Found);
    EXPECT_EQ(path, (dev / "hidraw10").string());
    EXPECT_EQ(platform.interfaceAt(2, path), InterfaceQuery::NoMoreItems);
    platform.endEnumeration();
    EXPECT_EQ(platform.interfaceAt(0, path), InterfaceQuery::NoMoreItems);

    int error = 0;
    EXPECT_EQ(platform.openDevice((dev / "hidraw99").string(), {}, error), InvalidHidHandle);
    EXPECT_EQ(error, ENOENT);
}

TEST_F(FakeSysfs, NodesThatAreNotHidrawDevicesAreLeftOutAndClosed) {
    HidrawPlatform platform(sys.string(), dev.string());
    int error = 0;
    const HidHandle handle = platform.openDevice((dev / "hidraw10").string(), {}, error);
    ASSERT_NE(handle, InvalidHidHandle);
    std::uint16_t vendor = 0, product = 0, release = 0;
    std::vector<std::uint8_t> descriptor;
    std::uint8_t frame[3] = {1, 0, 0};
    EXPECT_FALSE(platform.getAttributes(handle, vendor, product, release));
    EXPECT_FALSE(platform.getReportDescriptor(handle, descriptor));
    EXPECT_FALSE(platform.getFeature(handle, frame, 3));
    EXPECT_FALSE(platform.setFeature(handle, frame, 3));
    EXPECT_FALSE(platform.deviceGone(handle));
    platform.closeDevice(handle);
    EXPECT_FALSE(platform.getFeature(handle, frame, 3));

    const std::size_t before = openDescriptorCount();
    DeviceList list(platform);
    EXPECT_FALSE(list.discoverDevices());
    EXPECT_EQ(openDescriptorCount(), before);
}

// The transfer lock is an flock on the node, shared by every opener (another process opens it
// as another platform does here): a waiter gets it once the holder lets go, and an exclusive
// open keeps its own lock through a transfer.
TEST_F(FakeSysfs, TransferLockOfANodeIsSharedByEveryOpenerOfIt) {
    using namespace std::chrono_literals;
    HidrawPlatform first(sys.string(), dev.string()), second(sys.string(), dev.string());
    const std::string node = (dev / "hidraw10").string();
    int error = 0;
    const HidHandle a = first.openDevice(node, {}, error), b = second.openDevice(node, {}, error);
    ASSERT_EQ(first.lockDevice(a, 0ms), DeviceLockResult::Held);
    EXPECT_EQ(second.lockDevice(b, 20ms), DeviceLockResult::Busy);
    std::thread release([&] {
        std::this_thread::sleep_for(30ms);
        first.unlockDevice(a);
    });
    EXPECT_EQ(second.lockDevice(b, 5s), DeviceLockResult::Held) << "taken once the holder lets go";
    release.join();
    second.closeDevice(b);
    const HidHandle only = second.openDevice(node, {.exclusive = true}, error);
    second.unlockDevice(only);
    EXPECT_EQ(first.lockDevice(a, 0ms), DeviceLockResult::Busy) << "the exclusive open still holds it";
}

TEST(UdevRule, TagsEveryAcceptedVendorAndNothingElse) {
    const fs::path rule = GRAYDEN_UDEV_RULE_FILE;
    EXPECT_EQ(rule.filename().string(), HidrawUdevRuleName);
    // uaccess tags are applied by the seat rules numbered 73; ours must come first.
    EXPECT_LT(std::stoi(rule.filename().string()), 73);

    std::ifstream in(rule);
    ASSERT_TRUE(in);
    std::vector<std::string> vendors;
    const std::regex line(R"re(SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="([0-9a-f]{4})", TAG\+="uaccess")re");
    for (std::string text; std::getline(in, text);) {
        if (text.empty() || text[0] == '#') {
            continue;
        }
        std::smatch match;
        ASSERT_TRUE(std::regex_match(text, match, line)) << text;
        vendors.push_back(match[1]);
    }
    std::vector<std::string> expected;
    for (const std::uint16_t vendor : acceptedVendorIds) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04x", vendor);
        expected.push_back(hex);
    }
    EXPECT_EQ(vendors, expected);
}

}  // namespace
}  // namespace grayden
