#include "image/heif/HeifImage.h"

#include "image/ImageFileType.h"
#include "image/MissingDecoders.h"
#include "image/heif/HeifLibrary.h"

int CHeifImage::Load(const std::string& name)
{
    const std::string path = AdoptFileName(name);
    if (!HeifLibrary::Get().Loaded()) {
        NoteMissingDecoder(PictureFormatName(path));
        return 0;
    }
    return 0;
}
