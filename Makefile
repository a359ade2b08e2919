# rondix: the README's two commands are `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
DEMO_OUT ?= $(CURDIR)/demo-out

.PHONY: all deps build test demo bench clean

all: build

deps:
	./scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

demo: build
	./scripts/demo "$(BUILD)/rondix" "$(DEMO_OUT)"

bench: build
	./bench/run "$(BUILD)"

clean:
	rm -rf $(BUILD) $(DEMO_OUT)
