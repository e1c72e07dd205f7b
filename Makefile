# make run   installs what is missing, builds, lays out the program folder and
#            starts Varnholt.exe under Wine (screenshot when there is no display)
# make test  builds both trees and runs every test, native and under Wine
# make dist  builds, packs the installer and the portable zip into build/dist/
#            and tests both under Wine (DIST_BUILD_DIR: another Windows tree)
# make format  formats the sources with clang-format
# make fuzz    runs each fuzz target over the readers for FUZZ_SECONDS (default 60),
#              or until FUZZ_RUNS executions when that is set
# make stress  the kill test long: 20,000 native kills and 1,000 under Wine
#              (STRESS_KILLS, STRESS_WINE_KILLS), then the soak for a simulated
#              day of 1,440 ticks (STRESS_SOAK_TICKS)

JOBS ?= $(shell nproc)

.PHONY: run test dist build format deps fuzz stress

deps:
	@bash scripts/install-deps.sh

build: deps
	@bash scripts/build.sh

run: build
	@bash scripts/run.sh

test: deps
	@bash scripts/test.sh

dist: deps
	@bash scripts/dist.sh

fuzz:
	@bash scripts/fuzz.sh

stress: deps
	@bash scripts/stress.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
