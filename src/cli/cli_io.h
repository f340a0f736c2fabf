#pragma once

// Reading and writing job files for the commands of clivora-cli.

#include "model/job.h"
#include "model/job_file.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace clv::cli {

/** A number with a fixed count of decimals, through the program's one formatter ("0.00" for 2). */
std::string Fixed(double value, int decimals = 2);

/** True when the path names the JSON form (extension ".json", any case); any other file is a job file. */
bool IsJsonPath(const std::string& path);

/** True when the path ends in ".clv" (any case). */
bool IsClvPath(const std::string& path);

/** True when the path ends in `extension`, given in lower case with its dot (".png"); any case matches. */
bool HasExtension(const std::string& path, std::string_view extension);

/**
 * For commands that make one file from one job (render, report): takes an
 * argument that is none of the command's own options as the job file. Refuses,
 * with `error` set, an unknown option or a second job file.
 */
bool TakeJobArgument(const std::string& arg, std::string& job, std::string& error);

/**
 * After the arguments of such a command: a job file and an output file are
 * given, and the output ends in one of `extensions`. `what` names the output
 * ("report") and `usage` says how to give it ("-o REPORT.pdf"). False with
 * `error` set otherwise.
 */
bool CheckJobAndOutput(const std::string& job, const std::string& output, const std::string& what,
                       const std::string& usage, std::initializer_list<std::string_view> extensions,
                       std::string& error);

/** A job as a command works on it, with the version its file was written by. */
struct LoadedJob {
    Job job;
    Single StoredVersion = 0.0f; // the leading version of the .clv, or "StoredVersion" of the JSON
};

/**
 * Loads a job the way the program opens one: a job file goes through OpenJob
 * (FileVersion stamped with this program's version, files older than 2.0
 * upgraded); a .json file is read by JobFromJson and stamped the same way.
 * On failure returns nothing and sets `error` to one line that names the file and
 * what is wrong ("jobs/a.clv: not a complete job file ..."), for standard error.
 */
std::optional<LoadedJob> LoadJobFile(const std::string& path, std::string& error);

/**
 * The job file at `path` decoded exactly as stored: no version stamp, no
 * upgrade, so that converting it loses nothing. `error` as for LoadJobFile.
 */
std::optional<DecodedJob> ReadJobFileAsStored(const std::string& path, std::string& error);

/** LoadJobFile without the stored version: what info and analyse need. */
std::optional<Job> LoadJobForCli(const std::string& path, std::string& error);

/** Reads a whole text file (at most 256 MB); nothing and `error` set when it cannot. */
std::optional<std::string> ReadTextFile(const std::string& path, std::string& error);

/**
 * Writes the data to `path` through a temporary file in the same folder that is
 * renamed over it, so an existing file is replaced whole or not at all. On
 * failure returns false and sets `error` (one line naming the file).
 */
bool WriteFileReplacing(const std::string& path, std::string_view data, std::string& error);

} // namespace clv::cli
