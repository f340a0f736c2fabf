#include "cli_io.h"

#include "job_json.h"
#include "model/format.h"
#include "model/job_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace clv::cli {

std::string Fixed(double value, int decimals)
{
    return Format(value, decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0");
}

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kMaxTextFile = 256u << 20;

/** Why a path cannot be read at all, or nothing when it can be opened. */
std::optional<std::string> OpenProblem(const std::string& path)
{
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return "no such file";
    if (status.type() == fs::file_type::directory)
        return "is a folder, not a file";
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::string("cannot be opened (") + std::strerror(errno) + ")";
    return std::nullopt;
}

std::optional<LoadedJob> LoadBinary(const std::string& path, std::string& error)
{
    std::optional<DecodedJob> decoded = ReadJobFileAsStored(path, error);
    if (!decoded)
        return std::nullopt;
    // The job itself is taken as the program opens it: version stamped, older files upgraded.
    const Single storedVersion = decoded->StoredVersion;
    JobSession session;
    AdoptOpenedJob(session, std::move(*decoded), path);
    return LoadedJob{std::move(session.job), storedVersion};
}

std::optional<LoadedJob> LoadJson(const std::string& path, std::string& error)
{
    const std::optional<std::string> text = ReadTextFile(path, error);
    if (!text)
        return std::nullopt;
    std::string problem;
    std::optional<JsonJob> parsed = JobFromJson(*text, problem);
    if (!parsed) {
        error = path + ": " + problem;
        return std::nullopt;
    }
    parsed->job.Header.FileVersion = ProgramVersion(); // as if the converted file had been opened
    return LoadedJob{std::move(parsed->job), parsed->StoredVersion};
}

std::string FolderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

} // namespace

bool HasExtension(const std::string& path, std::string_view extension)
{
    if (path.size() < extension.size())
        return false;
    return std::equal(extension.begin(), extension.end(), path.end() - static_cast<std::ptrdiff_t>(extension.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool TakeJobArgument(const std::string& arg, std::string& job, std::string& error)
{
    if (arg.size() > 1 && arg[0] == '-') {
        error = "unknown option '" + arg + "'";
        return false;
    }
    if (!job.empty()) {
        error = "one job file at a time ('" + job + "' and '" + arg + "')";
        return false;
    }
    job = arg;
    return true;
}

bool CheckJobAndOutput(const std::string& job, const std::string& output, const std::string& what,
                       const std::string& usage, std::initializer_list<std::string_view> extensions,
                       std::string& error)
{
    if (job.empty()) {
        error = "no job file given";
        return false;
    }
    if (output.empty()) {
        error = "no " + what + " file given (" + usage + ")";
        return false;
    }
    for (std::string_view extension : extensions)
        if (HasExtension(output, extension))
            return true;
    std::string names;
    for (std::string_view extension : extensions)
        names += (names.empty() ? "" : " or ") + std::string(extension);
    error = "the " + what + " file must end in " + names + ": '" + output + "'";
    return false;
}

bool IsJsonPath(const std::string& path)
{
    return HasExtension(path, ".json");
}

bool IsClvPath(const std::string& path)
{
    return HasExtension(path, ".clv");
}

std::optional<LoadedJob> LoadJobFile(const std::string& path, std::string& error)
{
    return IsJsonPath(path) ? LoadJson(path, error) : LoadBinary(path, error);
}

std::optional<DecodedJob> ReadJobFileAsStored(const std::string& path, std::string& error)
{
    if (auto problem = OpenProblem(path)) {
        error = path + ": " + *problem;
        return std::nullopt;
    }
    const std::optional<Bytes> bytes = ReadFileBytes(path);
    if (!bytes) {
        error = path + ": cannot be read as a job file (not a regular file, or larger than any job file)";
        return std::nullopt;
    }
    std::optional<DecodedJob> decoded = DecodeJobFile(*bytes);
    if (!decoded)
        error = path + ": not a complete job file (too short, or its counts do not match its contents)";
    return decoded;
}

std::optional<Job> LoadJobForCli(const std::string& path, std::string& error)
{
    std::optional<LoadedJob> loaded = LoadJobFile(path, error);
    if (!loaded)
        return std::nullopt;
    return std::move(loaded->job);
}

std::optional<std::string> ReadTextFile(const std::string& path, std::string& error)
{
    if (auto problem = OpenProblem(path)) {
        error = path + ": " + *problem;
        return std::nullopt;
    }
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > kMaxTextFile) {
        error = path + ": not a regular file of at most 256 MB";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        error = path + ": cannot be read";
        return std::nullopt;
    }
    return text.str();
}

bool WriteFileReplacing(const std::string& path, std::string_view data, std::string& error)
{
    const std::string folder = FolderOf(path);
    std::string pattern = folder + "/.clivora-cli-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = path + ": cannot be written (" + std::strerror(errno) + ")";
        return false;
    }
    const std::string temporary(name.data());
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<std::size_t>(n);
    }
    int savedErrno = ok ? 0 : errno;
    // mkstemp makes the file private: a replaced file keeps its permissions, a new one is an ordinary document.
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = path + ": cannot be written (" + std::strerror(savedErrno) + ")";
    }
    return ok;
}

} // namespace clv::cli
