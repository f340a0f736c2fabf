#include "ui/recent_files.h"

namespace clv::ui {

namespace {

/** Entries 1..k-1 move down one place, overwriting entry k, and `path` becomes entry 1. */
void MoveToTop(RecentList& recent, std::size_t k, const std::string& path)
{
    for (std::size_t i = k - 1; i >= 1; --i)
        recent[i] = recent[i - 1];
    recent[0] = path;
}

} // namespace

void RecentAfterOpen(RecentList& recent, const std::string& path)
{
    std::size_t k = recent.size();
    for (std::size_t i = 0; i < recent.size(); ++i) {
        if (recent[i] == path) {
            k = i + 1;
            break;
        }
    }
    MoveToTop(recent, k, path);
}

void RecentAfterSaveAs(RecentList& recent, const std::string& path)
{
    MoveToTop(recent, recent.size(), path);
}

void RecentAfterChoice(RecentList& recent, int k)
{
    if (k < 1 || k > static_cast<int>(recent.size()))
        return;
    const std::string chosen = recent[static_cast<std::size_t>(k - 1)];
    MoveToTop(recent, static_cast<std::size_t>(k), chosen);
}

QString RecentCaption(int k, const std::string& path)
{
    // Lengths count characters as the user sees them, not UTF-8 bytes.
    QString name = QString::fromStdString(path);
    if (name.size() > 30)
        name = "..." + name.right(27);
    // The menu reads "&" as the mark of an access key; a file name's own "&" must show as itself.
    name.replace("&", "&&");
    return QString::number(k) + ".  " + name;
}

} // namespace clv::ui
