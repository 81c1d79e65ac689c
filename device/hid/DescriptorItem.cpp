#include "device/hid/DescriptorItem.h"

namespace grayden {

namespace {
constexpr std::uint8_t LongItemPrefix = 0xFE;
}

std::int32_t DescriptorItem::signedData() const {
    switch (size) {
    case 1: return static_cast<std::int8_t>(data);
    case 2: return static_cast<std::int16_t>(data);
    case 4: return static_cast<std::int32_t>(data);
    default: return 0;
    }
}

ItemRead readDescriptorItem(std::span<const std::uint8_t> descriptor, std::size_t offset, DescriptorItem& item) {
    const std::uint8_t prefix = descriptor[offset];
    if (prefix == LongItemPrefix) {
        return ItemRead::Long;
    }
    const std::uint8_t sizeCode = prefix & 0x03;
    item.size = sizeCode == 3 ? 4 : sizeCode;
    item.type = static_cast<ItemType>((prefix >> 2) & 0x03);
    item.tag = prefix >> 4;
    if (descriptor.size() - offset - 1 < item.size) {
        return ItemRead::Truncated;
    }
    item.data = 0;
    for (std::uint8_t i = 0; i < item.size; ++i) {
        item.data |= static_cast<std::uint32_t>(descriptor[offset + 1 + i]) << (8 * i);
    }
    return ItemRead::Item;
}

}  // namespace grayden
