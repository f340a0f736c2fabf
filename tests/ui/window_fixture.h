#pragma once

// A main window started as the program starts it, in fresh settings and
// documents folders, with its dialogs answered by a script.

#include "model/job_file.h"
#include "scripted_interaction.h"
#include "support/test_paths.h"
#include "ui/clv_main.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace clv::ui::test {

class WindowTest : public ::testing::Test {
protected:
    std::filesystem::path dir = clv::test::FreshTempDir("ui");
    AppFolders folders{dir / "Settings", dir / "Documents"};
    ScriptedInteraction io;
    std::unique_ptr<ClvMain> window;

    /** Starts the window; the first-use message of the settings file is answered and forgotten. */
    ClvMain& Start(std::optional<QString> commandLineJob = std::nullopt)
    {
        ClvMainOptions options;
        options.folders = folders, options.interaction = &io, options.commandLineJob = std::move(commandLineJob);
        window = std::make_unique<ClvMain>(options);
        io.messages.clear();
        return *window;
    }

    JobSession& Session() { return window->Session(); }
    MainContext& Ctx() { return window->Context(); }

    /** An edit as a page makes it: snapshot, change, refresh. */
    template <class Change> void Edit(Change change)
    {
        Ctx().BeginEdit();
        change(Session().job);
        Ctx().EndEdit();
    }

    /** A soil with `points` surface points rising 1 m in every 5 m. */
    static SoilRecord Soil(const char* name, int points, float density = 19.0f)
    {
        SoilRecord soil;
        soil.Description = std::string_view(name), soil.Density = density, soil.Phi = 30.0f, soil.Cohesion = 5.0f;
        soil.PointCount = static_cast<Integer>(points);
        for (int j = 1; j <= points; ++j) {
            soil.X[static_cast<std::size_t>(j)] = 5.0f * static_cast<float>(j - 1);
            soil.Y[static_cast<std::size_t>(j)] = static_cast<float>(j - 1);
        }
        return soil;
    }

    /** The bytes a job file of `job` holds, for exact comparisons. */
    static Bytes BytesOf(const Job& job) { return *EncodeJobFile(job, job.Header.FileVersion); }

    static Bytes FileBytes(const std::filesystem::path& path) { return ReadFileBytes(path.string()).value_or(Bytes{}); }

    /** Copies a bundled example to `to` (a name of the test's own choosing). */
    std::filesystem::path CopyExample(const char* example, const std::filesystem::path& to)
    {
        std::filesystem::create_directories(to.parent_path());
        std::filesystem::copy_file(clv::test::ExamplesDir() / example, to,
                                   std::filesystem::copy_options::overwrite_existing);
        return to;
    }

    static QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }
};

} // namespace clv::ui::test
