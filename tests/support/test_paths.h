#pragma once

#include <filesystem>
#include <string>

namespace clv::test {

/** The project's examples folder (examples/ of the source tree). */
std::filesystem::path ExamplesDir();

/** The published verification problems (the shared folder beside the checkout). */
std::filesystem::path VerificationDir();

/** A fresh, empty folder under the system temp folder, unique to this call. */
std::filesystem::path FreshTempDir(const std::string& tag);

} // namespace clv::test
