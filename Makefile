# Two commands take a fresh clone to generated programs and a tested build:
#   make run    installs what is missing, builds and runs the bundled example
#   make test   installs what is missing, builds and runs the test suite
#   make bench  installs what is missing, builds Release and prints the
#               benchmark table (a benchmark, not a test)
BUILD ?= build
JOBS ?= 2

EXAMPLE_ARGS = -j examples/enclosure.json -o out \
	-t 3 -b 60 -d 1 -m 2 -f 600 -r 1 \
	-e 4 -w 4 -i 8 -a 2 -n 1

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

# Google Benchmark for the kernels, GNU time for peak memory.
bench:
	scripts/install-deps libbenchmark-dev time
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS) --target bench_programs
	bench/run_bench.sh $(BUILD) $(EXAMPLE_ARGS)

clean:
	rm -rf $(BUILD) out
