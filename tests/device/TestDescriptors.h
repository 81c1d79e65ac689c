#pragma once

#include <cstdint>
#include <vector>

// Report descriptors written down from the USB HID standard and its usage tables.
namespace grayden::testdescriptors {

using Bytes = std::vector<std::uint8_t>;

// HID 1.11 appendix B.1: the boot keyboard.
inline const Bytes BootKeyboard = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x06,  // Usage (Keyboard)
    0xA1, 0x01,  // Collection (Application)
    0x05, 0x07,  //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0,  //   Usage Minimum (Left Control)
    0x29, 0xE7,  //   Usage Maximum (Right GUI)
    0x15, 0x00,  //   Logical Minimum (0)
    0x25, 0x01,  //   Logical Maximum (1)
    0x75, 0x01,  //   Report Size (1)
    0x95, 0x08,  //   Report Count (8)
    0x81, 0x02,  //   Input (Data, Variable, Absolute): modifier byte
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x08,  //   Report Size (8)
    0x81, 0x01,  //   Input (Constant): reserved byte
    0x95, 0x05,  //   Report Count (5)
    0x75, 0x01,  //   Report Size (1)
    0x05, 0x08,  //   Usage Page (LEDs)
    0x19, 0x01,  //   Usage Minimum (Num Lock)
    0x29, 0x05,  //   Usage Maximum (Kana)
    0x91, 0x02,  //   Output (Data, Variable, Absolute): LED report
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x03,  //   Report Size (3)
    0x91, 0x01,  //   Output (Constant): LED padding
    0x95, 0x06,  //   Report Count (6)
    0x75, 0x08,  //   Report Size (8)
    0x15, 0x00,  //   Logical Minimum (0)
    0x25, 0x65,  //   Logical Maximum (101)
    0x05, 0x07,  //   Usage Page (Keyboard/Keypad)
    0x19, 0x00,  //   Usage Minimum (0)
    0x29, 0x65,  //   Usage Maximum (101)
    0x81, 0x00,  //   Input (Data, Array): key codes
    0xC0,        // End Collection
};

// HID 1.11 appendix B.2: the boot mouse, X and Y declared for one item of two fields.
inline const Bytes BootMouse = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x02,  // Usage (Mouse)
    0xA1, 0x01,  // Collection (Application)
    0x09, 0x01,  //   Usage (Pointer)
    0xA1, 0x00,  //   Collection (Physical)
    0x05, 0x09,  //     Usage Page (Button)
    0x19, 0x01,  //     Usage Minimum (1)
    0x29, 0x03,  //     Usage Maximum (3)
    0x15, 0x00,  //     Logical Minimum (0)
    0x25, 0x01,  //     Logical Maximum (1)
    0x95, 0x03,  //     Report Count (3)
    0x75, 0x01,  //     Report Size (1)
    0x81, 0x02,  //     Input (Data, Variable, Absolute): buttons
    0x95, 0x01,  //     Report Count (1)
    0x75, 0x05,  //     Report Size (5)
    0x81, 0x01,  //     Input (Constant): padding
    0x05, 0x01,  //     Usage Page (Generic Desktop)
    0x09, 0x30,  //     Usage (X)
    0x09, 0x31,  //     Usage (Y)
    0x15, 0x81,  //     Logical Minimum (-127)
    0x25, 0x7F,  //     Logical Maximum (127)
    0x75, 0x08,  //     Report Size (8)
    0x95, 0x02,  //     Report Count (2)
    0x81, 0x06,  //     Input (Data, Variable, Relative)
    0xC0,        //   End Collection
    0xC0,        // End Collection
};

// A vendor device with numbered feature reports laid out like the monitor's vendor usages,
// including a constant field without a usage (padding) behind the 16-bit value of report 3.
inline const Bytes VendorFeatures = {
    0x06, 0x00, 0xFF,              // Usage Page (Vendor 0xFF00)
    0x09, 0x01,                    // Usage (0x01)
    0xA1, 0x01,                    // Collection (Application)
    0x15, 0x00,                    //   Logical Minimum (0)
    0x26, 0xFF, 0x00,              //   Logical Maximum (255)
    0x75, 0x08,                    //   Report Size (8)
    0x85, 0x01,                    //   Report ID (1)
    0x09, 0x35,                    //   Usage (0x35)
    0x95, 0x10,                    //   Report Count (16)
    0xB1, 0x02,                    //   Feature (Data, Variable, Absolute)
    0x85, 0x02,                    //   Report ID (2)
    0x09, 0x15,                    //   Usage (0x15)
    0x95, 0x02,                    //   Report Count (2)
    0xB1, 0x02,                    //   Feature (Data, Variable, Absolute)
    0x85, 0x03,                    //   Report ID (3)
    0x09, 0x66,                    //   Usage (0x66)
    0x75, 0x10,                    //   Report Size (16)
    0x95, 0x01,                    //   Report Count (1)
    0x27, 0xFF, 0xFF, 0x00, 0x00,  //   Logical Maximum (65535)
    0xB1, 0x02,                    //   Feature (Data, Variable, Absolute)
    0x75, 0x08,                    //   Report Size (8)
    0x95, 0x02,                    //   Report Count (2)
    0xB1, 0x03,                    //   Feature (Constant, Variable): padding
    0x06, 0x01, 0xFF,              //   Usage Page (Vendor 0xFF01)
    0x26, 0xFF, 0x00,              //   Logical Maximum (255)
    0x85, 0x04,                    //   Report ID (4)
    0x09, 0x47,                    //   Usage (0x47)
    0xB1, 0x02,                    //   Feature (Data, Variable, Absolute)
    0x85, 0x05,                    //   Report ID (5)
    0x09, 0x8E,                    //   Usage (0x8E)
    0x95, 0x01,                    //   Report Count (1)
    0xB1, 0x02,                    //   Feature (Data, Variable, Absolute)
    0x85, 0x06,                    //   Report ID (6)
    0x09, 0x8F,                    //   Usage (0x8F)
    0x95, 0x80,                    //   Report Count (128)
    0xB1, 0x02,                    //   Feature (Data, Variable, Absolute)
    0xC0,                          // End Collection
};

// A usage range covering two fields of one feature report.
inline const Bytes FeatureRange = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (0x01)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x07,        //   Report ID (7)
    0x19, 0x20,        //   Usage Minimum (0x20)
    0x29, 0x21,        //   Usage Maximum (0x21)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x02,        //   Report Count (2)
    0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
    0xC0,              // End Collection
};

// Two top-level collections: a keyboard's LED output report and a consumer control whose
// volume usages are 4-byte usages carrying their own page.
inline const Bytes KeyboardAndConsumer = {
    0x05, 0x01,                    // Usage Page (Generic Desktop)
    0x09, 0x06,                    // Usage (Keyboard)
    0xA1, 0x01,                    // Collection (Application)
    0x85, 0x01,                    //   Report ID (1)
    0x05, 0x08,                    //   Usage Page (LEDs)
    0x19, 0x01,                    //   Usage Minimum (1)
    0x29, 0x03,                    //   Usage Maximum (3)
    0x75, 0x01,                    //   Report Size (1)
    0x95, 0x03,                    //   Report Count (3)
    0x91, 0x02,                    //   Output (Data, Variable, Absolute)
    0xC0,                          // End Collection
    0x05, 0x0C,                    // Usage Page (Consumer)
    0x09, 0x01,                    // Usage (Consumer Control)
    0xA1, 0x01,                    // Collection (Application)
    0x85, 0x02,                    //   Report ID (2)
    0x05, 0x01,                    //   Usage Page (Generic Desktop)
    0x0B, 0xE9, 0x00, 0x0C, 0x00,  //   Usage (Consumer: Volume Increment)
    0x0B, 0xEA, 0x00, 0x0C, 0x00,  //   Usage (Consumer: Volume Decrement)
    0x15, 0x00,                    //   Logical Minimum (0)
    0x25, 0x01,                    //   Logical Maximum (1)
    0x75, 0x01,                    //   Report Size (1)
    0x95, 0x02,                    //   Report Count (2)
    0x81, 0x02,                    //   Input (Data, Variable, Absolute)
    0x95, 0x06,                    //   Report Count (6)
    0x81, 0x03,                    //   Input (Constant): padding
    0xC0,                          // End Collection
};

// A consumer control (input report 7) in front of the vendor collection above: the vendor
// feature reports sit in the node's second top-level collection.
inline const Bytes ConsumerThenVendor = [] {
    Bytes bytes = {
        0x05, 0x0C,  // Usage Page (Consumer)
        0x09, 0x01,  // Usage (Consumer Control)
        0xA1, 0x01,  // Collection (Application)
        0x85, 0x07,  //   Report ID (7)
        0x15, 0x00,  //   Logical Minimum (0)
        0x25, 0x01,  //   Logical Maximum (1)
        0x75, 0x01,  //   Report Size (1)
        0x95, 0x08,  //   Report Count (8)
        0x19, 0xE0,  //   Usage Minimum (Volume)
        0x29, 0xE7,  //   Usage Maximum (Loudness)
        0x81, 0x02,  //   Input (Data, Variable, Absolute)
        0xC0,        // End Collection
    };
    bytes.insert(bytes.end(), VendorFeatures.begin(), VendorFeatures.end());
    return bytes;
}();

// Wraps items in a vendor application collection (usage page 0xFF00, usage 1).
inline Bytes inApplication(const Bytes& items) {
    const Bytes header = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01};
    Bytes out;
    out.reserve(header.size() + items.size() + 1);
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), items.begin(), items.end());
    out.push_back(0xC0);
    return out;
}

inline const std::vector<const Bytes*> All = {&BootKeyboard, &BootMouse, &VendorFeatures, &FeatureRange,
                                              &KeyboardAndConsumer};

}  // namespace grayden::testdescriptors
