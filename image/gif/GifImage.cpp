#include "image/gif/GifImage.h"

#include "image/gif/GifParser.h"
#include "image/io/ByteReader.h"
#include "image/io/WholeFile.h"

namespace {

class PictureSink : public GifPictureSink {
  public:
    explicit PictureSink(CImageImpl& picture) : picture_(picture) {}

    PictureRows CreatePicture(int width, int height) override
    {
        PictureRows rows;
        if (!picture_.Create(width, height, 8, -1))
            return rows;
        rows.bits = picture_.GetBits();
        rows.rowStride = picture_.GetRowStride();
        rows.width = picture_.GetWidth();
        rows.height = picture_.GetHeight();
        return rows;
    }
    void SetPalette(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues) override
    {
        picture_.SetPalette(count, reds, greens, blues);
    }
    void SetTransparentIndex(int index) override { picture_.SetTransparentIndex(index); }
    bool StartHelper(CWorker& helper, std::function<void()> work) override
    {
        return HasSecondProcessor() && helper.Start(std::move(work));
    }

  private:
    CImageImpl& picture_;
};

} // namespace

int CGifImage::Load(const std::string& name)
{
    const std::string& path = AdoptFileName(name);
    WholeFile file;
    if (!file.Open(path))
        return 0;
    ByteReader reader(file.Data(), file.Size());
    PictureSink sink(*this);
    return ReadGif(reader, sink) == GifReadResult::Read ? 1 : 0;
}
