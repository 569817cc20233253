// The native builds have no Imaging Component: only the formats known by
// name are WIC pictures there.
#include "image/SystemDecoders.h"

bool SystemDecodesExtension(const std::string&)
{
    return false;
}
