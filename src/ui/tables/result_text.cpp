#include "ui/tables/result_text.h"

#include "model/format.h"
#include "model/job.h"

#include <cmath>

namespace clv::ui {

QString NumberText(float value, std::string_view pattern)
{
    if (!std::isfinite(value))
        return QStringLiteral("N/A");
    return QString::fromStdString(Format(value, pattern));
}

bool IsInvalidFactor(float factor)
{
    return factor == kInvalidFactor || !std::isfinite(factor);
}

QString FactorDisplay(float factor, const char* invalidText)
{
    if (IsInvalidFactor(factor))
        return QString::fromLatin1(invalidText);
    if (factor > 100.0f)
        return QStringLiteral(">100");
    return QString::fromStdString(Format(factor, "####0.00"));
}

} // namespace clv::ui
