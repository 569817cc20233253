# The libFuzzer targets, one per windows.h-free entry point that takes bytes.
# Each name N has native/FuzzN.cpp (LLVMFuzzerTestOneInput) and a seed
# writer Write<N>Seeds in native/Seeds.cpp. The native project builds them,
# the Windows build's ctest runs each over its seeds.
set(tessaly_fuzz_targets Bmp Gif FileType SkinFile)
