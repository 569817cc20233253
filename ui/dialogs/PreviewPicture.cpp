#include "ui/dialogs/PreviewPicture.h"

#include "image/DeclaredSize.h"
#include "image/jpeg/JpegPreview.h"

#include <algorithm>
#include <cstdint>

namespace {

PreviewPicture FullPicture(const std::string& path, int type)
{
    PreviewPicture picture;
    picture.image = std::make_unique<CImageObject>(path, type);
    picture.fileWidth = picture.image->GetWidth();
    picture.fileHeight = picture.image->GetHeight();
    // Refused: the size the file declares tells a picture too large from
    // one that cannot be read.
    if (!picture.Loaded()) {
        const auto declared = DeclaredPictureSize(path, type).value_or(std::pair<int64_t, int64_t>{0, 0});
        picture.fileWidth = static_cast<int>(std::min<int64_t>(declared.first, INT32_MAX));
        picture.fileHeight = static_cast<int>(std::min<int64_t>(declared.second, INT32_MAX));
    }
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
