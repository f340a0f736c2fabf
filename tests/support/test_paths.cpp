#include "support/test_paths.h"

#include <atomic>
#include <unistd.h>

namespace clv::test {

std::filesystem::path ExamplesDir()
{
    return std::filesystem::path(CLIVORA_SOURCE_DIR) / "examples";
}

std::filesystem::path VerificationDir()
{
    return std::filesystem::path(CLIVORA_SHARED_DIR) / "verification";
}

std::filesystem::path FreshTempDir(const std::string& tag)
{
    static std::atomic<int> counter{0};
    auto dir = std::filesystem::temp_directory_path()
        / ("clivora-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace clv::test
