// clivora-cli convert IN OUT: between the job file and its JSON form, chosen by
// the extensions. A current job file converts both ways without losing a byte.

#include "cli_io.h"
#include "commands.h"
#include "job_json.h"

#include <ostream>

namespace clv::cli {

namespace {

int Failed(std::ostream& err, const std::string& message)
{
    err << "clivora-cli: " << message << "\n";
    return kExitError;
}

} // namespace

int RunConvert(const Args& args, std::ostream& /*out*/, std::ostream& err)
{
    if (args.size() != 2 || args[0].empty() || args[1].empty() || args[0][0] == '-' || args[1][0] == '-') {
        PrintUsage(err);
        return kExitError;
    }
    const std::string& inPath = args[0];
    const std::string& outPath = args[1];
    if (!IsJsonPath(outPath) && !IsClvPath(outPath))
        return Failed(err, outPath + ": unknown output type (the name must end in .clv or .json)");

    std::string error;
    JsonJob converted;
    if (IsJsonPath(inPath)) {
        std::optional<std::string> text = ReadTextFile(inPath, error);
        if (!text)
            return Failed(err, error);
        std::optional<JsonJob> parsed = JobFromJson(*text, error);
        if (!parsed)
            return Failed(err, inPath + ": " + error);
        converted = std::move(*parsed);
    } else {
        std::optional<DecodedJob> decoded = ReadJobFileAsStored(inPath, error);
        if (!decoded)
            return Failed(err, error);
        if (decoded->StoredVersion < 2.0f) {
            // The older layout cannot be written again: the file is opened and upgraded as the
            // program would, and converts as a current job.
            std::optional<LoadedJob> opened = LoadJobFile(inPath, error);
            if (!opened)
                return Failed(err, error);
            err << "clivora-cli: note: " << inPath << " was written by a version before 2.0;"
                << " it is converted as upgraded on opening\n";
            converted = JsonJob{std::move(opened->job), ProgramVersion()};
        } else {
            converted = JsonJob{std::move(decoded->job), decoded->StoredVersion};
        }
    }

    std::string data;
    if (IsJsonPath(outPath)) {
        data = JobToJson(converted.job, converted.StoredVersion);
    } else {
        std::optional<Bytes> bytes = EncodeJobFile(converted.job, converted.StoredVersion);
        if (!bytes)
            return Failed(err, outPath + ": the job does not fit a job file (a count beyond its limit)");
        data.assign(bytes->begin(), bytes->end());
    }
    if (!WriteFileReplacing(outPath, data, error))
        return Failed(err, error);
    return kExitOk;
}

} // namespace clv::cli
