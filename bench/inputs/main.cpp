// bench_inputs FOLDER: writes the benchmark's input pictures into FOLDER:
// photo.jpg and photo-ink.jpg (6000 × 4000) and, of the same scene at 4000 × 3000, photo.gif,
// photo-rgb.png, photo-rgba.png and photo.bmp.
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
    const bool written =
        WriteJpegInput(large, folder + "photo.jpg") && WriteJpegInput(large, folder + "photo-ink.jpg", true) &&
        WriteGifInput(medium, folder + "photo.gif") && WritePngInput(medium, folder + "photo-rgb.png", false) &&
        WritePngInput(medium, folder + "photo-rgba.png", true) && WriteBmpInput(medium, folder + "photo.bmp");
    return written ? 0 : 1;
}
