// clivora-cli render JOB -o PICTURE.png|.pdf [--tab T] [--width PX --height PX] [--factors]:
// the section as the program draws it on a tab (the tab's analysis included),
// through the program's own section painter, without a display. Built only
// when Qt is available; the picture is written whole or not at all.

#include "cli_io.h"
#include "commands.h"

#include "drawing/analysed_section.h"
#include "drawing/section_export.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <ostream>

namespace clv::cli {

namespace {

constexpr int kDefaultWidth = 1200;
constexpr int kDefaultHeight = 800;
constexpr int kMinSide = 16;
constexpr int kMaxSide = 8000; // 8000 x 8000 pixels is 256 MB of image

struct RenderOptions {
    std::string job;
    std::string output;
    int tab = drawing::kTabGeometry;
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    bool factors = false;
};

std::optional<int> TabFromKey(const std::string& key)
{
    if (key == "geometry")
        return drawing::kTabGeometry;
    if (key == "circles")
        return drawing::kTabSlipCircles;
    if (key == "defined")
        return drawing::kTabDefinedSurface;
    if (key == "wedges")
        return drawing::kTabWedges;
    return std::nullopt;
}

std::optional<int> ParseSide(const std::string& text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < kMinSide || value > kMaxSide)
        return std::nullopt;
    return value;
}

std::optional<RenderOptions> ParseOptions(const Args& args, std::string& error)
{
    RenderOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* what) -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                error = arg + " needs " + what;
                return std::nullopt;
            }
            return args[++i];
        };
        if (arg == "-o" || arg == "--output") {
            const auto v = value("the picture file to write");
            if (!v)
                return std::nullopt;
            options.output = *v;
        } else if (arg == "--tab") {
            const auto v = value("one of geometry, circles, defined, wedges");
            if (!v)
                return std::nullopt;
            const auto tab = TabFromKey(*v);
            if (!tab) {
                error = "unknown tab '" + *v + "' (geometry, circles, defined or wedges)";
                return std::nullopt;
            }
            options.tab = *tab;
        } else if (arg == "--width" || arg == "--height") {
            const auto v = value("a size in pixels");
            if (!v)
                return std::nullopt;
            const auto side = ParseSide(*v);
            if (!side) {
                error = arg + " must be a whole number of pixels from " + std::to_string(kMinSide) + " to "
                        + std::to_string(kMaxSide) + ", not '" + *v + "'";
                return std::nullopt;
            }
            (arg == "--width" ? options.width : options.height) = *side;
        } else if (arg == "--factors") {
            options.factors = true;
        } else if (!TakeJobArgument(arg, options.job, error)) {
            return std::nullopt;
        }
    }
    if (!CheckJobAndOutput(options.job, options.output, "picture", "-o PICTURE.png or PICTURE.pdf", {".png", ".pdf"},
                           error))
        return std::nullopt;
    return options;
}

} // namespace

int RunRender(const Args& args, std::ostream& out, std::ostream& err)
{
    (void)out;
    std::string error;
    const std::optional<RenderOptions> options = ParseOptions(args, error);
    if (!options) {
        err << "clivora-cli render: " << error << "\n";
        return kExitError;
    }
    std::optional<Job> job = LoadJobForCli(options->job, error);
    if (!job) {
        err << "clivora-cli: " << error << "\n";
        return kExitError;
    }

    const drawing::AnalysedSection section = drawing::AnalyseForTab(std::move(*job), options->tab);
    for (const std::string& notice : section.notices)
        err << "clivora-cli render: " << options->job << ": " << notice << "\n";

    drawing::View view; // fitted to the job's extents, as a newly opened job is
    const drawing::SectionScene scene = section.Scene(options->factors);
    const QByteArray bytes = HasExtension(options->output, ".pdf")
                                 ? drawing::RenderSectionPdf(scene, view, options->width, options->height)
                                 : drawing::RenderSectionPng(scene, view, options->width, options->height);
    if (bytes.isEmpty()) {
        err << "clivora-cli render: " << options->output << ": the picture could not be drawn\n";
        return kExitError;
    }
    if (!WriteFileReplacing(options->output, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                            error)) {
        err << "clivora-cli: " << error << "\n";
        return kExitError;
    }
    return kExitOk;
}

} // namespace clv::cli
