# The two commands of the README:
#   make run   installs what is missing, builds, starts ShopMain on the embedded database
#   make test  installs what is missing, builds, runs every test (SQLite and PostgreSQL)
BUILD ?= build
JOBS ?= 2
# A compiler cache speeds rebuilds where one is installed; the build does not need it.
LAUNCHER := $(shell command -v ccache 2>/dev/null)
CMAKE_FLAGS := $(if $(LAUNCHER),-DCMAKE_CXX_COMPILER_LAUNCHER=$(LAUNCHER))

.PHONY: all deps build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@bash scripts/run-shopmain.sh $(BUILD)

test: build
	@bash scripts/run-tests.sh $(BUILD)

bench: deps
	@cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-release -j$(JOBS)
	@bash scripts/run-bench.sh build-release

clean:
	rm -rf $(BUILD) build-release
