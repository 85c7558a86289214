# Set-up, build, run and test of ゼムロ２ on Debian 12.
# Both `make run` and `make test` install whatever is missing first.

BUILD   ?= build
# Side build folders (one per developer working in the same tree) build with
# two jobs so that several builds can share the machine.
ifeq ($(BUILD),build)
JOBS    ?= $(shell nproc)
else
JOBS    ?= 2
endif
PKGS    := cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-translations-l10n \
           libgtest-dev libgmock-dev libbenchmark-dev \
           fonts-ipafont-mincho fonts-ipafont-gothic poppler-utils

.PHONY: all deps configure build run test bench sanitize clean

all: build

deps:
	@missing=""; for p in $(PKGS); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" != 0 ]; then SUDO=sudo; else SUDO=; fi; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

# Where ccache is installed, builds in several checkouts of the tree share one
# compiler cache (paths taken relative to the checkout).
CCACHE  := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
LAUNCH  := -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
endif

# UNITY=1 (what CI asks for) compiles several sources per compiler run, which
# roughly halves a clean build; side builds leave it off so that touching one
# file recompiles that file alone.
UNITY   ?=
$(BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCH) \
	  -DZEMLO_UNITY=$(if $(UNITY),ON,OFF)

configure: deps $(BUILD)/build.ninja

# $(call unity_build,folder,cmake --build options): builds a folder configured
# for unity batches. Main is only ever tested file by file, so a batch that
# stops compiling because two of its files define the same file-local name
# must not fail CI: the folder is then built file by file instead (slower, same
# result), and the message says how to mend the batch.
define unity_build
cmake --build $(1) -j $(JOBS) $(2) || { \
  echo "*** The unity build of $(1) failed; building it file by file. Where the errors above are redefinitions"; \
  echo "*** of file-local names, add the second file to ZEMLO_UNITY_ALONE in CMakeLists.txt."; \
  cmake -S . -B $(1) -DZEMLO_UNITY=OFF > /dev/null && cmake --build $(1) -j $(JOBS) $(2); }
endef

build: configure
ifneq ($(UNITY),)
	$(call unity_build,$(BUILD),)
else
	cmake --build $(BUILD) -j $(JOBS)
endif

run: build
	./$(BUILD)/zemlo2

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD)/zemlo_bench

# The tests built with AddressSanitizer and UndefinedBehaviorSanitizer in a
# folder of their own (unoptimised, line tables only, in unity batches: the
# sanitized code takes long to compile), run in $(JOBS) shards of one process
# each. Any report, a leak included, fails the run; the failing shards' output
# is shown.
SAN_BUILD ?= $(BUILD)-sanitize
SAN_ENV   := ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
             LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
             UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 QT_QPA_PLATFORM=offscreen

$(SAN_BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O0 -g1" -DZEMLO_SANITIZE=ON -DZEMLO_UNITY=ON

sanitize: deps $(SAN_BUILD)/build.ninja
	export $(SAN_ENV) && $(call unity_build,$(SAN_BUILD),--target zemlo_tests)
	@cd $(SAN_BUILD) && rm -f shard-*.log && pids="" && \
	for i in $$(seq 0 $$(($(JOBS) - 1))); do \
	  $(SAN_ENV) GTEST_TOTAL_SHARDS=$(JOBS) GTEST_SHARD_INDEX=$$i ./zemlo_tests > shard-$$i.log 2>&1 & pids="$$pids $$!"; \
	done; \
	i=0; failed=0; for p in $$pids; do \
	  if ! wait $$p; then failed=1; echo "==== sanitized tests, shard $$i: FAILED"; cat shard-$$i.log; fi; i=$$((i + 1)); \
	done; \
	grep -h "^\[  PASSED  \]" shard-*.log; \
	if [ $$failed = 0 ]; then echo "sanitized tests passed"; fi; exit $$failed

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
