#pragma once
// The system's Imaging Component, made on the calling thread, whose COM
// apartment the caller has entered. Absent before Vista unless installed.

#include "image/wic/ComRef.h"

#include <wincodec.h>

// Null when the component is not there.
ComRef<IWICImagingFactory> MakeWicFactory();
