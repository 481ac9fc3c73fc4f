# Entry points; the work is done by the scripts in tools/wine.
#   make test    install what is missing, build everything, run all tests
#   make run     build zentrik.exe and start it under Wine
#   make bench   build and run the benchmarks
#   make clean   remove the builds (the Wine prefixes stay)
.PHONY: test run bench clean distclean

test:
	@bash tools/wine/test.sh

run:
	@bash tools/wine/run.sh

bench:
	@bash tools/wine/bench.sh

clean:
	rm -rf build/native build/bench build/fuzz build/mingw build/logs build/shots

distclean:
	rm -rf build
