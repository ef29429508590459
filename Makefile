# Developer commands for Plumeric. `make run` starts the program, `make test` runs every test.
BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
TSAN_BUILD_DIR ?= build-tsan
FUZZ_BUILD_DIR ?= build-fuzz
# Runs of each fuzzer in `make fuzz` (CI); longer runs: `make fuzz FUZZ_RUNS=1000000`.
FUZZ_RUNS      ?= 20000
FUZZERS         = fuzz_settings fuzz_region fuzz_bitmap fuzz_gif fuzz_deflate
JOBS           ?= $(shell nproc)
# Where `make install` puts the programs; DESTDIR, when given, is put before it (staged installs).
PREFIX         ?= /usr/local
SOURCES         = $(shell git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')

.PHONY: deps configure build run test test-asan test-tsan bench fuzz format lint clean install package

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/bin/kestro

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The programs, the program folder share/plumeric, the desktop entry, icon, metadata and man pages.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package of the same files under /usr, from the same build as the tests.
package: build
	cd $(BUILD_DIR) && cpack
	@ls $(BUILD_DIR)/package/plumeric_*.deb

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DPLUMERIC_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	cd $(ASAN_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The face engine, the composer's batch faces and the threaded batch, with their tests of faces and
# files made on several threads at once, under ThreadSanitizer. They need no suppressions: Qt,
# fontconfig and FreeType are not instrumented, and their locks are seen.
TSAN_TESTS = test_face test_compose test_output
test-tsan: deps
	@cmake -S . -B $(TSAN_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLUMERIC_TSAN=ON >/dev/null
	@cmake --build $(TSAN_BUILD_DIR) -j $(JOBS) $(addprefix --target ,$(TSAN_TESTS))
	cd $(TSAN_BUILD_DIR) && for t in $(TSAN_TESTS); do TSAN_OPTIONS="halt_on_error=1" \
		QT_QPA_PLATFORM=offscreen tests/$$t || exit 1; done

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done
	@bash bench/convert_vs_batch.sh $(BUILD_DIR)/bin/kestro-batch
	@bash bench/png_webp_vs_optimisers.sh $(BUILD_DIR)/bin/kestro-batch $(BUILD_DIR)/tools/make_samples

# Each fuzzer runs FUZZ_RUNS inputs, starting from its seeds; what it adds goes into the build folder,
# never into the seed corpus.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DPLUMERIC_FUZZ=ON -DPLUMERIC_WERROR=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS) --target $(FUZZERS)
	@for f in $(FUZZERS); do \
		mkdir -p $(FUZZ_BUILD_DIR)/corpus/$$f && \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/fuzz/lsan.supp \
		$(FUZZ_BUILD_DIR)/tests/fuzz/$$f -runs=$(FUZZ_RUNS) -seed=1 -max_len=4096 -rss_limit_mb=3000 \
			-print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD_DIR)/$$f- $(FUZZ_BUILD_DIR)/corpus/$$f tests/fuzz/corpus/$$f 2>$(FUZZ_BUILD_DIR)/$$f.log \
			|| { cat $(FUZZ_BUILD_DIR)/$$f.log; exit 1; }; \
		grep -E '^stat::number_of_executed_units|^Done' $(FUZZ_BUILD_DIR)/$$f.log | sed "s/^/$$f: /"; \
	done

format:
	@clang-format -i $(SOURCES)

lint:
	@clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(TSAN_BUILD_DIR) $(FUZZ_BUILD_DIR)
