#pragma once

// The commands of clivora-cli. Each takes its arguments (after the command name)
// and the two output streams, and returns the exit status: 0 success, 2 for an
// unreadable file or bad arguments.

#include <iosfwd>
#include <string>
#include <vector>

namespace clv::cli {

using Args = std::vector<std::string>;

constexpr int kExitOk = 0;
constexpr int kExitError = 2;

int RunInfo(const Args& args, std::ostream& out, std::ostream& err);
int RunConvert(const Args& args, std::ostream& out, std::ostream& err);
int RunAnalyse(const Args& args, std::ostream& out, std::ostream& err);
/** Draws the section into a PNG or PDF; only in a build with Qt (CLIVORA_CLI_RENDER). */
int RunRender(const Args& args, std::ostream& out, std::ostream& err);
/** Writes the report as a PDF; only in a build with Qt (CLIVORA_CLI_REPORT). */
int RunReport(const Args& args, std::ostream& out, std::ostream& err);

/** Dispatches argv[1] to its command; prints the usage on a usage error. */
int RunCli(const Args& argv, std::ostream& out, std::ostream& err);

void PrintUsage(std::ostream& err);

} // namespace clv::cli
