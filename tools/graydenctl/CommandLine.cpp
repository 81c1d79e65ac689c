#include "CommandLine.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "resources/ErrorMessages.h"
#include "resources/StringTable.h"

namespace grayden::ctl {

bool parseWholeInt(std::string_view text, int& out) {
    if (text.empty()) return false;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size();
}

bool parseWholeDouble(std::string_view text, double& out) {
    if (text.empty()) return false;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size() && std::isfinite(out);
}

bool parseDecimalInRange(std::string_view text, int min, int max, int& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < min || value > max) return false;
    out = value;
    return true;
}

std::string messageText(int stringId) {
    const std::string_view text = stringText(stringId, Language::English);
    return text.empty() ? "message " + std::to_string(stringId) : std::string(text);
}

std::string problemText(const GsdfProblem& problem, const std::string& measurementPath) {
    std::string text = messageText(gsdfMessageId(problem.error));
    if (const std::size_t at = text.find("%d"); at != std::string::npos) {
        text.replace(at, 2, std::to_string(problem.line));
    }
    if (problem.error == GsdfError::CannotReadMeasurements) {
        const int reasonId = unreadableReasonId(problem);
        text += "\n" + measurementPath + "\n" + (reasonId ? messageText(reasonId) : std::strerror(problem.systemError));
    }
    return text;
}

int usageError(const char* command, const std::string& why, const char* usage) {
    std::fprintf(stderr, "graydenctl %s: %s\n%s", command, why.c_str(), usage);
    return ExitUsage;
}

int failure(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return ExitFailure;
}

int errorExit(const std::string& text) {
    failure(text);
    return ExitError;
}

bool writeStdout(std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

int printStdout(std::string_view bytes) {
    errno = 0;
    if (writeStdout(bytes)) return ExitOk;
    const int error = errno;
    std::string text = "Cannot write to standard output";
    if (error != 0) text += std::string(": ") + std::strerror(error);
    return failure(text + ".");
}

void reportBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace grayden::ctl
