# The README's commands. `make demo` builds the libraries and korvagraph only
# (in their own folder, tests and benchmarks off) and renders the gallery of
# the bundled sample into out/; `make test` builds everything and runs every
# test; `make install` and `make package` install or package the libraries,
# headers and program. Build output goes to logs; failures print them whole.
BUILD ?= build
DIST ?= build-dist
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
LOGS := $(CURDIR)/$(BUILD)/logs
DIST_LOGS := $(CURDIR)/$(DIST)/logs
CMAKE_TYPE := -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps build dist demo test bench install package clean

all: build

deps:
	@scripts/install-deps build

# Everything: libraries, program, tests, benchmarks.
build:
	@scripts/install-deps test bench
	@scripts/quiet-build $(LOGS)/configure.log configure \
	  cmake -S . -B $(BUILD) $(CMAKE_TYPE)
	@scripts/quiet-build $(LOGS)/build.log build \
	  cmake --build $(BUILD) -j $(JOBS)

# The libraries and korvagraph, nothing else, optimised without debug
# information (what is installed and packaged; a quicker first build).
dist:
	@scripts/install-deps $(DIST_DEPS)
	@scripts/quiet-build $(DIST_LOGS)/configure.log configure \
	  cmake -S . -B $(DIST) -DCMAKE_BUILD_TYPE=Release -DKG_BUILD_TESTS=OFF \
	  -DKG_BUILD_BENCH=OFF
	@scripts/quiet-build $(DIST_LOGS)/build.log build \
	  cmake --build $(DIST) -j $(JOBS) --target korvagraph

demo: DIST_DEPS = demo
demo: dist
	@$(DIST)/tools/korvagraph/korvagraph gallery --quiet \
	  --data data/sample.dat --out out >$(DIST_LOGS)/gallery.log 2>&1 || \
	  { cat $(DIST_LOGS)/gallery.log; exit 1; }
	@echo "gallery: $(CURDIR)/out/index.html"

test: build
	@scripts/run-tests $(BUILD) $(LOGS)/test.log $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*_bench; do $$b; done

install: DIST_DEPS = build
install: dist
	@cmake --install $(DIST) --prefix $(PREFIX) >$(DIST_LOGS)/install.log
	@# The loader's cache learns the new libraries (under /usr/local).
	@if [ "$$(id -u)" -eq 0 ] && command -v ldconfig >/dev/null; then ldconfig; fi
	@echo "installed under $(PREFIX): korvagraph is $(PREFIX)/bin/korvagraph"

package: DIST_DEPS = package
package: dist
	@scripts/quiet-build $(DIST_LOGS)/package.log package \
	  cpack -G DEB -B $(CURDIR)/$(DIST)/package --config $(DIST)/CPackConfig.cmake
	@ls $(CURDIR)/$(DIST)/package/*.deb

clean:
	@rm -rf $(BUILD) $(DIST) out
