#include "image/jpeg/JpegErrorManager.h"

namespace {

[[noreturn]] void JumpToRecoveryPoint(j_common_ptr codec)
{
    JpegErrorManager* errors = reinterpret_cast<JpegErrorManager*>(codec->err);
    std::longjmp(errors->recovery, 1);
}

} // namespace

jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& errors)
{
    jpeg_error_mgr* manager = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JumpToRecoveryPoint;
    return manager;
}
