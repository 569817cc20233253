/* colour_reference: the native half of bench/colour/run.sh, built from the
 * same Little CMS source the program links.
 *   colour_reference profiles DIR   writes adobe-rgb.icc, display-p3.icc, srgb.icc
 *   colour_reference delta A.ppm B.ppm
 *                                   prints the mean and largest CIEDE2000
 *                                   difference of two sRGB pictures (binary PPM)
 */
#include <lcms2.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int save(cmsHPROFILE profile, const char* dir, const char* name)
{
    char path[4096];
    snprintf(path, sizeof path, "%s/%s", dir, name);
    const int saved = cmsSaveProfileToFile(profile, path);
    cmsCloseProfile(profile);
    return saved ? 0 : 1;
}

static int profiles(const char* dir)
{
    const cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE adobe = {{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
    const cmsCIExyYTRIPLE p3 = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    cmsToneCurve* gamma = cmsBuildGamma(NULL, 563.0 / 256);
    cmsToneCurve* srgb = cmsBuildParametricToneCurve(NULL, 4, srgbCurve);
    cmsToneCurve* gammas[3] = {gamma, gamma, gamma};
    cmsToneCurve* srgbs[3] = {srgb, srgb, srgb};
    return save(cmsCreateRGBProfile(&d65, &adobe, gammas), dir, "adobe-rgb.icc") |
           save(cmsCreateRGBProfile(&d65, &p3, srgbs), dir, "display-p3.icc") |
           save(cmsCreate_sRGBProfile(), dir, "srgb.icc");
}

static unsigned char* read_ppm(const char* path, int* width, int* height)
{
    FILE* file = fopen(path, "rb");
    int maximum = 0;
    if (!file || fscanf(file, "P6 %d %d %d", width, height, &maximum) != 3 || maximum != 255 || fgetc(file) == EOF)
        return NULL;
    const size_t bytes = (size_t)*width * *height * 3;
    unsigned char* pixels = malloc(bytes);
    if (pixels && fread(pixels, 1, bytes, file) != bytes) {
        free(pixels);
        pixels = NULL;
    }
    fclose(file);
    return pixels;
}

static int delta(const char* first, const char* second)
{
    int width = 0, height = 0, width2 = 0, height2 = 0;
    unsigned char* a = read_ppm(first, &width, &height);
    unsigned char* b = read_ppm(second, &width2, &height2);
    if (!a || !b || width != width2 || height != height2) {
        fprintf(stderr, "colour_reference: %s and %s are no PPM pictures of one size\n", first, second);
        return 1;
    }
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(NULL);
    cmsHTRANSFORM toLab = cmsCreateTransform(srgb, TYPE_RGB_8, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    double sum = 0, largest = 0;
    const size_t pixels = (size_t)width * height;
    for (size_t i = 0; i < pixels; ++i) {
        cmsCIELab labA, labB;
        cmsDoTransform(toLab, a + i * 3, &labA, 1);
        cmsDoTransform(toLab, b + i * 3, &labB, 1);
        const double difference = cmsCIE2000DeltaE(&labA, &labB, 1, 1, 1);
        sum += difference;
        if (difference > largest)
            largest = difference;
    }
    printf("mean %.2f  largest %.2f\n", sum / pixels, largest);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "profiles") == 0)
        return profiles(argv[2]);
    if (argc == 4 && strcmp(argv[1], "delta") == 0)
        return delta(argv[2], argv[3]);
    fprintf(stderr, "usage: colour_reference profiles DIR | delta A.ppm B.ppm\n");
    return 2;
}
