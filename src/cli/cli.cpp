#include "commands.h"

#include <ostream>

namespace clv::cli {

void PrintUsage(std::ostream& err)
{
    err << "usage: clivora-cli <command> [options] FILE...\n"
           "       clivora-cli --version\n"
           "\n"
           "commands:\n"
           "  info JOB              summary of a job (JOB.clv, or its JSON form JOB.json)\n"
           "  convert IN OUT        convert between .clv and .json (by extension), without loss\n"
           "  analyse [--method fellenius|bishop|bs8006|janbu|rigorous] [--circles] [--defined] [--wedges]\n"
           "          [--json [--all-slips]] JOB.clv...\n"
           "                        run the slip circle search, the defined surface and the wedge search\n"
           "                        (by default those that apply to the job) and print their results;\n"
           "                        --all-slips adds every trial circle to the JSON\n"
#ifdef CLIVORA_CLI_RENDER
           "  render JOB -o PICTURE.png|PICTURE.pdf [--tab geometry|circles|defined|wedges]\n"
           "         [--width PX --height PX] [--factors]\n"
           "                        draw the section as the program shows it on that tab (its analysis\n"
           "                        included; --factors writes the factor of every grid centre)\n"
#endif
#ifdef CLIVORA_CLI_REPORT
           "  report JOB -o REPORT.pdf [--sections 10,11,...]\n"
           "                        the printed report as a PDF, the analyses it needs included; the\n"
           "                        sections are the print options (10-14 input data, 20-25 slip circles,\n"
           "                        30-34 defined surface, 40-44 wedges), by default the job's own\n"
#endif
        ;
}

int RunCli(const Args& argv, std::ostream& out, std::ostream& err)
{
    if (argv.size() < 2) {
        PrintUsage(err);
        return kExitError;
    }
    const std::string& command = argv[1];
    const Args rest(argv.begin() + 2, argv.end());
    if (command == "info")
        return RunInfo(rest, out, err);
    if (command == "convert")
        return RunConvert(rest, out, err);
    if (command == "analyse" || command == "analyze")
        return RunAnalyse(rest, out, err);
    if (command == "render") {
#ifdef CLIVORA_CLI_RENDER
        return RunRender(rest, out, err);
#else
        err << "clivora-cli: render needs the drawing, and this clivora-cli was built without Qt\n";
        return kExitError;
#endif
    }
    if (command == "--version") {
        out << "clivora-cli (Clivora) " << CLIVORA_VERSION_MAJOR << "." << CLIVORA_VERSION_MINOR << "\n";
        return kExitOk;
    }
    if (command == "report") {
#ifdef CLIVORA_CLI_REPORT
        return RunReport(rest, out, err);
#else
        err << "clivora-cli: report needs the page engine, and this clivora-cli was built without Qt\n";
        return kExitError;
#endif
    }
    if (command == "--help" || command == "-h" || command == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    err << "clivora-cli: unknown command '" << command << "'\n";
    PrintUsage(err);
    return kExitError;
}

} // namespace clv::cli
