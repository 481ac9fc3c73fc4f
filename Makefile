# Entry points; the work is done by the scripts in tools/wine.
#   make test    install what is missing, build everything, run all tests
#   make run     build zentrik.exe and start it under Wine
#   make bench   build and run the benchmarks
#   make cost    CPU time and working set under Wine, next to Wine's task manager
#   make clean   remove the builds (the Wine prefixes stay)
.PHONY: test run bench cost clean distclean

test:
	@bash tools/wine/test.sh

run:
	@bash tools/wine/run.sh

bench:
	@bash tools/wine/bench.sh

cost:
	@bash tools/wine/cost.sh

clean:
	rm -rf build/native build/bench build/fuzz build/mingw build/logs build/shots build/cost

distclean:
	rm -rf build
