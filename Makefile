# Front door: `make fly` flies the example, `make test` builds and runs every test.
PRESET ?= default
BUILD := build/$(PRESET)
SIM := $(BUILD)/bin/vantor-sim

.PHONY: all build test fly format clean

all: build

build:
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

fly: build
	$(SIM) setup Kestrel

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build out
