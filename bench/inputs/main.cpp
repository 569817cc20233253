// bench_inputs FOLDER: writes the benchmark's input pictures into FOLDER:
// photo.jpg and photo-ink.jpg (6000 × 4000) and, of the same scene at 4000 × 3000, photo.gif,
// photo-rgb.png, photo-rgba.png and photo.bmp; and the scene at dusk with a
// small sensor's grain as noisy.jpg, noisy-ink.jpg, noisy-rgb.png and
// noisy-rgba.png, at the same sizes.
#include "inputs/InputWriters.h"
#include "inputs/PhotoPicture.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_inputs FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\";
    const PhotoPicture large(6000, 4000);
    const PhotoPicture medium(4000, 3000);
    const PhotoPicture noisyLarge(6000, 4000, PhotoPicture::Light::Dusk);
    const PhotoPicture noisyMedium(4000, 3000, PhotoPicture::Light::Dusk);
    const bool written =
        WriteJpegInput(large, folder + "photo.jpg") && WriteJpegInput(large, folder + "photo-ink.jpg", true) &&
        WriteGifInput(medium, folder + "photo.gif") && WritePngInput(medium, folder + "photo-rgb.png", false) &&
        WritePngInput(medium, folder + "photo-rgba.png", true) && WriteBmpInput(medium, folder + "photo.bmp") &&
        WriteJpegInput(noisyLarge, folder + "noisy.jpg") &&
        WriteJpegInput(noisyLarge, folder + "noisy-ink.jpg", true) &&
        WritePngInput(noisyMedium, folder + "noisy-rgb.png", false) &&
        WritePngInput(noisyMedium, folder + "noisy-rgba.png", true);
    return written ? 0 : 1;
}
