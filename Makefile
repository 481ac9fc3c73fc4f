# Entry points; the work is done by the scripts in tools/wine and tools/dist.
#   make test    install what is missing, build everything, run all tests
#   make run     build zentrik.exe and start it under Wine
#   make bench   build and run the benchmarks
#   make dist    build build/dist/zentrik-VERSION-win64.zip and start it under Wine
#   make cost    CPU time and working set under Wine, next to Wine's task manager
#   make clean   remove the builds (the Wine prefixes stay)
.PHONY: test run bench dist cost clean distclean

test:
	@bash tools/wine/test.sh

run:
	@bash tools/wine/run.sh

bench:
	@bash tools/wine/bench.sh

dist:
	@bash tools/dist/dist.sh

cost:
	@bash tools/wine/cost.sh

clean:
	rm -rf build/native build/bench build/fuzz build/mingw build/logs build/shots build/dist build/cost

distclean:
	rm -rf build
