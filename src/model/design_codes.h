#pragma once

// The design codes of the partial factors tab: what each code is called and the
// eight factors it sets. Choosing a code writes its factors into the job; the
// custom choice keeps whatever factors the job holds so the user can edit them.

#include "model/job.h"

#include <array>
#include <optional>

namespace clv {

constexpr int kDesignCodeCount = 6;   // codes 0..5, 5 being the custom values
constexpr int kPartialFactorCount = 8;

using FactorSet = std::array<Single, kPartialFactorCount>; // in PartialFactors field order

/** The caption of a code's option button on the tab. Empty for an unknown code. */
const char* DesignCodeCaption(int code);

/** The code's name in the input report. Empty for an unknown code. */
const char* DesignCodeReportName(int code);

/** The eight factors a code sets (fn, ffs, fq, fms tan phi, fms c, fm, fs, fp); nothing for custom or unknown codes. */
std::optional<FactorSet> DesignCodeFactors(int code);

/** Partial factor `index` (0..7) in PartialFactors field order. */
Single& PartialFactor(PartialFactors& factors, int index);
Single PartialFactor(const PartialFactors& factors, int index);

/**
 * The user chose code `code` (0..5): the code is stored and, for 0..4, its eight
 * factors written; custom keeps the factors of the code chosen before.
 */
void ApplyDesignCode(PartialFactors& factors, int code);

} // namespace clv
