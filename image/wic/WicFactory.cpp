#include "image/wic/WicFactory.h"

ComRef<IWICImagingFactory> MakeWicFactory()
{
    // The first version's class: the only one XP's redistributable has.
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.OutVoid())))
        factory.Reset();
    return factory;
}
