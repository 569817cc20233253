#pragma once
// Pictures of the screen at the journey's moments, for a person to look at:
// taken only when TESSALY_E2E_SCREENSHOTS names a folder, as
// <folder>\<language>-<moment>.bmp.

namespace e2e {

void TakeScreenshot(const char* moment);

} // namespace e2e
