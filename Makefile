# The two commands every user and CI rely on: `make run` and `make test`.
# Each installs what is missing, configures, builds, then runs or tests.
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# Warnings fail the build made by make run and make test, and so in CI.
CMAKE_FLAGS ?= -DSUMVANE_WERROR=ON

.PHONY: all deps configure build run test test-sanitizers bench fuzz install uninstall package clean

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

# A Debian package of what `make install` installs, under /usr:
# $(BUILD)/sumvane_<version>_<architecture>.deb. cpack's own install writes
# the manifest that `make uninstall` reads; the last `make install`'s is kept.
package: build
	cd $(BUILD) && if [ -e install_manifest.txt ]; then mv -f install_manifest.txt install_manifest.txt.kept; fi; \
	  cpack -G DEB; status=$$?; rm -f install_manifest.txt; \
	  if [ -e install_manifest.txt.kept ]; then mv -f install_manifest.txt.kept install_manifest.txt; fi; \
	  exit $$status

clean:
	rm -rf $(BUILD) build-*
