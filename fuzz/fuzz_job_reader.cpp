// Feeds arbitrary bytes to the job file reader. Whatever it accepts must write
// back as the very bytes it read (current layout), read again, and survive the
// upgrade of older files. Run, for example:
//   build-fuzz/fuzz/fuzz_job_reader -max_len=8192 -max_total_time=120 corpus/

#include "model/job_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort(); // libFuzzer keeps the input that broke the invariant
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace clv;
    const Bytes bytes(data, data + size);
    std::optional<DecodedJob> decoded = DecodeJobFile(bytes);
    if (!decoded)
        return 0;

    const bool oldLayout = decoded->StoredVersion < 2.0f;
    const std::optional<Bytes> again
        = EncodeJobFile(decoded->job, oldLayout ? ProgramVersion() : decoded->StoredVersion);
    Require(again.has_value());
    if (!oldLayout)
        Require(again->size() <= size && std::equal(again->begin(), again->end(), bytes.begin()));

    const std::optional<DecodedJob> reread = DecodeJobFile(*again);
    Require(reread.has_value());
    Require(EncodeJobFile(reread->job, ProgramVersion()) == EncodeJobFile(decoded->job, ProgramVersion()));

    if (oldLayout) {
        JobSession session;
        session.job = std::move(decoded->job);
        UpgradeOldJob(session);
        Require(EncodeJobFile(session.job, ProgramVersion()).has_value());
    }
    return 0;
}
