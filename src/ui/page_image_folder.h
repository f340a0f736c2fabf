#pragma once

// The page pictures of the print previews, "image01.bmp", "image02.bmp"...,
// kept in a folder of this running program's own under the settings folder:
// two programs running at once would otherwise overwrite, and at exit delete,
// each other's pages. The folder goes when the program closes.

#include <QImage>

#include <filesystem>
#include <memory>

class QTemporaryDir;

namespace clv::ui {

class PageImageFolder {
public:
    explicit PageImageFolder(std::filesystem::path settingsFolder);
    ~PageImageFolder();

    /** The file of page n (1-based): "image" & Format(n, "00") & ".bmp" in this program's folder. */
    std::filesystem::path PageFile(int n);
    /** Saves the picture of page n; false when it could not be written. */
    bool Save(int n, const QImage& page);
    /** The picture of page n as saved; a null image when there is none. */
    QImage Load(int n);

    /** This program's folder (made on first use); empty when it cannot be made. */
    std::filesystem::path Folder();
    /** Deletes the folder with every page in it. */
    void Remove();

private:
    std::filesystem::path settingsFolder_;
    std::unique_ptr<QTemporaryDir> folder_;
};

} // namespace clv::ui
