#include "analysis/slip.h"

#include <cstdio>

namespace clv {

std::string FactorText(float factor, const char* invalidText)
{
    if (factor == kInvalidFactor)
        return invalidText;
    if (factor > 100.0f)
        return ">100";
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(factor));
    return text;
}

} // namespace clv
