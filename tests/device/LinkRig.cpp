#include "LinkRig.h"

#include "device/MonitorProtocol.h"
#include "device/SimulatedMonitorReports.h"

namespace grayden::testing {

namespace {

std::string describe(const SimulatedExchange& e) {
    const bool get = e.direction == ExchangeDirection::Get;
    std::string text;
    switch (e.reportId) {
    case IdentificationReport: text = get ? "get id" : "set id"; break;
    case ModeReport:
        text = get ? "get mode" : "set mode " + std::to_string(loadWord(e.bytes.data()));
        break;
    case GammaCodeReport: text = get ? "get gamma" : "set gamma"; break;
    case StatusReport: text = get ? "get status" : "set status"; break;
    case BlockSelectReport: text = get ? "get select" : "select " + std::to_string(e.bytes[0]); break;
    case BlockDataReport: text = get ? "read block" : "write block"; break;
    default: text = "report " + std::to_string(e.reportId);
    }
    return e.succeeded ? text : text + " failed";
}

std::vector<std::string> describeAll(const SimulatedMonitorPlatform& sim, const std::vector<std::size_t>& pauses,
                                     bool withDevice) {
    std::vector<std::string> out;
    std::size_t nextPause = 0;
    const auto& log = sim.exchanges();
    for (std::size_t i = 0; i <= log.size(); ++i) {
        for (; nextPause < pauses.size() && pauses[nextPause] == i; ++nextPause) out.push_back("pause");
        if (i == log.size()) break;
        out.push_back((withDevice ? std::to_string(log[i].device) + ": " : std::string()) + describe(log[i]));
    }
    return out;
}

}  // namespace

std::vector<std::string> LinkRig::steps() const { return describeAll(sim, channel.pausesAt, false); }

std::vector<std::string> LinkRig::stepsWithDevice() const { return describeAll(sim, channel.pausesAt, true); }

}  // namespace grayden::testing
