# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
# Both install the Debian packages they need when they are missing.

SHELL := /bin/bash
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

PACKAGES := cmake make g++ pkg-config qt6-base-dev qt6-svg-dev libqt6svg6-dev libgl-dev \
	qt6-qpa-plugins fonts-dejavu-core clang-format libbenchmark-dev ccache

.PHONY: run test deps build-release build-test format-check format bench clean

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

test: build-test format-check
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every source file of ours follows .clang-format.
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests benchmarks tools -name '*.cpp' -o -name '*.h')
format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

format:
	clang-format -i $(SOURCES)

bench: build-test
	@for b in $(TEST_DIR)/benchmarks/bench_*; do [ -x "$$b" ] && QT_QPA_PLATFORM=offscreen "$$b"; done

clean:
	rm -rf build
