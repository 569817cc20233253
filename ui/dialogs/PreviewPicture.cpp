#include "ui/dialogs/PreviewPicture.h"

#include "image/jpeg/JpegPreview.h"

namespace {

PreviewPicture FullPicture(const std::string& path, int type)
{
    PreviewPicture picture;
    picture.image = std::make_unique<CImageObject>(path, type);
    picture.fileWidth = picture.image->GetWidth();
    picture.fileHeight = picture.image->GetHeight();
    return picture;
}

} // namespace

PreviewPicture LoadPreviewPicture(const std::string& path, int type, int coverWidth, int coverHeight)
{
    if (type != JPG)
        return FullPicture(path, type);
    PreviewPicture picture;
    picture.image = std::make_unique<CImageObject>();
    const JpegPreview preview = LoadJpegPreview(path, coverWidth, coverHeight, *picture.image);
    picture.fileWidth = preview.fileWidth;
    picture.fileHeight = preview.fileHeight;
    return picture;
}
