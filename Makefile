# Front door: `make fly` flies the example, `make test` builds and runs every test.
PRESET ?= default
BUILD := build/$(PRESET)
SIM := $(BUILD)/bin/vantor-sim

# Debian packages the build needs beyond a fresh machine's compilers and test libraries.
DEB_PACKAGES := libeigen3-dev gnuplot-nox
DEB_CHECK := /usr/include/eigen3/Eigen/Core /usr/bin/gnuplot

.PHONY: all deps build test fly sanitize windows format clean

all: build

# Installs what is missing (as root), or says the one command that does.
deps:
	@missing=0; for f in $(DEB_CHECK); do [ -e $$f ] || missing=1; done; \
	if [ $$missing = 1 ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing $(DEB_PACKAGES)"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $(DEB_PACKAGES) >/dev/null; \
	  else \
	    echo "Missing packages; run: sudo apt-get install $(DEB_PACKAGES)"; exit 1; \
	  fi; \
	fi

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

# Once round the example circuit: status lines on the terminal; trace, plot and the saved
# scenario in out/.
fly: build
	mkdir -p out
	$(SIM) fly --trace out/flight.csv --plot out/flight.png --save out/Airborne-end.scn

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

# Optional: the 32-bit Windows build of the same sources, checked under Wine against the Linux
# build. Installs the MinGW-w64 cross compiler and Wine when missing (as root).
windows: build
	scripts/windows/install-deps.sh
	cmake --preset windows
	cmake --build --preset windows
	scripts/windows/check.sh

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build out
