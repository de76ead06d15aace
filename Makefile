# The two commands every user and CI rely on: `make run` and `make test`.
# Each installs what is missing, configures, builds, then runs or tests.
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# Warnings fail the build made by make run and make test, and so in CI.
CMAKE_FLAGS ?= -DSUMVANE_WERROR=ON

.PHONY: all deps configure build run test test-sanitizers bench fuzz install uninstall clean

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/app/sumvane

# Every test, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-sanitizers

test-sanitizers: deps
	./scripts/test-sanitizers.sh

bench: deps
	./scripts/run-benchmarks.sh

fuzz: deps
	./scripts/fuzz.sh

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	xargs -r rm -f < $(BUILD)/install_manifest.txt

clean:
	rm -rf $(BUILD) build-*
