#include "analysis/slip.h"

#include "model/format.h"

namespace clv {

std::string FactorText(float factor, const char* invalidText)
{
    if (factor == kInvalidFactor)
        return invalidText;
    if (factor > 100.0f)
        return ">100";
    return Format(factor, "0.00");
}

} // namespace clv
