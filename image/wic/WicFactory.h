#pragma once
// The system's Imaging Component, made on the calling thread inside a COM
// apartment of its own. Absent before Vista unless installed.
//
// The COM calls are found in ole32.dll when a picture first needs them
// rather than imported: an import would load ole32 and what it loads into
// every process that links the image library, megabytes of working set that
// the JPEG, PNG and GIF conversions never use.

#include "image/wic/ComRef.h"

#include <wincodec.h>

// Enters a single-threaded apartment for its lifetime (the conversion runs
// on a worker thread, the listing on any thread) and leaves it again.
class WicApartment {
  public:
    WicApartment();
    ~WicApartment();
    WicApartment(const WicApartment&) = delete;
    WicApartment& operator=(const WicApartment&) = delete;

  private:
    bool m_entered = false;
};

// Null when the component is not there; inside a WicApartment.
ComRef<IWICImagingFactory> MakeWicFactory();

// PropVariantClear, found as the calls above are.
void ClearPropVariant(PROPVARIANT& value);
