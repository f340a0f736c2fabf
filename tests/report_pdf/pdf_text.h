#pragma once

// A report PDF read back as a person reads it: pdftotext's text of each page
// with runs of blanks made single, so a line reads "Circle radius 19.10 m".

#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace clv::report::test {

/** Output of a shell command (empty when it cannot run). */
inline std::string CommandOutput(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n = 0; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

/** Blanks between words made one space, and none at either end of a line. */
inline std::string SingleBlanks(const std::string& text)
{
    std::string out = std::regex_replace(std::regex_replace(text, std::regex("[ \t]+"), " "), std::regex(" ?\n ?"), "\n");
    if (out.starts_with(' '))
        out.erase(0, 1);
    if (out.ends_with(' '))
        out.pop_back();
    return out;
}

/** The pages of a PDF as text, one string per page (pdftotext ends each page with a form feed). */
inline std::vector<std::string> PdfPages(const std::filesystem::path& pdf)
{
    const std::string text = CommandOutput("pdftotext -layout '" + pdf.string() + "' - 2>/dev/null");
    std::istringstream in(text);
    std::vector<std::string> pages;
    for (std::string page; std::getline(in, page, '\f');)
        pages.push_back(SingleBlanks(page));
    // What follows the last form feed is a page only when it holds text.
    if (!text.ends_with('\f') && !pages.empty() && pages.back().find_first_not_of('\n') == std::string::npos)
        pages.pop_back();
    return pages;
}

/** Pages' texts one after the other. */
inline std::string JoinedPages(const std::vector<std::string>& pages)
{
    std::string all;
    for (const std::string& page : pages)
        all += page;
    return all;
}

/** The whole text of a PDF, its pages one after the other. */
inline std::string PdfText(const std::filesystem::path& pdf) { return JoinedPages(PdfPages(pdf)); }

/** The page count pdfinfo reads from the file, -1 when it cannot. */
inline int PdfPageCount(const std::filesystem::path& pdf)
{
    const std::string info = CommandOutput("pdfinfo '" + pdf.string() + "' 2>/dev/null");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

/** How often `needle` occurs in the text. */
inline int CountOf(const std::string& text, const std::string& needle)
{
    int n = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
        ++n;
    return n;
}

} // namespace clv::report::test
