#pragma once

// clivora-cli run inside the test process, and the checks its tests share.

#include "commands.h"
#include "support/test_paths.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>

namespace clv::cli {

struct CliRun {
    int status;
    std::string out, err;

    nlohmann::json Json() const { return nlohmann::json::parse(out); }
    bool Says(const std::string& text) const { return out.find(text) != std::string::npos; }
    bool Errs(const std::string& text) const { return err.find(text) != std::string::npos; }
    /** One line on standard error, ending in a newline: what a script logs and a person reads. */
    bool OneLineError() const { return !err.empty() && err.back() == '\n' && std::ranges::count(err, '\n') == 1; }
};

/** Runs `clivora-cli args...`. */
inline CliRun Cli(Args args)
{
    args.insert(args.begin(), "clivora-cli");
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

inline std::string Example(const std::string& file) { return (test::ExamplesDir() / file).string(); }

inline std::set<std::string> Keys(const nlohmann::json& object)
{
    std::set<std::string> keys;
    for (const auto& item : object.items())
        keys.insert(item.key());
    return keys;
}

} // namespace clv::cli
