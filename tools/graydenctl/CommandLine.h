#pragma once

#include <string>
#include <string_view>

namespace grayden::ctl {

// Exit statuses shared by every subcommand.
constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Whole-argument number parsing: trailing text or an empty argument is refused.
bool parseWholeInt(std::string_view text, int& out);
bool parseWholeDouble(std::string_view text, double& out);

// The English text of a string-table message, for standard error.
std::string messageText(int stringId);

// Prints "graydenctl <command>: why" and the command's usage to standard error; ExitUsage.
int usageError(const char* command, const std::string& why, const char* usage);
// Prints the text on its own line to standard error; ExitFailure.
int failure(const std::string& text);

// Writes all bytes to standard output exactly as given; false on a write error.
bool writeStdout(std::string_view bytes);

}  // namespace grayden::ctl
