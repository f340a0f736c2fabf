#pragma once

// A main window started as the program starts it, in fresh settings and
// documents folders, with its dialogs answered by a script.

#include "scripted_interaction.h"
#include "support/test_paths.h"
#include "ui/clv_main.h"

#include <gtest/gtest.h>

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
        options.folders = folders;
        options.interaction = &io;
        options.commandLineJob = std::move(commandLineJob);
        window = std::make_unique<ClvMain>(options);
        io.messages.clear();
        return *window;
    }

    JobSession& Session() { return window->Session(); }
};

} // namespace clv::ui::test
