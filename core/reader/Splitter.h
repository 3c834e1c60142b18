#pragma once

// The reader's splitter: the output cut into its file records, read side by side on all
// cores, and put back together in the counter's order. A part of the counter output reader
// (CounterOutputReader.ipp), built with each of its kernels.

#include "core/ProcessOutput.h"
#include "core/reader/Fields.h"
#include "core/reader/RecordArena.h"

#include "common/CounterOutputFormat.h"
#include "common/Threads.h"
#include "core/ProcessOutput.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace qm {

namespace {

// The counter writes its output without spaces, each language's files last:
//
//   [{"Name":"C",...,"Files":[{"Language":"C",...},{"Language":"C",...}]},{"Name":"Go",...,"Files":[...]}]
//
// So a file record is found by its first bytes, `{"Language":`, which cannot
// stand anywhere else in valid JSON but at the start of an object (inside a
// string the quote after the brace would end it, and a name could not follow).
// The text is cut at those starts and every piece is read on its own, on
// several threads: a file record, then what joins it to the next one, which
// is a comma, or the end of its language and the start of the next one up to
// its "Files" (a language's own fields), or the end of the list. The text is
// taken only when every piece reads and every join is exactly one of those,
// which makes it valid JSON of that shape, read field by field as the strict
// decoder reads it; anything else (spaces, keys in another order, a language
// without files, a start that was not a file record...) is left to the
// strict decoder.
constexpr std::string_view kFileStart = counterOutput::fileRecordStart;
constexpr std::string_view kFilesKey = counterOutput::filesStart;

// What follows a file record.
struct Join {
    enum Kind : std::uint8_t { comma, nextLanguage, end } kind = comma;
    std::shared_ptr<LanguageEntry> language; // the next language, for nextLanguage
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

class Pieces {
public:
    Pieces(std::string_view text, std::size_t capacity, const DoneWithText* doneWith = nullptr)
        : text_(text), capacity_(capacity), doneWith_(doneWith)
    {
    }
    Pieces(const Pieces&) = delete;
    Pieces& operator=(const Pieces&) = delete;
    ~Pieces()
    {
        batches_.clear(); // records not handed on release their slots
        if (block_)
            block_->release();
    }

    std::optional<LanguageList> read()
    {
        if (text_.front() != '[')
            return std::nullopt;
        findFileStarts();
        if (steppedBack_ || starts_.empty())
            return std::nullopt;
        // The first language runs from after the opening bracket to its first file.
        auto first = readLanguage(text_.substr(1, starts_.front() - 1));
        if (!first)
            return std::nullopt;
        batches_.resize((starts_.size() + batchSize - 1) / batchSize);
        // When the text is to be given up as it is read, every record and
        // join is checked first, into a record thrown away: whatever would
        // step back does so while the text is still whole. The records are
        // then read again, for good, from text known to be taken.
        const bool checkFirst = doneWith_ && *doneWith_;
        if (checkFirst) {
            inParallel(batches_.size(), [&](std::size_t batch, od::parser& parser) {
                auto scratch = std::make_shared<FileEntry>();
                batches_[batch].joins.reserve(batchEnd(batch) - batch * batchSize);
                for (std::size_t i = batch * batchSize;
                     i < batchEnd(batch) && !steppedBack_.load(std::memory_order_relaxed); ++i) {
                    scratch->possibleLanguages.clear();
                    readJoin(i, readFile(parser, i, scratch), batches_[batch].joins.emplace_back());
                }
            });
            if (steppedBack_)
                return std::nullopt;
        }
        // Each batch's records are kept by the thread that reads them, in
        // memory that thread takes, so that even taking memory is shared out.
        block_ = RecordBlock::make(starts_.size());
        inParallel(batches_.size(), [&](std::size_t batch, od::parser& parser) {
            const std::size_t begin = batch * batchSize, end = batchEnd(batch);
            Batch& b = batches_[batch];
            b.files.reserve(end - begin);
            if (!checkFirst)
                b.joins.reserve(end - begin);
            // Every slot of the batch is held until its record goes; the
            // slots of records never made are let go here.
            block_->hold(end - begin);
            std::size_t taken = 0;
            try {
                for (std::size_t i = begin; i < end && !steppedBack_.load(std::memory_order_relaxed); ++i) {
                    auto record =
                        std::allocate_shared<FileEntry>(SlotAllocator<FileEntry>(block_, block_->slot(i), &taken),
                                                        freshId());
                    const std::size_t after = readFile(parser, i, record);
                    b.files.push_back(std::move(record));
                    if (!checkFirst)
                        readJoin(i, after, b.joins.emplace_back());
                }
            } catch (...) {
                block_->release(end - begin - taken);
                throw;
            }
            block_->release(end - begin - taken);
            if (checkFirst)
                giveUpTextOf(batch);
        });
        auto languages = steppedBack_ ? std::nullopt : join(std::move(first));
        // Text that was taken once is read again the same way: this cannot
        // step back, and the strict decoder could not read what was given up.
        if (!languages && checkFirst)
            throw std::logic_error("the counter's output was read differently the second time");
        return languages;
    }

private:
    // Records are read in batches of this many, and the text searched in
    // pieces of this many bytes; a single batch or piece is read on the
    // calling thread alone.
    static constexpr std::size_t batchSize = 1024;
    static constexpr std::size_t searchPiece = std::size_t{1} << 20;

    std::size_t batchEnd(std::size_t batch) const { return std::min(starts_.size(), (batch + 1) * batchSize); }

    // Finds the start of every file record, a piece of the text at a time:
    // the first reading of tens of megabytes just written is slow enough
    // (each page is mapped on its first touch) to be shared out too.
    void findFileStarts()
    {
        const std::size_t pieces = (text_.size() + searchPiece - 1) / searchPiece;
        std::vector<std::vector<std::size_t>> found(pieces);
        inParallel(pieces, [&](std::size_t piece, od::parser&) {
            const std::size_t begin = piece * searchPiece, end = std::min(text_.size(), begin + searchPiece);
            // A start that begins in this piece may end in the next one.
            const std::string_view part = text_.substr(begin, end - begin + kFileStart.size() - 1);
            for (std::size_t at = part.find(kFileStart); at != std::string_view::npos && begin + at < end;
                 at = part.find(kFileStart, at + 1))
                found[piece].push_back(begin + at);
        });
        std::size_t total = 0;
        for (const auto& starts : found)
            total += starts.size();
        starts_.reserve(total);
        for (const auto& starts : found)
            starts_.insert(starts_.end(), starts.begin(), starts.end());
    }

    // The readable bytes from `at` to the end of the text's padding.
    simdjson::padded_string_view view(std::size_t at, std::size_t length) const
    {
        return simdjson::padded_string_view(text_.data() + at, length, capacity_ - at);
    }

    // Reads a language's own fields, "Files" last and empty: `fields` runs
    // from its opening brace to its files' opening bracket.
    std::shared_ptr<LanguageEntry> readLanguage(std::string_view fields) const
    {
        if (fields.size() < kFilesKey.size() || fields.substr(fields.size() - kFilesKey.size()) != kFilesKey)
            return nullptr;
        std::string closed;
        closed.reserve(fields.size() + 2 + simdjson::SIMDJSON_PADDING);
        closed.append(fields).append("]}");
        od::parser parser;
        od::document document = take(parser.iterate(closed.data(), closed.size(), closed.capacity()));
        std::size_t last = 0;
        auto language = readRecord<LanguageEntry>(take(document.get_value()), &last);
        if (document.current_location().error() != simdjson::OUT_OF_BOUNDS)
            return nullptr; // something after the language
        if (last != std::tuple_size_v<decltype(LanguageEntry::codingKeys())> - 1)
            return nullptr; // "Files" was not its last key
        return language;
    }

    // The records of a batch and what follows each of them.
    struct Batch {
        std::vector<std::shared_ptr<FileEntry>> files;
        std::vector<Join> joins;
    };

    // Reads file record `i` into `record`; returns where the record ends.
    std::size_t readFile(od::parser& parser, std::size_t i, std::shared_ptr<FileEntry>& record)
    {
        const std::size_t at = starts_[i];
        const std::size_t next = i + 1 == starts_.size() ? text_.size() : starts_[i + 1];
        od::document document = take(parser.iterate(view(at, next - at)));
        record = readRecord<FileEntry>(take(document.get_value()), nullptr, std::move(record));
        return static_cast<std::size_t>(take(document.current_location()) - text_.data());
    }

    // Reads what follows file record `i`, from `after` to the next record.
    void readJoin(std::size_t i, std::size_t after, Join& join) const
    {
        const bool last = i + 1 == starts_.size();
        const std::size_t next = last ? text_.size() : starts_[i + 1];
        const std::string_view rest = text_.substr(after);
        const std::size_t joinLength = next - after;
        if (!last && joinLength == 1 && rest.front() == ',') {
            join.kind = Join::comma;
        } else if (!last && rest.starts_with("]},")) {
            join.kind = Join::nextLanguage;
            join.language = readLanguage(rest.substr(3, joinLength - 3));
            if (!join.language)
                throw StepBack{};
        } else if (last && rest.starts_with("]}]") &&
                   std::all_of(rest.begin() + 3, rest.begin() + joinLength, [](char c) { return isSpace(c); })) {
            join.kind = Join::end;
        } else {
            throw StepBack{};
        }
    }

    // Tells of the whole pages of the text of a batch's records, once they
    // are read for good. The pages a batch shares with its neighbours stay
    // (their records may still be read), and so do the bytes at its start
    // the parser may look at past the last record of the batch before.
    void giveUpTextOf(std::size_t batch) const
    {
        const std::uintptr_t page = ProcessOutput::pageSize();
        const auto offset = reinterpret_cast<std::uintptr_t>(text_.data());
        const std::size_t begin = starts_[batch * batchSize];
        const std::size_t end = batchEnd(batch) == starts_.size() ? text_.size() : starts_[batchEnd(batch)];
        const std::uintptr_t first = (offset + begin + simdjson::SIMDJSON_PADDING + page - 1) / page * page;
        const std::uintptr_t last = (offset + end) / page * page;
        if (last > first)
            (*doneWith_)(first - offset, last - first);
    }

    // Runs `task(i, parser)` for every i below `count`, on this thread and,
    // for more than one, on as many others as there are cores (or as can be
    // started), each thread with a parser of its own. The first step back or
    // error stops them all; an error is then thrown here.
    template <class Task>
    void inParallel(std::size_t count, Task&& task)
    {
        const auto threadCount = static_cast<unsigned>(std::min<std::size_t>(count, threads::count()));
        std::vector<std::optional<od::parser>> parsers(std::max(1u, threadCount));
        threads::parallelFor(count, threadCount, [&](std::size_t i, unsigned thread) {
            if (steppedBack_.load(std::memory_order_relaxed))
                return;
            try {
                auto& parser = parsers[thread] ? *parsers[thread] : parsers[thread].emplace();
                task(i, parser);
            } catch (const StepBack&) {
                steppedBack_ = true;
            } catch (...) {
                std::lock_guard lock(mutex_);
                if (!failure_)
                    failure_ = std::current_exception();
                steppedBack_ = true;
            }
        });
        if (failure_)
            std::rethrow_exception(failure_);
    }

    // Puts each file in its language, in the counter's order.
    std::optional<LanguageList> join(std::shared_ptr<LanguageEntry> first)
    {
        LanguageList languages;
        languages.push_back(std::move(first));
        for (std::size_t b = 0; b < batches_.size(); ++b) {
            Batch& batch = batches_[b];
            for (std::size_t i = 0; i < batch.files.size(); ++i) {
                auto& files = languages.back()->files;
                if (files.empty())
                    files.reserve(filesOfLanguageFrom(b, i));
                files.push_back(std::move(batch.files[i]));
                if (batch.joins[i].kind == Join::comma)
                    continue;
                if (batch.joins[i].kind == Join::end)
                    return b + 1 == batches_.size() && i + 1 == batch.files.size() ? std::optional(std::move(languages))
                                                                                   : std::nullopt;
                languages.push_back(std::move(batch.joins[i].language));
            }
        }
        return std::nullopt; // the list never ended
    }

    // How many files the language whose first file is file `i` of batch `b` has.
    std::size_t filesOfLanguageFrom(std::size_t b, std::size_t i) const
    {
        std::size_t count = 0;
        for (; b < batches_.size(); ++b, i = 0) {
            for (; i < batches_[b].joins.size(); ++i) {
                ++count;
                if (batches_[b].joins[i].kind != Join::comma)
                    return count;
            }
        }
        return count;
    }

    std::string_view text_;
    std::size_t capacity_;
    const DoneWithText* doneWith_;
    std::vector<std::size_t> starts_;
    std::vector<Batch> batches_;
    RecordBlock* block_ = nullptr;
    std::atomic<bool> steppedBack_ = false;
    std::mutex mutex_;
    std::exception_ptr failure_;
};

} // namespace

} // namespace qm
