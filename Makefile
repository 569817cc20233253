# The two commands a developer needs: `make run` and `make test`. Both run
# the idempotent setup first, so a fresh Debian 12 machine needs nothing else.
# `make dist` (part of every build) lays out dist/ and makes the portable zip
# and the installer in build/win/packages.
BUILD := build/win
PACKAGES := $(BUILD)/packages
# An installer with a lower version number, which tests/install upgrades from.
OLDER_SETUP := $(BUILD)/older-setup
NATIVE := build/native
FUZZ := build/fuzz
FUZZ_SECONDS ?= 60
JOBS ?= 2
MAKEFLAGS += --no-print-directory

.PHONY: all setup build dist test run bench fuzz screenshots clean

all: build

setup:
	@scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	@cmake -S tests/native -B $(NATIVE) >/dev/null && cmake --build $(NATIVE) -j$(JOBS)
	@cmake -S tests/fuzz/native -B $(FUZZ) -DCMAKE_CXX_COMPILER=clang++ >/dev/null && cmake --build $(FUZZ) -j$(JOBS)
	@tests/native/gif-corpus.sh build/gif-corpus
	@tests/image/jpeg-corpus.sh build/jpeg-corpus
	@tests/image/modern-corpus.sh build/modern-corpus
	@scripts/make-dist.sh $(BUILD)/bin dist
	@scripts/make-packages.sh dist $(PACKAGES)
	@scripts/make-packages.sh dist $(OLDER_SETUP) 0.9.0

dist: build

test: build
	@scripts/test.sh $(BUILD)

run: build
	@scripts/run.sh dist/Tessaly.exe

bench: build
	@scripts/bench.sh

# A longer fuzzing campaign: FUZZ_SECONDS per target (make fuzz FUZZ_SECONDS=600).
fuzz: build
	@FUZZ_SECONDS=$(FUZZ_SECONDS) tests/fuzz/campaign.sh

screenshots: build
	@scripts/screenshots.sh

clean:
	rm -rf $(BUILD) $(NATIVE) $(FUZZ) dist
