#pragma once

// The bundled example jobs, opened as the program opens them, with the derived
// data every analysis needs.

#include "analysis/reinforcement.h"
#include "ground/section_table.h"
#include "model/job_file.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace clv::bench {

struct Example {
    Job job;
    SectionTable table;
    LayerList layers;
};

inline Example LoadExample(const std::string& name)
{
    JobSession session;
    const std::string path = std::string(CLIVORA_SOURCE_DIR) + "/examples/" + name + ".clv";
    if (const auto error = OpenJob(session, path)) {
        std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), error->c_str());
        std::exit(1);
    }
    Example e{session.job, {}, {}};
    e.table = BuildSectionTable(e.job);
    e.layers = BuildReinforcementLayers(e.job, e.table);
    return e;
}

} // namespace clv::bench
