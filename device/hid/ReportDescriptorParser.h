#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/hid/HidCapabilities.h"

namespace grayden {

// The Linux kernel's limits (include/linux/hid.h). A descriptor beyond them never gets a hidraw
// node on Linux, so refusing it here loses no real device and keeps hostile input bounded.
constexpr std::size_t HidMaxDescriptorSize = 4096;
constexpr std::size_t HidMaxBufferSize = 16384;  // one report, report id byte included
constexpr std::size_t HidGlobalStackSize = 4;
constexpr std::uint32_t HidMaxUsages = 12288;    // per main item, and the largest report count
constexpr std::uint32_t HidMaxReportSize = 256;  // bits of one field
// Our own bound on collection nesting; real devices stay far below it.
constexpr std::size_t HidMaxCollectionDepth = 64;

enum class DescriptorProblem {
    None,
    TooLong,        // more than HidMaxDescriptorSize bytes
    TruncatedItem,  // an item's data runs past the end
    LongItem,       // long items are reserved and never used by real devices
    UnknownGlobalItem,
    GlobalStackOverflow,   // a fifth Push
    GlobalStackUnderflow,  // Pop with nothing pushed
    UnopenedCollection,    // End Collection without a Collection
    UnclosedCollection,    // the descriptor ends inside a collection
    CollectionTooDeep,
    InvalidReportId,  // Report ID outside 1..255
    ReportSizeTooLarge,
    ReportCountTooLarge,
    ReportTooLong,      // one report's fields exceed HidMaxBufferSize - 1 bytes
    TooManyUsages,      // one main item declares more than HidMaxUsages usages
    InvalidUsageRange,  // minimum above maximum, or the bounds on different usage pages
    UnbalancedDelimiter,
};

struct DescriptorFault {
    DescriptorProblem problem = DescriptorProblem::None;
    std::size_t offset = 0;  // of the offending item
};

// Turns a raw report descriptor into the capability tables of each top-level collection, in
// the form Windows' HID parser gives them, with the byte length of every report per report id.
// The descriptor is untrusted: it is never read past its end and the work is linear in its
// size. On failure `parsed` is left empty and `fault` (when given) says what and where.
bool parseReportDescriptor(std::span<const std::uint8_t> descriptor, ParsedDescriptor& parsed,
                           DescriptorFault* fault = nullptr);

}  // namespace grayden
