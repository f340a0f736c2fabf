#pragma once

#include <QIcon>

namespace clv::ui {

/** The program's icon: a slope with a slip circle, drawn at the sizes the desktop asks for. */
QIcon AppIcon();

} // namespace clv::ui
