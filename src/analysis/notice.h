#pragma once

#include <functional>
#include <string>

namespace clv {

/**
 * Messages of the engine for the user (a limit reached, a solution that did not
 * converge). The GUI shows each in a message box, the command line prints it.
 * An empty callback drops them.
 */
using NoticeFn = std::function<void(const std::string& text)>;

inline void Notify(const NoticeFn& notice, const std::string& text)
{
    if (notice)
        notice(text);
}

} // namespace clv
