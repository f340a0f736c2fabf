#pragma once

// The results of the analyses as clivora-cli gives them: one JSON object per
// analysis (the keys are a promise to scripts) and the same results as text for
// people. Each analysis has its own pair of functions; the analyse command puts
// their objects side by side under the file ("circles", and in time "defined"
// and "wedges").

#include "analysis/circle_search.h"
#include "analysis/defined_surface.h"
#include "analysis/wedges.h"
#include "model/job.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clv::cli {

/** The method's word on the command line and in JSON: fellenius, bishop, bs8006, janbu, rigorous. */
const char* MethodKey(Integer method);

/** The method code of a word of MethodKey; nothing for any other word. */
std::optional<Integer> MethodFromKey(std::string_view key);

/** The report line naming the method ("Method of analysis used is ..."). */
const char* MethodLabel(Integer method);

/**
 * A single-precision result as a JSON number: the shortest decimal that reads
 * back as the same float (1.234f gives 1.234, not 1.2339999675750732). Not a
 * number and infinity give null.
 */
nlohmann::json JsonNumber(float value);

/** Messages of the engine collected during one analysis, in order. */
using NoticeLog = std::vector<std::string>;

/**
 * The "circles" object: the critical circle of a search, its sums and slices,
 * the slip counts, the final grid and the notices of the search.
 */
nlohmann::json CirclesJson(const Job& job, const CircleSearchResult& search, const NoticeLog& notices);

/**
 * Every trial circle of a search in slip order, each as centre_x, centre_y,
 * radius, stability_factor and lambda, for plotting the factor over the grid.
 */
nlohmann::json AllSlipsJson(const CircleSearchResult& search);

/** The same results as text. */
void PrintCircles(std::ostream& out, const Job& job, const CircleSearchResult& search, const NoticeLog& notices);

/** The "defined" object: the defined surface's factor ("N/A" when not available), its forces and slices. */
nlohmann::json DefinedJson(const DefinedSurfaceResult& defined);

/** The same results as text. */
void PrintDefined(std::ostream& out, const DefinedSurfaceResult& defined, const NoticeLog& notices);

/** The "wedges" object: the critical wedge of the search (null when no wedge was kept) and the wedge count. */
nlohmann::json WedgesJson(const WedgeSearchResult& wedges);

/** The same results as text. */
void PrintWedges(std::ostream& out, const Job& job, const WedgeSearchResult& wedges, const NoticeLog& notices);

} // namespace clv::cli
