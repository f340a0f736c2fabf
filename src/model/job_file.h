#pragma once

// The job file (*.clv): a packed little-endian dump of the job records in a fixed
// order, followed by the variable arrays whose counts the header holds. No magic,
// no checksum: the reader can only walk it in order, so it checks every count and
// size against the bytes actually present before it allocates anything.

#include "model/job.h"

#include <optional>
#include <string>

namespace clv {

/** Offsets and sizes of the layout, for the codec and its tests. */
namespace file_layout {
constexpr std::size_t kVersion = 0, kHeader = 4, kView = 219, kFactors = 257, kWater = 341,
                      kPiezo = 779, kSlip = 809, kWedge = 971, kPrint = 1041, kSoils = 1241;
constexpr std::size_t kHeaderSize = 215, kViewSize = 38, kFactorsSize = 84, kWaterSize = 438,
                      kPiezoSize = 30, kSlipSize = 162, kWedgeSize = 70, kPrintSize = 200,
                      kSoilSize = 499, kLoadSize = 54, kBlockSize = 89, kUserPointSize = 8;
constexpr std::size_t kEmptyJobSize = 1245;
constexpr std::size_t kOldViewSize = 44;   // the view block of files older than 2.0
constexpr std::size_t kOldExtraSize = 50;  // the block after the slip settings in files older than 2.0
} // namespace file_layout

/** Files stored by versions before 2.0 have an older view block and one more block after the slip settings. */
inline bool IsOldLayout(Single storedVersion)
{
    return storedVersion < 2.0f;
}

/** The message a failed read shows (four lines joined by CR LF). */
extern const char* const kReadErrorMessage;
/** The message a failed save shows. */
extern const char* const kSaveErrorMessage;

/** A job file decoded as stored: no version stamping, no upgrade. */
struct DecodedJob {
    Job job;
    Single StoredVersion = 0.0f; // the Single at offset 0
};

/**
 * Decodes the bytes of a job file. Returns nothing when the bytes are not a
 * complete job file (short, a negative count, counts beyond their arrays, data
 * running past the end). Files older than 2.0 are walked with their old layout
 * but not upgraded. Bytes after the last user point are ignored.
 */
std::optional<DecodedJob> DecodeJobFile(const Bytes& bytes);

/**
 * Encodes a job in the current layout. The Single at offset 0 is `leadingVersion`
 * (the header's FileVersion follows at offset 4). Returns nothing when a count
 * does not fit the file's 16-bit fields.
 */
std::optional<Bytes> EncodeJobFile(const Job& job, Single leadingVersion);

/** Reads a whole file; nothing when it cannot be read or is larger than any job file can be. */
std::optional<Bytes> ReadFileBytes(const std::string& path);

/**
 * Saves session.job to session.JobFilePath (".clv" is appended when the file
 * name has no full stop). The file is written beside the target under a
 * temporary name, flushed and renamed over it, so a failed save never damages
 * the previous file. On success JobModified becomes false and nothing is
 * returned; on failure the save error message is returned and JobModified stays.
 */
std::optional<std::string> SaveJob(JobSession& session);

/**
 * Opens the job file at `path` (double quotes removed) into a fresh job and
 * replaces session.job only when the whole file was read; JobFilePath and
 * JobFileTitle then name that file. FileVersion is stamped with
 * ProgramVersion(); files older than 2.0 are upgraded. On failure the read error
 * message is returned and the session is untouched, its path still naming the
 * job it holds, so a later save cannot write that job over the unreadable file.
 */
std::optional<std::string> OpenJob(JobSession& session, const std::string& path);

/**
 * Puts a job decoded from the file at `path` into the session as opening does:
 * version stamped, the session's view kept for files older than 2.0 and the job
 * upgraded, the path named, JobModified cleared. OpenJob's second half, for
 * callers that have decoded the bytes themselves.
 */
void AdoptOpenedJob(JobSession& session, DecodedJob decoded, const std::string& path);

/** The upgrade of a job read from a file older than 2.0 (sets JobModified, CurrentSoil = 1). */
void UpgradeOldJob(JobSession& session);

/** The file name part of a path, for JobFileTitle. */
std::string FileTitleOf(const std::string& path);

} // namespace clv
