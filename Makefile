# The two commands of the README: `make demo` renders the gallery of the
# bundled sample data into out/, `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build demo test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

demo: build
	@$(BUILD)/tools/korvagraph/korvagraph gallery --data data/sample.dat --out out
	@echo "gallery: $(CURDIR)/out/index.html"

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*_bench; do $$b; done

clean:
	@rm -rf $(BUILD) out
