#pragma once

// The four most recently used job files of the File menu. Paths are kept and
// compared exactly as the file dialog gave them: on a case-sensitive file
// system "Slope.clv" and "slope.clv" are two files.

#include <QString>

#include <array>
#include <string>

namespace clv::ui {

using RecentList = std::array<std::string, 4>;

/** An opened file goes to the top; if it was already listed it moves there without a duplicate. */
void RecentAfterOpen(RecentList& recent, const std::string& path);

/** A file saved under a new name goes to the top; the others move down (no search for the same name). */
void RecentAfterSaveAs(RecentList& recent, const std::string& path);

/** Entry k (1..4) chosen from the menu: it moves to the top, entries 1..k-1 move down one place. */
void RecentAfterChoice(RecentList& recent, int k);

/** The menu caption of entry k: "k.  name", a name over 30 characters shortened to "..." + its last 27. */
QString RecentCaption(int k, const std::string& path);

} // namespace clv::ui
