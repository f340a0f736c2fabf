#pragma once

// The Help menu: the user guide, the manual, the demonstrations page and the
// About box. The guide and the manual are installed beside the program; the
// manual's folder may be overridden by the "HelpFiles" setting of the
// "Directories" group (organisation "Dalk", application "Clivora"), looked up
// for the whole system first and then for the user.

#include <QString>
#include <QUrl>

namespace clv::ui {

class Interaction;

extern const char* const kManualFileName; // "Clivora.pdf"
extern const char* const kAboutTitle;

/** The folder of the program's own data files (guide/, Manual/, examples/), or empty when none is found. */
QString ProgramDataFolder();

/** The manual: the "HelpFiles" folder when set, else "Manual" beside the program or in the data folder. */
QString ManualPath();

/** The user guide's start page, or an empty URL when the guide is not installed. */
QUrl GuideStartPage();
/** The page of worked demonstrations (the example jobs). */
QUrl DemonstrationsPage();

/** The About text: program name and version. */
QString AboutText();

void ShowHelpContents(Interaction& interaction);
void OpenManual(Interaction& interaction);
void OpenDemonstrations(Interaction& interaction);
void ShowAbout(Interaction& interaction);

} // namespace clv::ui
