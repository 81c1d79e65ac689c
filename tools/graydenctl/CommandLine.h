#pragma once

#include <string>
#include <string_view>

#include "engine/GsdfError.h"

namespace grayden::ctl {

// Exit statuses shared by every subcommand.
constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
// report and history tell a failed verdict (ExitFailure) from an error, which shares the usage
// status.
constexpr int ExitError = 2;

// Whole-argument number parsing: trailing text or an empty argument is refused.
bool parseWholeInt(std::string_view text, int& out);
bool parseWholeDouble(std::string_view text, double& out);
// Only plain decimal digits (no sign, space, base prefix, fraction or exponent) naming a number
// within min..max.
bool parseDecimalInRange(std::string_view text, int min, int max, int& out);

// The English text of a string-table message, for standard error.
std::string messageText(int stringId);

// The English text of a greyscale-standard problem, with the line it names filled in; a file
// that cannot be read is named on the next line and the reason on the one after.
std::string problemText(const GsdfProblem& problem, const std::string& measurementPath);

// Prints "graydenctl <command>: why" and the command's usage to standard error; ExitUsage.
int usageError(const char* command, const std::string& why, const char* usage);
// Prints the text on its own line to standard error; ExitFailure.
int failure(const std::string& text);
// The same, for the commands whose ExitFailure is a verdict; ExitError.
int errorExit(const std::string& text);

// Writes all bytes to standard output exactly as given; false on a write error.
bool writeStdout(std::string_view bytes);
// Writes the text to standard output: ExitOk, or ExitFailure with the reason on standard error
// when it cannot be written (a full disk, a closed pipe).
int printStdout(std::string_view bytes);
// Lets a closed pipe on standard output fail the write with EPIPE instead of ending the
// process silently, so the failure is reported like any other.
void reportBrokenPipes();

}  // namespace grayden::ctl
