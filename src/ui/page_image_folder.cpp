#include "ui/page_image_folder.h"

#include <QString>
#include <QTemporaryDir>

namespace clv::ui {

PageImageFolder::PageImageFolder(std::filesystem::path settingsFolder) : settingsFolder_(std::move(settingsFolder)) {}

PageImageFolder::~PageImageFolder() = default; // the folder removes itself with its pages

std::filesystem::path PageImageFolder::Folder()
{
    if (!folder_) {
        std::error_code ec;
        std::filesystem::create_directories(settingsFolder_, ec);
        const QString pattern = QString::fromStdString((settingsFolder_ / "pages-XXXXXX").string());
        folder_ = std::make_unique<QTemporaryDir>(pattern);
        if (!folder_->isValid()) {
            folder_.reset();
            return {};
        }
    }
    return std::filesystem::path(folder_->path().toStdString());
}

std::filesystem::path PageImageFolder::PageFile(int n)
{
    const std::filesystem::path folder = Folder();
    if (folder.empty())
        return {};
    return folder / QString("image%1.bmp").arg(n, 2, 10, QChar('0')).toStdString();
}

bool PageImageFolder::Save(int n, const QImage& page)
{
    const std::filesystem::path file = PageFile(n);
    return !file.empty() && page.save(QString::fromStdString(file.string()), "BMP");
}

QImage PageImageFolder::Load(int n)
{
    if (!folder_)
        return {};
    return QImage(QString::fromStdString(PageFile(n).string()), "BMP");
}

void PageImageFolder::Remove()
{
    folder_.reset();
}

} // namespace clv::ui
