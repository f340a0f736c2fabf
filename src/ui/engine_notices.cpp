#include "ui/engine_notices.h"

#include "ui/interaction.h"

namespace clv::ui {

const char* const kEngineNoticeTitle = "Dalk Clivora";

NoticeFn NoticesAsMessages(Interaction* interaction)
{
    if (!interaction)
        return {};
    return [interaction](const std::string& text) {
        interaction->Message(QString::fromLatin1(kEngineNoticeTitle), QString::fromStdString(text),
                             Interaction::Icon::None, Interaction::Buttons::Ok);
    };
}

} // namespace clv::ui
