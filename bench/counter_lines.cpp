// Speed of the counter's per-file loop on typical sources held in memory.

#include "counter/Language.h"
#include "counter/LineCounter.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace qm::counter;

namespace {

const char* const cSource = R"(/*
 * A driver-like piece of C with the usual mix of comments, strings and branches.
 */
#include <linux/module.h>

static int probe(struct device *dev, const char *name)
{
	int ret = 0;   /* result */

	if (!dev || !name)
		return -EINVAL;
	for (int i = 0; i < 16; i++) {
		switch (dev->state[i]) {
		case 1:
			ret |= lookup(dev, "/* not a comment */", '"');
			break;
		default:
			ret = ret ? ret : -ENODEV; // fall back
		}
	}
	while (ret > 0 && dev->retries--)
		ret = retry(dev);
	return ret;
}

)";

const char* const pythonSource = R"(#!/usr/bin/env python3
"""Helpers for the build."""

import os


def walk(root, skip=("build", ".git")):
    '''Yields every file below root.'''
    for folder, names, files in os.walk(root):
        names[:] = [n for n in names if n not in skip]  # prune
        for f in files:
            if f.endswith(".py") and not f.startswith("_"):
                yield os.path.join(folder, f)

)";

std::string repeated(const char* piece, std::size_t bytes)
{
    std::string text;
    while (text.size() < bytes)
        text += piece;
    return text;
}

void countLines(benchmark::State& state, const char* language, const char* source)
{
    const Syntax syntax(languages().at(static_cast<std::size_t>(languageIndex(language))));
    const std::string text = repeated(source, 4 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(LineCounter::count(syntax, text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK_CAPTURE(countLines, C, "C", cSource)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(countLines, Python, "Python", pythonSource)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
