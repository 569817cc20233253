#include "image/ImageFileImpl.h"

const std::string& CImageFileImpl::AdoptFileName(const std::string& name)
{
    if (!name.empty())
        fileName = name;
    return fileName;
}
