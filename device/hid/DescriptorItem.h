#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace grayden {

// One short item of a HID report descriptor (USB HID 1.11, 6.2.2.2).
enum class ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

struct DescriptorItem {
    ItemType type = ItemType::Main;
    std::uint8_t tag = 0;
    std::uint8_t size = 0;   // data bytes: 0, 1, 2 or 4
    std::uint32_t data = 0;  // little-endian, zero-extended

    std::size_t length() const { return 1u + size; }
    // The data sign-extended from its own width, as bounds are read.
    std::int32_t signedData() const;
};

enum class ItemRead { Item, Truncated, Long };

// Reads the item that starts at offset (which must be inside the descriptor), never past the end.
ItemRead readDescriptorItem(std::span<const std::uint8_t> descriptor, std::size_t offset, DescriptorItem& item);

}  // namespace grayden
