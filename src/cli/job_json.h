#pragma once

// The JSON form of a job file: the records of the job in file order, with the
// model's field names, so that a job can be read, written by hand and diffed.
// Converting a .clv to JSON and back gives the identical bytes: every float is
// written so that it reads back to the same bits (non-finite values as strings),
// reserved bytes as hex, and the unused point slots the file keeps are listed.
// docs/job-json.md describes the form.

#include "model/job.h"

#include <optional>
#include <string>
#include <string_view>

namespace clv::cli {

/** A job as the JSON form holds it: the records and the Single at offset 0 of the file. */
struct JsonJob {
    Job job;
    Single StoredVersion = 0.0f;
};

/** The JSON text of a job; `storedVersion` becomes the leading version of the file it converts to. */
std::string JobToJson(const Job& job, Single storedVersion);

/**
 * Reads the JSON form. Missing sections and fields take the values of a new job
 * (MakeDefaultJob); a few fields of soils, loads and blocks are required. Every
 * value is checked for its type and for what the job file can store. On failure
 * returns nothing and sets `error` to one line naming the field, e.g.
 * "Soils[2].Phi: expected a number".
 */
std::optional<JsonJob> JobFromJson(std::string_view text, std::string& error);

} // namespace clv::cli
