// The job file on disk: reading it whole, saving it safely, opening it into the
// session and upgrading files of the older layout. The bytes themselves are
// job_codec.cpp's.

#include "model/job_file.h"

#include "model/point_order.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace clv {

const char* const kReadErrorMessage = "Error during reading of file.\r\n"
                                      "\r\n"
                                      "Please close and reopen the application.\r\n"
                                      "Open the job file from \"File\" menu.";

const char* const kSaveErrorMessage = "An unknown error occured while saving the data. The save was terminated. "
                                      "Please try again with a different file name";

namespace {

namespace L = file_layout;

// The largest file the counts can describe: every count at its 16-bit maximum, in the older
// (longer) fixed layout. Nothing larger can be a job file.
constexpr std::uint64_t kIntegerMax = std::numeric_limits<Integer>::max();
constexpr std::uint64_t kLargestFixedPart
    = L::kVersion + 4 + L::kHeaderSize + L::kOldViewSize + L::kFactorsSize + L::kWaterSize + L::kPiezoSize
    + L::kSlipSize + L::kOldExtraSize + L::kWedgeSize;
constexpr std::uint64_t kLargestJobFile = kLargestFixedPart + L::kPrintSize
    + kIntegerMax * (L::kSoilSize + L::kLoadSize + L::kBlockSize + L::kUserPointSize)
    + 4 * (kIntegerMax + 1) * (kIntegerMax + 1);

std::string ParentFolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const Bytes& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

/**
 * Creates a new file in the folder of `target` under a short hidden name no other
 * file has (short, so a target name near the length limit still leaves room);
 * -1 when the folder refuses.
 */
int CreateTempBeside(const std::string& target, std::string& tempPath)
{
    std::random_device seed;
    std::mt19937 rng(seed());
    const std::string folder = ParentFolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/.clivora-save-" + std::to_string(rng() % 100000000);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

/**
 * Writes the bytes to `target` so that the target is either the old file or the
 * whole new one: a temporary file in the same folder is written, flushed to the
 * disk and renamed over the target. Being replaced whole, a longer old file leaves
 * no tail behind.
 */
bool ReplaceFileContents(const std::string& target, const Bytes& bytes)
{
    // A rename would replace even a file the user has made read-only; writing in
    // place would have been refused, and so is the save.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return false;
    std::string tempPath;
    const int fd = CreateTempBeside(target, tempPath);
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes);
    struct stat old {};
    if (ok && ::stat(target.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777); // a replaced file keeps its permissions
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    // Make the rename itself durable; the data is already safe, so a failure here is not an error.
    const int dir = ::open(ParentFolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace

std::optional<Bytes> ReadFileBytes(const std::string& path)
{
    // Non-blocking, so that a named pipe given as a job file cannot stall the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0
        || static_cast<std::uint64_t>(info.st_size) > kLargestJobFile) {
        ::close(fd);
        return std::nullopt;
    }
    Bytes bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (done != bytes.size())
        return std::nullopt; // the file shrank or could not be read to the end
    return bytes;
}

std::string FileTitleOf(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::optional<std::string> SaveJob(JobSession& session)
{
    // Only the file name decides whether an extension was given: a full stop in a folder name does not count.
    if (FileTitleOf(session.JobFilePath).find('.') == std::string::npos) {
        session.JobFilePath += ".clv";
        session.JobFileTitle += ".clv";
    }
    const std::optional<Bytes> bytes = EncodeJobFile(session.job, session.job.Header.FileVersion);
    if (!bytes)
        return std::string(kSaveErrorMessage);

    // A link is followed, so that saving through it replaces the file it points at.
    std::string target = session.JobFilePath;
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec)
            target = resolved.string();
    }
    if (!ReplaceFileContents(target, *bytes))
        return std::string(kSaveErrorMessage);
    session.JobModified = false;
    return std::nullopt;
}

std::optional<std::string> OpenJob(JobSession& session, const std::string& requestedPath)
{
    std::string path = requestedPath;
    std::erase(path, '"');

    const std::optional<Bytes> bytes = ReadFileBytes(path);
    if (!bytes)
        return std::string(kReadErrorMessage);
    std::optional<DecodedJob> decoded = DecodeJobFile(*bytes);
    if (!decoded)
        return std::string(kReadErrorMessage);
    // The whole file was read: only now does it replace the session's job.
    AdoptOpenedJob(session, std::move(*decoded), path);
    return std::nullopt;
}

void AdoptOpenedJob(JobSession& session, DecodedJob decoded, const std::string& path)
{
    const bool oldLayout = IsOldLayout(decoded.StoredVersion);
    if (oldLayout)
        decoded.job.View = session.job.View; // older files carry no usable view
    decoded.job.Header.FileVersion = ProgramVersion(); // a later save stamps this program's version
    session.job = std::move(decoded.job);
    session.JobFilePath = path;
    session.JobFileTitle = FileTitleOf(path);
    session.JobModified = false;
    session.JobRefreshPending = true;
    // The soil selected in the previous job may not exist in this one.
    if (session.CurrentSoil < 1 || session.CurrentSoil > session.job.SoilCount() + 1)
        session.CurrentSoil = 1;
    if (oldLayout)
        UpgradeOldJob(session);
}

void UpgradeOldJob(JobSession& session)
{
    Job& job = session.job;
    SlipSettings& slip = job.Slip;
    slip.MinSlipDepth = 0.0f;
    slip.AutoGenerate = kTrue;
    // The older format held a single common point: (CommonXMin, CommonXMax) was its x and level.
    if (!(slip.GridXMin == 0.0f && slip.GridYMin == 0.0f) && slip.LegacyCommonPoint == 0) {
        slip.AutoGenerate = kFalse;
        slip.CommonY = slip.CommonXMax;
        slip.CommonXMax = slip.CommonXMin;
        slip.CommonXInc = 1.0f;
    }
    // The factors stay as stored, so they no longer match any named code.
    job.Factors.DesignCode = kCustomFactors;
    for (int item = 1; item <= job.SoilCount() + 1; ++item) {
        session.CurrentSoil = item;
        SortItemPoints(job, item);
    }
    session.CurrentSoil = 1;
    session.JobModified = true;
}

} // namespace clv
