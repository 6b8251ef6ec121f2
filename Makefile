# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
# Both install the Debian packages they need when they are missing.

SHELL := /bin/bash
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

PACKAGES := cmake make g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev \
	qt6-qpa-plugins qt6-translations-l10n fonts-dejavu-core clang-format libbenchmark-dev ccache \
	libxlsxwriter-dev poppler-utils unzip libreoffice-calc-nogui \
	xvfb xauth dbus-daemon dbus-bin at-spi2-core python3-pyatspi openbox

# Fuzzing (clang's libFuzzer) and the Debian package need a few more packages.
FUZZ_PACKAGES := clang libclang-rt-14-dev
PACKAGE_PACKAGES := dpkg-dev file desktop-file-utils appstream lintian shared-mime-info
FUZZ_DIR ?= build/fuzz
PACKAGE_DIR ?= build/package

.PHONY: run test deps build-release build-test format-check format bench clean
.PHONY: fuzz fuzz-smoke fuzz-build fuzz-deps package package-deps

deps:
	@missing=""; for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing:$$missing"; \
		$(SUDO) apt-get update && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

build-release: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DZAVEVAD_BUILD_TESTS=OFF $(LAUNCHER)
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build-release
	cd examples && ../$(RELEASE_DIR)/src/zavevad

build-test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DZAVEVAD_SANITIZE=ON -DZAVEVAD_BUILD_BENCHMARKS=ON $(LAUNCHER)
	cmake --build $(TEST_DIR) -j $(JOBS)

# The fuzz smoke runs first so that ctest's summary closes the output.
test: build-test format-check
	$(MAKE) --no-print-directory fuzz-smoke
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every source file of ours follows .clang-format.
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests benchmarks tools -name '*.cpp' -o -name '*.h')
format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

format:
	clang-format -i $(SOURCES)

# Benchmarks measure an optimised build without sanitizers.
BENCH_DIR := build/bench
bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DZAVEVAD_BUILD_BENCHMARKS=ON $(LAUNCHER)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target benchmarks
	@for b in $(BENCH_DIR)/benchmarks/bench_*; do \
		if [ -f "$$b" ] && [ -x "$$b" ]; then QT_QPA_PLATFORM=offscreen "$$b" || exit 1; fi; \
	done

clean:
	rm -rf build

# Installs those of the packages given that are missing.
define install_missing
	@missing=""; for p in $(1); do \
		dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing:$$missing"; \
		$(SUDO) apt-get update && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi
endef

# ---- Fuzzing: every reader of outside input under libFuzzer, ASan and UBSan ----
# `make fuzz` runs each target FUZZ_SECONDS (default 600) with a random seed:
# the corpus grows in $(FUZZ_DIR)/corpus from the seeds in fuzz/corpus,
# examples/ and tests/data; inputs that crash, hang or exhaust memory are kept
# in $(FUZZ_DIR)/artifacts and fail the run.
# `make fuzz-smoke` (part of `make test`) cannot fail by chance: it replays
# every seed and every kept regression-* input once, without mutation, then
# fuzzes FUZZ_SMOKE_RUNS inputs from a fixed seed and a fresh corpus.
FUZZ_TARGETS := resultfile thresholds template blueprint
FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SEED ?= 12345
# Runs of the fixed-seed smoke, about half a minute each on an idle machine.
FUZZ_SMOKE_RUNS_resultfile ?= 3000
FUZZ_SMOKE_RUNS_thresholds ?= 3000
FUZZ_SMOKE_RUNS_template ?= 100
FUZZ_SMOKE_RUNS_blueprint ?= 3000
# Result inputs hold up to twelve 128-byte records (files of one load).
FUZZ_MAXLEN_resultfile := 1536
FUZZ_MAXLEN_thresholds := 1024
FUZZ_MAXLEN_template := 1024
FUZZ_MAXLEN_blueprint := 4096
# Wall-clock timeouts of `make fuzz`. A template draws full-size charts: one
# that makes a paint slow is a finding. The template target also fails an
# input that takes over 2 s of processor time, which a busy machine does not
# change, so the smoke only needs a timeout that catches a hang.
FUZZ_TIMEOUT_resultfile := 10
FUZZ_TIMEOUT_thresholds := 10
FUZZ_TIMEOUT_template := 2
FUZZ_TIMEOUT_blueprint := 10
FUZZ_SMOKE_TIMEOUT := 60
FUZZ_SEEDS_resultfile = examples/*.dat
FUZZ_SEEDS_thresholds = examples/Progi.txt tests/data/export/*.txt
FUZZ_SEEDS_template =
FUZZ_SEEDS_blueprint = examples/Kartoteka.txt
FUZZ_ENV := LSAN_OPTIONS=suppressions=$(CURDIR)/fuzz/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1

fuzz-deps: deps
	$(call install_missing,$(FUZZ_PACKAGES))

fuzz-build: fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DZAVEVAD_FUZZ=ON -DZAVEVAD_BUILD_TESTS=OFF \
		-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" $(LAUNCHER)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

# Sets seeds, maxlen, timeout and runs for target $$t, and copies its outside seeds.
define fuzz_target_settings
		case $$t in \
		resultfile) seeds="$(FUZZ_SEEDS_resultfile)"; maxlen=$(FUZZ_MAXLEN_resultfile); \
			timeout=$(FUZZ_TIMEOUT_resultfile); runs=$(FUZZ_SMOKE_RUNS_resultfile);; \
		thresholds) seeds="$(FUZZ_SEEDS_thresholds)"; maxlen=$(FUZZ_MAXLEN_thresholds); \
			timeout=$(FUZZ_TIMEOUT_thresholds); runs=$(FUZZ_SMOKE_RUNS_thresholds);; \
		template) seeds="$(FUZZ_SEEDS_template)"; maxlen=$(FUZZ_MAXLEN_template); \
			timeout=$(FUZZ_TIMEOUT_template); runs=$(FUZZ_SMOKE_RUNS_template);; \
		blueprint) seeds="$(FUZZ_SEEDS_blueprint)"; maxlen=$(FUZZ_MAXLEN_blueprint); \
			timeout=$(FUZZ_TIMEOUT_blueprint); runs=$(FUZZ_SMOKE_RUNS_blueprint);; \
		esac; \
		rm -rf $(FUZZ_DIR)/seeds/$$t; mkdir -p $(FUZZ_DIR)/seeds/$$t; \
		[ -z "$$seeds" ] || cp $$seeds $(FUZZ_DIR)/seeds/$$t/;
endef

# $(1): seconds per target. Every target runs even after a finding; the run
# fails when any found one.
define run_fuzzers
	@failed=0; passed=0; mkdir -p $(FUZZ_DIR)/artifacts $(FUZZ_DIR)/logs; \
	for t in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_DIR)/corpus/$$t; \
		$(fuzz_target_settings) \
		log=$(FUZZ_DIR)/logs/fuzz_$$t.log; \
		echo "fuzz_$$t: $(1) s (log: $$log)"; \
		if $(FUZZ_ENV) $(FUZZ_DIR)/fuzz/fuzz_$$t -max_total_time=$(1) -timeout=$$timeout \
			-rss_limit_mb=4096 -max_len=$$maxlen -print_final_stats=1 \
			-artifact_prefix=$(FUZZ_DIR)/artifacts/$$t- \
			$(FUZZ_DIR)/corpus/$$t fuzz/corpus/$$t $(FUZZ_DIR)/seeds/$$t > $$log 2>&1; then \
			passed=$$((passed + 1)); \
			grep -E "^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" $$log; \
		else \
			failed=$$((failed + 1)); \
			tail -n 60 $$log; \
			echo "fuzz_$$t FOUND A PROBLEM: see $(FUZZ_DIR)/artifacts"; \
		fi; \
	done; \
	echo "fuzz: $$passed passed, $$failed failed"; \
	[ $$failed -eq 0 ]
endef

fuzz: fuzz-build
	$(call run_fuzzers,$(FUZZ_SECONDS))

# What makes two runs of one fixed seed differ is held still for the smoke:
# Qt's hash seed (it changes the order of hashed data, and so the coverage),
# libFuzzer's reload of the corpus every second (it depends on timing) and
# address space randomisation where `setarch` can turn it off.
FUZZ_SMOKE_ENV := $(FUZZ_ENV) QT_HASH_SEED=0
FUZZ_SMOKE_NOASLR := $(shell setarch $$(uname -m) -R true >/dev/null 2>&1 && echo setarch $$(uname -m) -R)
# The target run twice to prove the smoke deterministic.
FUZZ_SMOKE_TWICE := thresholds

# $(1): target, $(2): fresh corpus folder, $(3): log. The fixed-seed run.
define fuzz_smoke_run
$(FUZZ_SMOKE_ENV) $(FUZZ_SMOKE_NOASLR) $(FUZZ_DIR)/fuzz/fuzz_$(1) -seed=$(FUZZ_SMOKE_SEED) \
	-runs=$$runs -reload=0 -timeout=$(FUZZ_SMOKE_TIMEOUT) -rss_limit_mb=4096 -max_len=$$maxlen \
	-print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/smoke/artifacts/$(1)- \
	$(2) fuzz/corpus/$(1) $(FUZZ_DIR)/seeds/$(1) >> $(3) 2>&1
endef

# The statistics of a run that do not depend on the machine's speed: the
# coverage, features and corpus of the final line and the units counted.
define fuzz_smoke_stats
sed -n -E -e 's/^#[0-9]+[[:space:]]+DONE[[:space:]]+(cov: [0-9]+ ft: [0-9]+ corp: [0-9]+).*/\1/p' \
	-e '/^stat::(number_of_executed_units|new_units_added):/p' $(1)
endef

# Replays the seeds and regression inputs file by file, then a fixed-seed run
# whose new inputs go to a corpus emptied first, so every run is the same; one
# target's fixed-seed run is made twice and must end with the same statistics.
# The second run writes to the same, emptied, folder: even the length of the
# corpus folder's name changes what libFuzzer finds.
fuzz-smoke: fuzz-build
	@failed=0; mkdir -p $(FUZZ_DIR)/logs; \
	for t in $(FUZZ_TARGETS); do \
		$(fuzz_target_settings) \
		log=$(FUZZ_DIR)/logs/smoke_$$t.log; \
		smoke=$(FUZZ_DIR)/smoke/$$t; rm -rf $$smoke; mkdir -p $$smoke $(FUZZ_DIR)/smoke/artifacts; \
		inputs=$$(find fuzz/corpus/$$t $(FUZZ_DIR)/seeds/$$t -type f | sort); \
		count=$$(echo "$$inputs" | grep -c .); \
		if $(FUZZ_SMOKE_ENV) $(FUZZ_DIR)/fuzz/fuzz_$$t -timeout=$(FUZZ_SMOKE_TIMEOUT) -rss_limit_mb=4096 \
				-artifact_prefix=$(FUZZ_DIR)/smoke/artifacts/$$t- $$inputs > $$log 2>&1 \
			&& $(call fuzz_smoke_run,$$t,$$smoke,$$log); then \
			echo "fuzz_$$t: $$count inputs replayed, $$runs runs from seed $(FUZZ_SMOKE_SEED): no finding"; \
		else \
			failed=$$((failed + 1)); \
			tail -n 60 $$log; \
			echo "fuzz_$$t FOUND A PROBLEM: see $(FUZZ_DIR)/smoke/artifacts and $$log"; \
		fi; \
	done; \
	for t in $(FUZZ_SMOKE_TWICE); do \
		$(fuzz_target_settings) \
		first=$(FUZZ_DIR)/logs/smoke_$$t.log; again=$(FUZZ_DIR)/logs/smoke_$${t}_again.log; \
		smoke=$(FUZZ_DIR)/smoke/$$t; rm -rf $$smoke $$again; mkdir -p $$smoke; \
		if ! $(call fuzz_smoke_run,$$t,$$smoke,$$again); then \
			failed=$$((failed + 1)); tail -n 60 $$again; \
			echo "fuzz_$$t FOUND A PROBLEM in its second run: see $$again"; \
		elif [ -z "$$($(call fuzz_smoke_stats,$$first))" ] \
			|| [ "$$($(call fuzz_smoke_stats,$$first))" != "$$($(call fuzz_smoke_stats,$$again))" ]; then \
			failed=$$((failed + 1)); \
			echo "fuzz_$$t: two runs from seed $(FUZZ_SMOKE_SEED) differ:"; \
			diff <($(call fuzz_smoke_stats,$$first)) <($(call fuzz_smoke_stats,$$again)); \
		else \
			echo "fuzz_$$t: a second run from seed $(FUZZ_SMOKE_SEED) ends the same:" \
				$$($(call fuzz_smoke_stats,$$again) | head -n 1); \
		fi; \
	done; \
	[ $$failed -eq 0 ]

# ---- Debian package (CPack): zavevad_<version>_<arch>.deb in $(PACKAGE_DIR) ----
package-deps: deps
	$(call install_missing,$(PACKAGE_PACKAGES))

package: package-deps
	desktop-file-validate packaging/zavevad.desktop
	appstreamcli validate --no-net packaging/org.example.zavevad.metainfo.xml
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DZAVEVAD_BUILD_TESTS=OFF $(LAUNCHER)
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	cd $(PACKAGE_DIR) && cpack -G DEB
	lintian --fail-on error $(PACKAGE_DIR)/zavevad_*.deb
