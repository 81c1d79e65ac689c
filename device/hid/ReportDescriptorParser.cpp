#include "device/hid/ReportDescriptorParser.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>
#include <optional>
#include <vector>

#include "device/hid/DescriptorItem.h"

namespace grayden {

namespace {

enum ReportKind : std::size_t { Input, Output, Feature, ReportKindCount };

namespace MainTag {
constexpr std::uint8_t Input = 0x8, Output = 0x9, Collection = 0xA, Feature = 0xB, EndCollection = 0xC;
}
namespace GlobalTag {
constexpr std::uint8_t UsagePage = 0x0, LogicalMinimum = 0x1, LogicalMaximum = 0x2, PhysicalMinimum = 0x3,
                       PhysicalMaximum = 0x4, UnitExponent = 0x5, Unit = 0x6, ReportSize = 0x7, ReportId = 0x8,
                       ReportCount = 0x9, Push = 0xA, Pop = 0xB;
}
namespace LocalTag {
constexpr std::uint8_t Usage = 0x0, UsageMinimum = 0x1, UsageMaximum = 0x2, Delimiter = 0xA;
}

constexpr std::uint32_t VariableFlag = 0x02;

// One report's fields, without its id byte, must fit the kernel's buffer.
constexpr std::uint32_t MaxReportBits = (HidMaxBufferSize - 1) * 8;
// So every capability's value, (bits / 8) × count bytes plus the id, fits that buffer and a
// signed 16-bit frame length without a check of its own.
static_assert(MaxReportBits / 8 + 1 <= HidMaxBufferSize);
static_assert(HidMaxBufferSize <= std::numeric_limits<std::int16_t>::max());
// Bits of one item never overflow the running total.
static_assert(std::uint64_t{HidMaxReportSize} * HidMaxUsages + MaxReportBits <
              std::numeric_limits<std::uint32_t>::max());

constexpr std::array<std::vector<ValueCapability> ParsedCollection::*, ReportKindCount> ValueTables = {
    &ParsedCollection::inputValueCaps, &ParsedCollection::outputValueCaps, &ParsedCollection::featureValueCaps};
constexpr std::array<std::vector<ButtonCapability> ParsedCollection::*, ReportKindCount> ButtonTables = {
    &ParsedCollection::inputButtonCaps, &ParsedCollection::outputButtonCaps, &ParsedCollection::featureButtonCaps};
constexpr std::array<std::map<std::uint8_t, std::uint16_t> ParsedCollection::*, ReportKindCount> ByteTables = {
    &ParsedCollection::inputReportBytes, &ParsedCollection::outputReportBytes, &ParsedCollection::featureReportBytes};

struct GlobalState {
    std::uint16_t usagePage = 0;
    std::int32_t logicalMin = 0;
    std::int32_t logicalMax = 0;
    std::int32_t physicalMin = 0;
    std::int32_t physicalMax = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// A usage as declared: the 1- and 2-byte forms take the usage page in force at the main item,
// the 4-byte form carries its own page in its high half.
struct DeclaredUsage {
    std::uint32_t value = 0;
    bool extended = false;
};

struct UsageEntry {
    DeclaredUsage min;
    DeclaredUsage max;
    bool isRange = false;
};

struct LocalState {
    std::vector<UsageEntry> usages;
    std::optional<DeclaredUsage> pendingMin;
    std::optional<DeclaredUsage> pendingMax;
    bool delimiterOpen = false;
    bool delimiterSetUsed = false;  // only the first usage of a delimited set counts

    void clear() {
        usages.clear();
        pendingMin.reset();
        pendingMax.reset();
        delimiterOpen = delimiterSetUsed = false;
    }
};

struct ResolvedUsage {
    std::uint16_t page = 0;
    std::uint16_t min = 0;
    std::uint16_t max = 0;
    bool isRange = false;
};

struct LinkNode {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
};

// Which declared usages of an item become capabilities: the first `used` ones, the last of
// them showing `lastCount` fields when it is a single usage.
struct UsagePlan {
    std::size_t used = 0;
    std::uint32_t lastCount = 1;
};

class DescriptorParser {
public:
    explicit DescriptorParser(ParsedDescriptor& out) : out_(out) {}

    bool run(std::span<const std::uint8_t> descriptor, DescriptorFault& fault) {
        if (descriptor.size() > HidMaxDescriptorSize) {
            fault = {DescriptorProblem::TooLong, HidMaxDescriptorSize};
            return false;
        }
        std::size_t offset = 0;
        while (offset < descriptor.size()) {
            DescriptorItem item;
            const ItemRead read = readDescriptorItem(descriptor, offset, item);
            if (read != ItemRead::Item) {
                problem_ = read == ItemRead::Long ? DescriptorProblem::LongItem : DescriptorProblem::TruncatedItem;
            } else {
                dispatch(item);
            }
            if (problem_ != DescriptorProblem::None) {
                fault = {problem_, offset};
                return false;
            }
            offset += item.length();
        }
        if (!linkStack_.empty()) {
            fault = {DescriptorProblem::UnclosedCollection, descriptor.size()};
            return false;
        }
        return true;
    }

private:
    void fail(DescriptorProblem problem) { problem_ = problem; }

    void dispatch(const DescriptorItem& item) {
        switch (item.type) {
        case ItemType::Main: mainItem(item); break;
        case ItemType::Global: globalItem(item); break;
        case ItemType::Local: localItem(item); break;
        case ItemType::Reserved: break;  // the kernel skips these too
        }
    }

    void mainItem(const DescriptorItem& item) {
        if (local_.delimiterOpen) {
            fail(DescriptorProblem::UnbalancedDelimiter);
            return;
        }
        switch (item.tag) {
        case MainTag::Input: dataItem(Input, item.data); break;
        case MainTag::Output: dataItem(Output, item.data); break;
        case MainTag::Feature: dataItem(Feature, item.data); break;
        case MainTag::Collection: openCollection(); break;
        case MainTag::EndCollection: closeCollection(); break;
        default: break;  // reserved main tags describe no field
        }
        local_.clear();
    }

    void globalItem(const DescriptorItem& item) {
        switch (item.tag) {
        case GlobalTag::UsagePage: global_.usagePage = static_cast<std::uint16_t>(item.data); break;
        case GlobalTag::LogicalMinimum: global_.logicalMin = item.signedData(); break;
        case GlobalTag::LogicalMaximum: global_.logicalMax = item.signedData(); break;
        case GlobalTag::PhysicalMinimum: global_.physicalMin = item.signedData(); break;
        case GlobalTag::PhysicalMaximum: global_.physicalMax = item.signedData(); break;
        case GlobalTag::UnitExponent:
        case GlobalTag::Unit: break;
        case GlobalTag::ReportSize:
            if (item.data > HidMaxReportSize) {
                fail(DescriptorProblem::ReportSizeTooLarge);
            }
            global_.reportSize = item.data;
            break;
        case GlobalTag::ReportId:
            if (item.data == 0 || item.data > 255) {
                fail(DescriptorProblem::InvalidReportId);
            }
            global_.reportId = static_cast<std::uint8_t>(item.data);
            break;
        case GlobalTag::ReportCount:
            if (item.data > HidMaxUsages) {
                fail(DescriptorProblem::ReportCountTooLarge);
            }
            global_.reportCount = item.data;
            break;
        case GlobalTag::Push:
            if (stackDepth_ == HidGlobalStackSize) {
                fail(DescriptorProblem::GlobalStackOverflow);
            } else {
                stack_[stackDepth_++] = global_;
            }
            break;
        case GlobalTag::Pop:
            if (stackDepth_ == 0) {
                fail(DescriptorProblem::GlobalStackUnderflow);
            } else {
                global_ = stack_[--stackDepth_];
            }
            break;
        default: fail(DescriptorProblem::UnknownGlobalItem); break;
        }
    }

    void localItem(const DescriptorItem& item) {
        const DeclaredUsage usage{item.data, item.size == 4};
        const bool counts = !local_.delimiterOpen || !local_.delimiterSetUsed;
        switch (item.tag) {
        case LocalTag::Usage:
            if (counts) {
                local_.usages.push_back({usage, usage, false});
                local_.delimiterSetUsed = local_.delimiterOpen;
            }
            break;
        case LocalTag::UsageMinimum:
        case LocalTag::UsageMaximum:
            if (counts) {
                (item.tag == LocalTag::UsageMinimum ? local_.pendingMin : local_.pendingMax) = usage;
                completeRange();
            }
            break;
        case LocalTag::Delimiter:
            if ((item.data != 0) == local_.delimiterOpen) {
                fail(DescriptorProblem::UnbalancedDelimiter);
            }
            local_.delimiterOpen = item.data != 0;
            local_.delimiterSetUsed = false;
            break;
        default: break;  // designator and string indices name nothing we report
        }
    }

    // Minimum and maximum make a range in either order; an unpaired bound names nothing.
    void completeRange() {
        if (local_.pendingMin && local_.pendingMax) {
            local_.usages.push_back({*local_.pendingMin, *local_.pendingMax, true});
            local_.pendingMin.reset();
            local_.pendingMax.reset();
            local_.delimiterSetUsed = local_.delimiterOpen;
        }
    }

    std::uint32_t extendedUsage(DeclaredUsage usage) const {
        return usage.extended ? usage.value : (std::uint32_t{global_.usagePage} << 16) | (usage.value & 0xFFFF);
    }

    bool resolveUsages() {
        resolved_.clear();
        std::uint32_t total = 0;
        for (const UsageEntry& entry : local_.usages) {
            const std::uint32_t min = extendedUsage(entry.min);
            const std::uint32_t max = entry.isRange ? extendedUsage(entry.max) : min;
            if ((min >> 16) != (max >> 16) || min > max) {
                fail(DescriptorProblem::InvalidUsageRange);
                return false;
            }
            total += max - min + 1;
            if (total > HidMaxUsages) {
                fail(DescriptorProblem::TooManyUsages);
                return false;
            }
            resolved_.push_back({static_cast<std::uint16_t>(min >> 16), static_cast<std::uint16_t>(min),
                                 static_cast<std::uint16_t>(max), entry.isRange});
        }
        return true;
    }

    void dataItem(ReportKind kind, std::uint32_t flags) {
        const std::uint32_t bits = global_.reportSize * global_.reportCount;
        std::uint32_t& total = reportBits_[kind][global_.reportId];
        total += bits;
        if (total > MaxReportBits) {
            fail(DescriptorProblem::ReportTooLong);
            return;
        }
        if (!resolveUsages() || linkStack_.empty()) {
            return;  // a field outside every top-level collection belongs to none
        }
        collectionBits_[kind][global_.reportId] += bits;
        collectionReports_[kind].set(global_.reportId);
        addCapabilities(kind, flags);
    }

    UsagePlan planCapabilities(bool isArray) const {
        if (isArray) {
            // An array field can report any of its usages, so each declaration is a capability.
            return {resolved_.size(), 1};
        }
        // Variable fields take the usages in order; the last usage that gets a field takes all
        // fields left over. A range stands for one field per usage and reports a count of 1.
        std::uint32_t remaining = global_.reportCount;
        UsagePlan plan;
        for (; plan.used < resolved_.size() && remaining > 0; ++plan.used) {
            const ResolvedUsage& usage = resolved_[plan.used];
            const bool last = plan.used + 1 == resolved_.size();
            const std::uint32_t span = usage.isRange ? std::uint32_t{usage.max} - usage.min + 1u : 1u;
            const std::uint32_t taken = last ? remaining : std::min(span, remaining);
            plan.lastCount = usage.isRange ? 1u : taken;
            remaining -= taken;
        }
        return plan;
    }

    void addCapabilities(ReportKind kind, std::uint32_t flags) {
        if (global_.reportCount == 0 || global_.reportSize == 0 || resolved_.empty()) {
            return;  // padding, or a field of no bits
        }
        const bool isArray = (flags & VariableFlag) == 0;
        const bool asButtons = isArray || global_.reportSize == 1;
        const UsagePlan plan = planCapabilities(isArray);

        ParsedCollection& collection = out_.collections.back();
        const std::uint16_t link = linkStack_.back();
        const LinkNode& node = nodes_[link];
        // Emitted last declaration first, as Windows lists them.
        for (std::size_t i = plan.used; i-- > 0;) {
            const ResolvedUsage& usage = resolved_[i];
            if (asButtons) {
                (collection.*ButtonTables[kind]).push_back(capability<ButtonCapability>(usage, link, node));
                continue;
            }
            auto cap = capability<ValueCapability>(usage, link, node);
            cap.bitSize = static_cast<std::uint16_t>(global_.reportSize);
            cap.reportCount = static_cast<std::uint16_t>(i + 1 == plan.used ? plan.lastCount : 1u);
            cap.logicalMin = global_.logicalMin;
            cap.logicalMax = global_.logicalMax;
            cap.physicalMin = global_.physicalMin;
            cap.physicalMax = global_.physicalMax;
            (collection.*ValueTables[kind]).push_back(cap);
        }
    }

    // The fields value and button capabilities share.
    template <typename Capability>
    Capability capability(const ResolvedUsage& usage, std::uint16_t link, const LinkNode& node) const {
        Capability cap;
        cap.usagePage = usage.page;
        cap.reportId = global_.reportId;
        cap.linkCollection = link;
        cap.linkUsagePage = node.usagePage;
        cap.linkUsage = node.usage;
        cap.isRange = usage.isRange;
        cap.usage = usage.min;
        cap.usageMax = usage.max;
        return cap;
    }

    void openCollection() {
        if (linkStack_.size() == HidMaxCollectionDepth) {
            fail(DescriptorProblem::CollectionTooDeep);
            return;
        }
        if (!resolveUsages()) {
            return;
        }
        LinkNode node{global_.usagePage, 0};
        if (!resolved_.empty()) {
            node = {resolved_.front().page, resolved_.front().min};
        }
        if (linkStack_.empty()) {
            ParsedCollection& collection = out_.collections.emplace_back();
            collection.caps.usagePage = node.usagePage;
            collection.caps.usage = node.usage;
            nodes_.clear();
            collectionBits_ = {};
            collectionReports_ = {};
        }
        // The descriptor holds at most HidMaxDescriptorSize collections, so the index fits.
        linkStack_.push_back(static_cast<std::uint16_t>(nodes_.size()));
        nodes_.push_back(node);
    }

    void closeCollection() {
        if (linkStack_.empty()) {
            fail(DescriptorProblem::UnopenedCollection);
            return;
        }
        linkStack_.pop_back();
        if (linkStack_.empty()) {
            finishTopLevel(out_.collections.back());
        }
    }

    void finishTopLevel(ParsedCollection& collection) {
        std::array<std::uint16_t, ReportKindCount> longest{};
        for (std::size_t kind = 0; kind < ReportKindCount; ++kind) {
            auto& table = collection.*ByteTables[kind];
            for (std::size_t id = 0; id < 256; ++id) {
                if (collectionReports_[kind].test(id)) {
                    const auto bytes = static_cast<std::uint16_t>((8 + collectionBits_[kind][id] + 7) / 8);
                    table.emplace_hint(table.end(), static_cast<std::uint8_t>(id), bytes);
                    longest[kind] = std::max(longest[kind], bytes);
                }
            }
        }
        HidCaps& caps = collection.caps;
        caps.inputReportByteLength = longest[Input];
        caps.outputReportByteLength = longest[Output];
        caps.featureReportByteLength = longest[Feature];
        caps.numberInputValueCaps = static_cast<std::uint16_t>(collection.inputValueCaps.size());
        caps.numberInputButtonCaps = static_cast<std::uint16_t>(collection.inputButtonCaps.size());
        caps.numberOutputValueCaps = static_cast<std::uint16_t>(collection.outputValueCaps.size());
        caps.numberOutputButtonCaps = static_cast<std::uint16_t>(collection.outputButtonCaps.size());
        caps.numberFeatureValueCaps = static_cast<std::uint16_t>(collection.featureValueCaps.size());
        caps.numberFeatureButtonCaps = static_cast<std::uint16_t>(collection.featureButtonCaps.size());
    }

    ParsedDescriptor& out_;
    DescriptorProblem problem_ = DescriptorProblem::None;
    GlobalState global_;
    std::array<GlobalState, HidGlobalStackSize> stack_{};
    std::size_t stackDepth_ = 0;
    LocalState local_;
    std::vector<ResolvedUsage> resolved_;
    // Per report kind and id, over the whole descriptor, as the kernel counts them for its limit.
    std::array<std::array<std::uint32_t, 256>, ReportKindCount> reportBits_{};
    // The same within the open top-level collection, for its report lengths, and which report
    // ids it has used (a report with no bits still exists).
    std::array<std::array<std::uint32_t, 256>, ReportKindCount> collectionBits_{};
    std::array<std::bitset<256>, ReportKindCount> collectionReports_;
    std::vector<LinkNode> nodes_;           // link collections of the open top-level collection
    std::vector<std::uint16_t> linkStack_;  // indices into nodes_ of the open collections
};

}  // namespace

bool parseReportDescriptor(std::span<const std::uint8_t> descriptor, ParsedDescriptor& parsed, DescriptorFault* fault) {
    parsed.collections.clear();
    DescriptorFault found;
    DescriptorParser parser(parsed);
    if (!parser.run(descriptor, found)) {
        parsed.collections.clear();
        if (fault != nullptr) {
            *fault = found;
        }
        return false;
    }
    if (fault != nullptr) {
        *fault = {};
    }
    return true;
}

}  // namespace grayden
