# Front door: `make fly` flies the example, `make test` builds and runs every test.
PRESET ?= default
BUILD := build/$(PRESET)
SIM := $(BUILD)/bin/vantor-sim

# Debian packages the build needs beyond a fresh machine's compilers and test libraries.
DEB_PACKAGES := libeigen3-dev gnuplot-nox libcli11-dev libncurses-dev tmux
DEB_CHECK := /usr/include/eigen3/Eigen/Core /usr/bin/gnuplot /usr/include/CLI/CLI.hpp \
  /usr/include/curses.h /usr/bin/tmux

.PHONY: all deps build test fly release sanitize fuzz fuzz-deps windows dist dist-deps dist-check format
.PHONY: clean

all: build

# Installs the packages $(1) when any of the files $(2) is missing (as root), or says the one
# command that does.
define install_missing
	@missing=0; for f in $(2); do [ -e $$f ] || missing=1; done; \
	if [ $$missing = 1 ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing $(1)"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $(1) >/dev/null; \
	  else \
	    echo "Missing packages; run: sudo apt-get install $(1)"; exit 1; \
	  fi; \
	fi
endef

deps:
	$(call install_missing,$(DEB_PACKAGES),$(DEB_CHECK))

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

# Once round the example circuit: status lines and the flight's summary on the terminal; trace,
# plot, summary and the saved scenario in out/.
fly: build
	mkdir -p out
	$(SIM) fly --trace out/flight.csv --plot out/flight.png --summary out/summary.json \
	  --save out/Airborne-end.scn

# What ships (the module, the host, vantor-sim) built as released (-O3), where the optimiser
# warns of more than it does at -O2; warnings are errors here too.
release: deps
	cmake --preset release
	cmake --build --preset release

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

# Each libFuzzer target for FUZZ_SECONDS, from the seeds in fuzz/corpus/ and what earlier runs
# found (build/fuzz/corpus/). A finding stops the run and leaves its input in build/fuzz/findings/.
# Paths are absolute: the targets run in a temporary simulator root of their own.
FUZZ_SECONDS ?= 60
# A fixed seed makes a run repeatable; FUZZ_SEED=0 lets libFuzzer pick one.
FUZZ_SEED ?= 1
FUZZ_TARGETS := aircraft_file flight_plan scenario_lines keys_and_frames checker_agreement
FUZZ_DEB_PACKAGES := clang-14 libclang-rt-14-dev
FUZZ_RUNTIME := $(wildcard /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a)

fuzz-deps:
	@if [ ! -x /usr/bin/clang++-14 ] || [ -z "$(FUZZ_RUNTIME)" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing $(FUZZ_DEB_PACKAGES)"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $(FUZZ_DEB_PACKAGES) >/dev/null; \
	  else \
	    echo "Missing packages; run: sudo apt-get install $(FUZZ_DEB_PACKAGES)"; exit 1; \
	  fi; \
	fi

fuzz: deps fuzz-deps
	cmake --preset fuzz
	cmake --build --preset fuzz --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for target in $(FUZZ_TARGETS); do \
	  mkdir -p build/fuzz/corpus/$$target build/fuzz/findings; \
	  echo "fuzz_$$target: $(FUZZ_SECONDS) s"; \
	  build/fuzz/bin/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -seed=$(FUZZ_SEED) -max_len=65536 \
	    $$([ -f fuzz/$$target.dict ] && echo -dict=$(CURDIR)/fuzz/$$target.dict) \
	    -artifact_prefix=$(CURDIR)/build/fuzz/findings/$$target- -print_final_stats=1 \
	    $(CURDIR)/build/fuzz/corpus/$$target $(CURDIR)/fuzz/corpus/$$target || exit 1; \
	done

# Optional: the 32-bit Windows build of the same sources, checked under Wine against the Linux
# build. Installs the MinGW-w64 cross compiler and Wine when missing (as root).
windows: build
	scripts/windows/install-deps.sh
	cmake --preset windows
	cmake --build --preset windows
	scripts/windows/check.sh

# The archive for a real installation: the 32-bit module from `make windows`, the examples, the
# licence and the install text, in build/dist/aircraft-VERSION.zip (docs/installing.md).
# dist-check unpacks it and checks its tree and the module's exports.
DIST_DEB_PACKAGES := zip unzip

dist-deps:
	$(call install_missing,$(DIST_DEB_PACKAGES),/usr/bin/zip /usr/bin/unzip)

dist: dist-deps
	scripts/dist/make-dist.sh

dist-check: dist
	scripts/dist/check-dist.sh

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build out
