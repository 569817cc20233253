#include "image/wic/WicOrientation.h"

#include "image/wic/ComRef.h"
#include "image/wic/WicFactory.h"

#include <propidl.h>

int WicFrameOrientation(IWICBitmapFrameDecode* frame)
{
    ComRef<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(reader.Out())))
        return 1;
    // A JPEG-like container's EXIF block, TIFF's own tag, then the
    // system's photo property, which newer systems map for every format.
    static const wchar_t* const kQueries[] = {L"/app1/ifd/{ushort=274}", L"/ifd/{ushort=274}",
                                              L"System.Photo.Orientation"};
    for (const wchar_t* query : kQueries) {
        PROPVARIANT value;
        PropVariantInit(&value);
        if (FAILED(reader->GetMetadataByName(query, &value)))
            continue;
        const int orientation = value.vt == VT_UI2 ? value.uiVal : 0;
        ClearPropVariant(value);
        if (orientation >= 1 && orientation <= 8)
            return orientation;
    }
    return 1;
}
