// Speed of the counter's per-file loop on typical sources held in memory.

#include "counter/lang/Language.h"
#include "counter/lex/LineCounter.h"

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

const char* const perlSource = R"(package Sample;
use strict;
use warnings;

=head1 NAME

Sample - a module with the usual mix of POD, regexes and quote operators.

=cut

sub parse {
    my ($self, $text) = @_;   # the arguments
    my @words = split /\s+/, $text;
    for my $w (@words) {
        next if $w =~ m/^#/s;
        $w =~ s{(\w+)}{\u$1}g;
        push @{ $self->{words} }, $w if length $w && $w ne q{-};
    }
    return scalar @words;
}

)";

const char* const rubySource = R"(# A class with the usual mix of strings, regexes and blocks.
class Sample
  def initialize(text)
    @words = text.split(/\s+/).reject { |w| w.empty? } # words
    @name = "sample #{@words.size}"
  end

  def each_word
    @words.each do |w|
      next if w =~ /^#/
      yield w.sub(/(\w+)/) { $1.capitalize } unless w == '-'
    end
  end
end

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

// Texts built to be slow: the time per byte must not grow with their size (the fitted
// complexity is printed as "BigO").
void hostile(benchmark::State& state, const char* language, const char* piece, const char* close)
{
    const Syntax syntax(languages().at(static_cast<std::size_t>(languageIndex(language))));
    const auto count = static_cast<std::size_t>(state.range(0));
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    text += "\n";
    for (std::size_t i = 0; i < count; ++i)
        text += close;
    for (auto _ : state)
        benchmark::DoNotOptimize(LineCounter::count(syntax, text));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK_CAPTURE(countLines, C, "C", cSource)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(countLines, Python, "Python", pythonSource)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(countLines, Perl, "Perl", perlSource)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(countLines, Ruby, "Ruby", rubySource)->Unit(benchmark::kMillisecond);
// One line opening n here-documents, then their n terminators.
BENCHMARK_CAPTURE(hostile, HereDocuments, "Shell", " <<A", "A\n")
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 18)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
// n nested brackets, then as many closing ones.
BENCHMARK_CAPTURE(hostile, Brackets, "Python", "(", ")")
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 22)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
