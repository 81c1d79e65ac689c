#include "engine/MonitorHistory.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace grayden {

std::string historyFolder() {
    std::filesystem::path base;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && std::filesystem::path(dataHome).is_absolute()) {
        base = dataHome;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".local" / "share";
    } else {
        return {};
    }
    return (base / "grayden" / "history").string();
}

namespace {

std::string fileNamePart(const std::string& text) {
    std::string part;
    for (const char c : text) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                          c == '_' || c == '-';
        part += kept ? c : '_';
    }
    return part;
}

}  // namespace

std::string historyFileName(const MonitorIdentity& identity) {
    std::string model = fileNamePart(identity.model);
    if (model.empty() || model.front() == '.') model.insert(0, "monitor");
    char ids[16];
    std::snprintf(ids, sizeof ids, "-%04x-%04x", identity.vendorId, identity.productId);
    std::string name = model + ids;
    if (!identity.serialNumber.empty()) name.append("-").append(fileNamePart(identity.serialNumber));
    return name.append(".jsonl");
}

std::string historyFilePath(const MonitorIdentity& identity) {
    const std::string folder = historyFolder();
    return folder.empty() ? folder : (std::filesystem::path(folder) / historyFileName(identity)).string();
}

bool appendHistoryRecord(const std::string& path, const HistoryRecord& record) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    if (error) return false;
    // A last line cut short (a full disk, a crash) stays a corrupt line of its own instead of
    // swallowing the new record.
    bool lastLineOpen = false;
    if (std::ifstream existing(path, std::ios::binary | std::ios::ate); existing && existing.tellg() > 0) {
        existing.seekg(-1, std::ios::end);
        lastLineOpen = existing.get() != '\n';
    }
    std::string line(lastLineOpen ? 1 : 0, '\n');
    line += formatHistoryLine(record);
    line += '\n';
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.close();
    return !out.fail();
}

void parseHistoryText(std::string_view text, MonitorHistory& history) {
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++lineNumber;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
        HistoryRecord record;
        if (parseHistoryLine(line, record)) {
            history.records.push_back(std::move(record));
        } else {
            history.corruptLines.push_back(lineNumber);
        }
    }
}

FileReadError readHistoryFile(const std::string& path, MonitorHistory& history) {
    std::string text;
    const FileReadError error = readRegularFile(path, MaxHistoryFileBytes, text);
    if (error == FileReadError::Missing) return FileReadError::None;
    if (error != FileReadError::None) return error;
    parseHistoryText(text, history);
    return FileReadError::None;
}

}  // namespace grayden
