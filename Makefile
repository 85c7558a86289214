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
PKGS    := cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libqt6printsupport6 \
           libgtest-dev libgmock-dev libbenchmark-dev \
           fonts-ipafont-mincho fonts-ipafont-gothic poppler-utils

.PHONY: all deps configure build run test bench clean

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

$(BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/zemlo2

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD)/zemlo_bench

clean:
	rm -rf $(BUILD)
