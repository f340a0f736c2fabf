#pragma once

// The engine's messages for the user (the slip limit, a rigorous solution that
// did not settle, too many layers) shown as the program's message boxes.

#include "analysis/notice.h"

namespace clv::ui {

class Interaction;

/** Title of the engine's message boxes (they carry the program's name, an OK button and no icon). */
extern const char* const kEngineNoticeTitle;

/** A notice callback that shows each message in a modal box through `interaction` (none: dropped). */
NoticeFn NoticesAsMessages(Interaction* interaction);

} // namespace clv::ui
