# Two commands take a fresh clone to generated programs and a tested build:
#   make run    installs what is missing, builds and runs the bundled example
#   make test   installs what is missing, builds and runs the test suite
# Two more check it harder, with clang:
#   make asan   builds the test suite with AddressSanitizer and
#               UndefinedBehaviorSanitizer in build-asan and runs it
#   make fuzz   fuzzes the settings and the project, and the programs
#               through the reader, post and the preview, for FUZZ_SECONDS
#               in all (half each)
#   make bench  installs what is missing, builds Release and prints the
#               benchmark table (a benchmark, not a test)
# And to install it:
#   make package        builds $(BUILD)/veskaro_<version>_<arch>.deb
#   make install-check  installs into a temporary prefix and, as root, the
#                       .deb into a fresh Debian 12 root, and runs them;
#                       lintian checks the .deb
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2
FUZZ_SECONDS ?= 60

EXAMPLE_ARGS = -j examples/enclosure.json -o out \
	-t 3 -b 60 -d 0.75 -m 2 -f 600 -r 1.5 \
	-e 4 -i 8 -a 2 -n 1

.PHONY: all deps configure build run test asan-build asan fuzz bench package install-check clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the program it runs, not the test suite.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target veskaro-gcode
	$(BUILD)/veskaro-gcode $(EXAMPLE_ARGS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@command -v rs274 >/dev/null 2>&1 || echo "SKIPPED: interop_rs274 and interop_post: rs274 (LinuxCNC's G-code interpreter) is not installed; scripts/install-deps linuxcnc-uspace installs it"
	@command -v chromium >/dev/null 2>&1 || echo "SKIPPED: preview_in_chromium: chromium is not installed; scripts/install-deps chromium installs it"

asan-build:
	scripts/install-deps clang libclang-rt-14-dev
	CXX=clang++ cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKARO_UNITY=OFF \
		-DVESKARO_SANITIZE=ON -DVESKARO_FUZZ=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

asan: asan-build
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# New inputs go to $(ASAN_BUILD)/fuzz-corpus and fuzz-program-corpus, a
# crashing one to $(ASAN_BUILD)/crash-*; the logs' last lines tell the
# executions reached.
FUZZ_HALF = $(shell expr $(FUZZ_SECONDS) / 2)
fuzz: asan-build
	mkdir -p $(ASAN_BUILD)/fuzz-corpus $(ASAN_BUILD)/fuzz-program-corpus
	$(ASAN_BUILD)/tests/fuzz/project_fuzz -max_total_time=$(FUZZ_HALF) -timeout=10 \
		-rss_limit_mb=2048 -max_len=4096 -dict=tests/fuzz/project.dict -print_final_stats=1 \
		-artifact_prefix=$(ASAN_BUILD)/ $(ASAN_BUILD)/fuzz-corpus tests/fuzz/corpus \
		> $(ASAN_BUILD)/fuzz.log 2>&1 || { tail -n 80 $(ASAN_BUILD)/fuzz.log; exit 1; }
	grep -E '^(#[0-9]+[[:space:]]+DONE|Done |stat::)' $(ASAN_BUILD)/fuzz.log
	$(ASAN_BUILD)/tests/fuzz/program_fuzz -max_total_time=$(FUZZ_HALF) -timeout=10 \
		-rss_limit_mb=2048 -max_len=20000 -dict=tests/fuzz/program.dict -print_final_stats=1 \
		-artifact_prefix=$(ASAN_BUILD)/ $(ASAN_BUILD)/fuzz-program-corpus tests/fuzz/program_corpus \
		> $(ASAN_BUILD)/fuzz-program.log 2>&1 || { tail -n 80 $(ASAN_BUILD)/fuzz-program.log; exit 1; }
	grep -E '^(#[0-9]+[[:space:]]+DONE|Done |stat::)' $(ASAN_BUILD)/fuzz-program.log

# Google Benchmark for the kernels, GNU time for peak memory.
bench:
	scripts/install-deps libbenchmark-dev time
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS) --target bench_programs
	bench/run_bench.sh $(BUILD) $(EXAMPLE_ARGS)

# dpkg-shlibdeps (dpkg-dev) and file work out the package's Depends.
package: build
	scripts/install-deps dpkg-dev file
	cd $(BUILD) && cpack -G DEB

install-check: package
	scripts/install-deps debootstrap binutils lintian
	python3 tests/install/check_package.py $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) out
