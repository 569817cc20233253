#include "image/jpeg/JpegErrorManager.h"

#include "framework/Worker.h"

#include <jerror.h>

namespace {

JpegErrorManager& ManagerOf(j_common_ptr codec)
{
    return *reinterpret_cast<JpegErrorManager*>(codec->err);
}

[[noreturn]] void JumpToRecoveryPoint(j_common_ptr codec)
{
    std::longjmp(ManagerOf(codec).recovery, 1);
}

void NoteMessage(j_common_ptr codec, int level)
{
    if (level == -1 && codec->err->msg_code == JWRN_JPEG_EOF)
        ManagerOf(codec).endedEarly = true;
}

void LeaveWhenStopped(j_common_ptr codec)
{
    if (StopRequested())
        JumpToRecoveryPoint(codec);
}

} // namespace

jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& errors)
{
    jpeg_error_mgr* manager = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JumpToRecoveryPoint;
    errors.pub.emit_message = NoteMessage;
    errors.endedEarly = false;
    return manager;
}

void WatchForStop(jpeg_decompress_struct& decoder)
{
    JpegErrorManager& errors = ManagerOf(reinterpret_cast<j_common_ptr>(&decoder));
    errors.progress = {};
    errors.progress.progress_monitor = LeaveWhenStopped;
    decoder.progress = &errors.progress;
}
