# Two commands take a fresh clone to generated programs and a tested build:
#   make run    installs what is missing, builds and runs the bundled example
#   make test   installs what is missing, builds and runs the test suite
BUILD ?= build
JOBS ?= 2

EXAMPLE_ARGS = -j examples/enclosure.json -o out \
	-t 3 -b 60 -d 0.75 -m 2 -f 600 -r 1.5 \
	-e 4 -i 8 -a 2 -n 1

.PHONY: all deps build run test bench clean

all: build

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/veskaro-gcode $(EXAMPLE_ARGS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@command -v rs274 >/dev/null 2>&1 || echo "SKIPPED: interop_rs274: rs274 (LinuxCNC's G-code interpreter) is not installed; scripts/install-deps linuxcnc-uspace installs it"

clean:
	rm -rf $(BUILD) out
