#include "tests/support/SessionRig.h"

#include "device/MonitorProtocol.h"
#include "device/TonePacking.h"
#include "device/simulated/SimulatedMonitorReports.h"
#include "engine/GammaCurves.h"

namespace grayden::testing {

namespace {

std::string describe(const SimulatedExchange& e) {
    const bool get = e.direction == ExchangeDirection::Get;
    std::string text;
    switch (e.reportId) {
    case IdentificationReport: text = get ? "get id" : "set id"; break;
    case ModeReport: text = get ? "get mode" : "set mode " + std::to_string(loadWord(e.bytes.data())); break;
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

std::vector<std::string> SessionRig::steps() const { return describeAll(sim, channel.pausesAt, false); }

std::vector<std::string> SessionRig::stepsWithDevice() const { return describeAll(sim, channel.pausesAt, true); }

Steps concat(std::initializer_list<Steps> parts) {
    Steps all;
    for (const Steps& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Steps Ready = {"get mode", "get status"};
const Steps ReadyAfterModeWrite = {"get mode", "set mode 12", "get status"};

Steps blockReads(int base) {
    Steps s;
    for (int k = 0; k < 4; ++k) {
        s.push_back("select " + std::to_string(base + k));
        s.push_back("read block");
    }
    return s;
}

Steps blockWrites(int base) {
    Steps s;
    for (int k = 0; k < 4; ++k) {
        s.push_back("select " + std::to_string(base + k));
        s.push_back("pause");
        s.push_back("write block");
    }
    return s;
}

ToneTable quantised(const ToneTable& t) {
    ToneTable q{};
    for (int i = 0; i < LevelCount; ++i) q[i] = unpackToneWord(packToneLevel(t[i]));
    return q;
}

ToneTable customTable() { return quantised(makeDefaultCurve(1.7)); }

void storeCustomTable(SessionRig& rig, const ToneTable& table) {
    MonitorState& s = rig.sim.monitor().state();
    for (int i = 0; i < LevelCount; ++i) s.stored[i] = packToneLevel(table[i]);
    s.gammaCode = CustomTableGammaCode;
}

void setStatusWord(SessionRig& rig, std::uint16_t word) {
    rig.sim.monitor().state().calibrated = (word & 1) != 0;
    rig.sim.monitor().setOtherStatusBits(word);
}

}  // namespace grayden::testing
