#include "counter/report/Summary.h"

#include "counter/ContentDigest.h"
#include "counter/lang/Language.h"

#include "common/Threads.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <tuple>

namespace qm::counter {

namespace {

std::uint64_t figure(const Counts& counts, std::uint64_t files, SortKey key)
{
    switch (key) {
    case SortKey::Files:
        return files;
    case SortKey::Lines:
        return counts.lines;
    case SortKey::Blanks:
        return counts.blank;
    case SortKey::Code:
        return counts.code;
    case SortKey::Comments:
        return counts.comment;
    case SortKey::Complexity:
        return counts.complexity;
    case SortKey::Name:
        break;
    }
    return 0;
}

// Of the files of `files` that `keyed` gives equal keys (each a key and where the file lies;
// a file not named there is like no other), keeps only the first by `before`, the others'
// order unchanged. The keys are sorted, not hashed, so keys an attacker chose cannot make
// it slower than its n log n.
template <class Key, class Before>
void keepFirstOfEach(std::vector<const FileRecord*>& files, std::vector<std::pair<Key, std::size_t>> keyed,
                     const Before& before)
{
    std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return before(files[a.second], files[b.second]);
    });
    std::vector<bool> drop(files.size(), false);
    for (std::size_t j = 1; j < keyed.size(); ++j)
        if (keyed[j].first == keyed[j - 1].first)
            drop[keyed[j].second] = true;
    std::size_t out = 0;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!drop[i])
            files[out++] = files[i];
    files.resize(out);
}

// Leaves each file reached by several names (hard links, symbolic links to it) under one of
// them: its first name by location that is no symbolic link, or its first link when only
// links reach it. Only files with other names, or reached through a link, are looked up.
void countEachFileOnce(std::vector<const FileRecord*>& files)
{
    using Identity = std::pair<std::uint64_t, std::uint64_t>; // device, inode
    std::vector<Identity> named;                              // files with more than one name
    for (const FileRecord* f : files)
        if (f->viaLink || f->hardLinked)
            named.emplace_back(f->device, f->inode);
    if (named.empty())
        return;
    std::sort(named.begin(), named.end());
    std::vector<std::pair<Identity, std::size_t>> keyed;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Identity id{files[i]->device, files[i]->inode};
        if (std::binary_search(named.begin(), named.end(), id))
            keyed.emplace_back(id, i);
    }
    keepFirstOfEach(files, std::move(keyed), [](const FileRecord* a, const FileRecord* b) {
        return std::tie(a->viaLink, a->location) < std::tie(b->viaLink, b->location);
    });
}

} // namespace

const std::string& nameOf(int language)
{
    return languages()[static_cast<std::size_t>(language)].name;
}

std::uint64_t weightedComplexity(const Counts& counts)
{
    return counts.code == 0 ? 0 : counts.complexity * 100 / counts.code;
}

std::vector<const FileRecord*> filterFiles(const WalkResult& walked, const Options& options)
{
    std::vector<const FileRecord*> files;
    files.reserve(walked.fileCount());
    for (const auto& part : walked.parts)
        for (const auto& f : part.files)
            files.push_back(&f);
    countEachFileOnce(files);
    std::erase_if(files, [&options](const FileRecord* f) {
        return (options.skipMinified && f->minified) || (options.skipGenerated && f->generated);
    });
    if (!options.skipDuplicates)
        return files;
    // Byte-identical files: of each such group the file with the smallest location stays.
    // The scan's quick hash (of all of a text file, of the first bytes of a binary one) tells
    // most files apart; those whose size and quick hash agree with another's are read again,
    // each once, for their SHA-256 digest, which no one knows how to make two different files
    // share. Files made to collide under the quick hash cost one more read each, not a
    // comparison with each other.
    std::vector<std::size_t> order(files.size());
    std::iota(order.begin(), order.end(), 0);
    const auto quick = [&files](std::size_t i) { return std::pair(files[i]->bytes, files[i]->contentHash); };
    std::sort(order.begin(), order.end(), [&quick](std::size_t a, std::size_t b) { return quick(a) < quick(b); });
    std::vector<std::size_t> again; // files to read again
    for (std::size_t j = 0; j < order.size(); ++j)
        if ((j > 0 && quick(order[j]) == quick(order[j - 1])) ||
            (j + 1 < order.size() && quick(order[j]) == quick(order[j + 1])))
            again.push_back(order[j]);
    // A thread for each 32 MiB to read, up to one a core: most trees have few duplicates.
    std::uint64_t toRead = 0;
    for (const std::size_t i : again)
        toRead += files[i]->bytes;
    const auto readers =
        static_cast<unsigned>(std::min<std::uint64_t>(threads::count(options.threads), toRead / (32 << 20) + 1));
    std::vector<std::optional<Digest>> digests(again.size());
    threads::parallelFor(again.size(), readers, [&](std::size_t k, unsigned) {
        digests[k] = dataDigest(files[again[k]]->location, files[again[k]]->bytes);
    });
    // A file that could not be read again stands alone.
    std::vector<std::pair<std::pair<std::uint64_t, Digest>, std::size_t>> keyed;
    for (std::size_t k = 0; k < again.size(); ++k)
        if (digests[k])
            keyed.push_back({{files[again[k]]->bytes, *digests[k]}, again[k]});
    keepFirstOfEach(files, std::move(keyed),
                    [](const FileRecord* a, const FileRecord* b) { return a->location < b->location; });
    return files;
}

std::vector<LanguageReport> summarize(const std::vector<const FileRecord*>& files, const Options& options)
{
    const SortKey key = options.sort;
    const bool byFigure = key != SortKey::Name && key != SortKey::Files;
    using Keyed = std::pair<std::uint64_t, const FileRecord*>;
    // Descending by the key, ties by location: a total order, whatever the walk's order.
    const auto before = [](const Keyed& a, const Keyed& b) {
        if (a.first != b.first)
            return a.first > b.first;
        return a.second->location < b.second->location;
    };
    const unsigned threads = threads::count(options.threads);
    const auto onAllCores = [threads](std::size_t tasks, const auto& task) {
        threads::parallelFor(tasks, threads, [&task](std::size_t i, unsigned) { task(i); });
    };

    // Each slice of the files is grouped by language and sorted on a core of its own; the
    // sorted runs of a language are then merged. A language without files stays out.
    const std::size_t languageCount = languages().size();
    const std::size_t sliceCount = files.size() > 5000 ? std::max(1u, threads) : 1;
    struct Slice {
        std::vector<LanguageReport> totals;
        std::vector<std::vector<Keyed>> files; // per language
    };
    std::vector<Slice> slices(sliceCount);
    onAllCores(sliceCount, [&](std::size_t k) {
        Slice& slice = slices[k];
        slice.totals.resize(languageCount);
        slice.files.resize(languageCount);
        const std::size_t first = files.size() * k / sliceCount;
        const std::size_t last = files.size() * (k + 1) / sliceCount;
        for (std::size_t i = first; i < last; ++i) {
            const FileRecord* f = files[i];
            const auto language = static_cast<std::size_t>(f->language);
            LanguageReport& r = slice.totals[language];
            r.bytes += f->bytes;
            r.files += 1;
            r.counts += f->counts;
            slice.files[language].emplace_back(byFigure ? figure(f->counts, 1, key) : 0, f);
        }
        for (auto& list : slice.files)
            std::sort(list.begin(), list.end(), before);
    });

    std::vector<LanguageReport> out;
    for (std::size_t language = 0; language < languageCount; ++language) {
        LanguageReport r;
        r.language = static_cast<int>(language);
        for (const Slice& slice : slices) {
            const LanguageReport& part = slice.totals[language];
            r.bytes += part.bytes;
            r.files += part.files;
            r.counts += part.counts;
        }
        if (r.files > 0)
            out.push_back(std::move(r));
    }
    std::sort(out.begin(), out.end(), [key](const LanguageReport& a, const LanguageReport& b) {
        if (key != SortKey::Name) {
            const auto fa = figure(a.counts, a.files, key);
            const auto fb = figure(b.counts, b.files, key);
            if (fa != fb)
                return fa > fb;
        }
        return nameOf(a.language) < nameOf(b.language);
    });

    // The files of each language, the largest languages first, merged on all cores.
    std::vector<LanguageReport*> bySize;
    for (auto& r : out)
        bySize.push_back(&r);
    std::sort(bySize.begin(), bySize.end(),
              [](const LanguageReport* a, const LanguageReport* b) { return a->files > b->files; });
    onAllCores(bySize.size(), [&](std::size_t i) {
        LanguageReport& r = *bySize[i];
        const auto language = static_cast<std::size_t>(r.language);
        std::vector<Keyed> all;
        all.reserve(r.files);
        std::vector<std::size_t> runs{0}; // where each slice's sorted run starts
        for (const Slice& slice : slices) {
            const auto& list = slice.files[language];
            all.insert(all.end(), list.begin(), list.end());
            runs.push_back(all.size());
        }
        // Neighbouring runs merged, in rounds, until one is left.
        while (runs.size() > 2) {
            std::vector<std::size_t> merged{0};
            for (std::size_t j = 0; j + 1 < runs.size(); j += 2) {
                const std::size_t end = j + 2 < runs.size() ? runs[j + 2] : runs[j + 1];
                if (j + 2 < runs.size())
                    std::inplace_merge(all.begin() + static_cast<std::ptrdiff_t>(runs[j]),
                                       all.begin() + static_cast<std::ptrdiff_t>(runs[j + 1]),
                                       all.begin() + static_cast<std::ptrdiff_t>(end), before);
                merged.push_back(end);
            }
            runs = std::move(merged);
        }
        r.fileRecords.reserve(all.size());
        for (const Keyed& file : all)
            r.fileRecords.push_back(file.second);
    });
    return out;
}

} // namespace qm::counter
