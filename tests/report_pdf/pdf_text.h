#pragma once

// A report PDF read back as a person reads it: pdftotext's text of each page
// with runs of blanks made single, so a line reads "Circle radius 19.10 m".

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace clv::report::test {

/** Output of a shell command (empty when it cannot run). */
inline std::string CommandOutput(const std::string& command)
{
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

inline std::string SingleBlanks(const std::string& text)
{
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            blank = true;
            continue;
        }
        if (c == '\n') {
            blank = false;
            out += c;
            continue;
        }
        if (blank && !out.empty() && out.back() != '\n')
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

/** The pages of a PDF as text, one string per page (pdftotext separates pages by form feeds). */
inline std::vector<std::string> PdfPages(const std::filesystem::path& pdf)
{
    const std::string text = CommandOutput("pdftotext -layout '" + pdf.string() + "' - 2>/dev/null");
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t ff = text.find('\f'); ff != std::string::npos; ff = text.find('\f', start)) {
        pages.push_back(SingleBlanks(text.substr(start, ff - start)));
        start = ff + 1;
    }
    if (start < text.size() && text.find_first_not_of(" \n", start) != std::string::npos)
        pages.push_back(SingleBlanks(text.substr(start)));
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
    if (at == std::string::npos)
        return -1;
    return std::stoi(info.substr(at + 6));
}

/** Lines of the text that hold `needle`. */
inline int CountOf(const std::string& text, const std::string& needle)
{
    int n = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
        ++n;
    return n;
}

} // namespace clv::report::test
