// The in-place reader of the counter's output, compiled once per kernel of
// simdjson: core/CMakeLists.txt builds this file with each kernel's
// instruction-set flags and QM_READER_ENTRY naming its entry point (declared
// in core/CounterOutputReader.h). simdjson compiles its On-Demand parser only
// for the one kernel the compiler flags allow (no -mavx2: the portable
// "fallback" one), so reading with the best kernel the processor has means
// building this reader once per kernel and choosing at run time
// (CounterOutputDecoding.cpp).
//
// Why these builds cannot leak into one another. Each is compiled with its
// own flags, so every function it emits may use that kernel's instructions:
// not only its own code, but also every inline function and template it
// instantiates from shared headers (std::string::assign, std::make_shared
// of a FileEntry, a shared_ptr's control block...). Left as they are, such
// instantiations are weak symbols that the linker merges with the same
// names from other files: it could keep the AVX2 copy of, say,
// std::vector<std::string>::_M_realloc_insert for the whole program, which
// then crashes on a processor without AVX2. So after compiling, each build is
// linked on its own into one object (ld -r --force-group-allocation), whose
// symbols are then all made local except its entry point (objcopy
// --keep-global-symbol): whatever the build defined is used by the build
// alone, and the rest of the program keeps its own plainly compiled copies.
// Its references to anything it does not define (the C++ library, simdjson's
// library, qm::freshId...) stay references to the one shared definition.
// Static data of the inline functions it instantiates (a local static, a
// template's static member) becomes its own as well; none of it is state the
// rest of the program relies on sharing. tests/core checks that each object
// defines no global symbol but its entry point.
// Nothing is defined here outside an anonymous namespace but the entry
// point, and nothing global is kept in one build that another could need:
// the types it creates (FileEntry, LanguageEntry, std::string) have the same
// layout whatever the flags, and records made by one build are used and
// released by plainly compiled code, through their own (local) virtual
// functions where they have any.
//
// The counter's output of a large tree is tens of megabytes. It is read in
// place, field by field, straight into the records, with no document tree
// in between. That reader only ever accepts plain, well-formed output; for
// anything else (a missing, null, mistyped or repeated key, a number that is
// not a plain integer, text that is not JSON...) it steps back and the strict
// decoder of kit/base decides, so the result and the error (kind, coding
// path, description) are always exactly the strict decoder's.
//
// Nearly all of the text is file records: the text is cut into them, and
// they are read on several threads, each on its own (Pieces below).

#include "core/CounterOutputReader.h"

#include "common/Threads.h"

#include <simdjson.h>

#include <algorithm>
#include <atomic>
#include <bitset>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <sys/mman.h>
#include <utility>

#ifndef QM_READER_ENTRY
#error "QM_READER_ENTRY names the entry point of this build of the reader (see core/CMakeLists.txt)"
#endif

namespace qm {

static_assert(counterOutputPadding >= simdjson::SIMDJSON_PADDING);

namespace {

namespace od = simdjson::ondemand;

// The fast reader leaves this text to the strict decoder.
struct StepBack {};

void check(simdjson::error_code error)
{
    if (error)
        throw StepBack{};
}

template <class T>
T take(simdjson::simdjson_result<T>&& result)
{
    T value;
    check(std::move(result).get(value));
    return value;
}

// Nesting beyond this in keys the records do not know is left to the strict decoder.
constexpr int kDeepestUnknownValue = 256;

// Reads a value nobody asks for to its end, so that malformed JSON inside it
// is noticed as the strict decoder notices it.
void validate(od::value value, int depth)
{
    if (depth > kDeepestUnknownValue)
        throw StepBack{};
    switch (take(value.type())) {
    case od::json_type::array:
        for (auto element : take(value.get_array()))
            validate(take(std::move(element)), depth + 1);
        return;
    case od::json_type::object:
        for (auto field : take(value.get_object())) {
            auto member = take(std::move(field));
            take(member.unescaped_key());
            validate(std::move(member).value(), depth + 1);
        }
        return;
    case od::json_type::number:
        take(value.get_number());
        return;
    case od::json_type::string:
        take(value.get_string());
        return;
    case od::json_type::boolean:
        take(value.get_bool());
        return;
    case od::json_type::null:
        if (!take(value.is_null()))
            throw StepBack{};
        return;
    }
    throw StepBack{};
}

template <class Record>
std::shared_ptr<Record> readRecord(od::value value, std::size_t* lastField = nullptr,
                                   std::shared_ptr<Record> record = nullptr);
template <class T>
void read(od::value value, std::vector<T>& out);
template <CodedRecord Record>
void read(od::value value, std::shared_ptr<Record>& out);

void read(od::value value, std::string& out)
{
    out.assign(take(value.get_string()));
}

void read(od::value value, std::int64_t& out)
{
    // Only plain integer literals: "2.0" or "1e2" go to the strict decoder.
    out = take(value.get_int64());
}

void read(od::value value, bool& out)
{
    out = take(value.get_bool());
}

template <class T>
void read(od::value value, std::vector<T>& out)
{
    for (auto element : take(value.get_array()))
        read(take(std::move(element)), out.emplace_back());
}

template <CodedRecord Record>
void read(od::value value, std::shared_ptr<Record>& out)
{
    out = readRecord<Record>(value);
}

// Calls `use(field)` with the record's field number `index`.
template <class Record, class Use, std::size_t... I>
void withField(std::size_t index, Use&& use, std::index_sequence<I...>)
{
    constexpr auto fields = Record::codingKeys();
    (void)((index == I ? (use(std::get<I>(fields)), true) : false) || ...);
}

// Reads one record, into `record` when one is given; `lastField`, when asked
// for, is the number of the field of the record's last key, or the number of
// fields when that key is one the record does not know.
template <class Record>
std::shared_ptr<Record> readRecord(od::value value, std::size_t* lastField, std::shared_ptr<Record> record)
{
    constexpr auto fields = Record::codingKeys();
    constexpr std::size_t count = std::tuple_size_v<decltype(fields)>;
    static constexpr auto keys =
        std::apply([](const auto&... field) { return std::array<std::string_view, count>{field.key...}; }, fields);

    if (!record)
        record = std::make_shared<Record>(freshId());
    std::bitset<count> seen;
    std::size_t next = 0; // the counter writes the keys in coding order: look there first
    std::size_t last = count;
    for (auto member : take(value.get_object())) {
        auto field = take(std::move(member));
        const std::string_view key = take(field.unescaped_key());
        std::size_t index = next < count && keys[next] == key ? next : count;
        for (std::size_t i = 0; index == count && i < count; ++i)
            if (keys[i] == key)
                index = i;
        last = index;
        if (index == count) {
            validate(std::move(field).value(), 1);
            continue;
        }
        if (seen.test(index))
            throw StepBack{}; // a repeated key: the strict decoder keeps the last
        seen.set(index);
        next = index + 1;
        withField<Record>(
            index, [&](const auto& f) { read(std::move(field).value(), record.get()->*f.member); },
            std::make_index_sequence<count>{});
    }
    if (!seen.all())
        throw StepBack{};
    if (lastField)
        *lastField = last;
    return record;
}

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
constexpr std::string_view kFileStart = R"({"Language":)";
constexpr std::string_view kFilesKey = R"("Files":[)";

// What follows a file record.
struct Join {
    enum Kind : std::uint8_t { comma, nextLanguage, end } kind = comma;
    std::shared_ptr<LanguageEntry> language; // the next language, for nextLanguage
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Memory for the file records of one output, in one piece, asked for in
// huge pages: every page of memory is slow to touch the first time (on a
// virtual machine, very slow), and tens of thousands of records take
// thousands of small pages. Each record's shared_ptr control block (with the
// record in it) takes one slot; the block is released with its last record.
class RecordBlock {
public:
    // Room after a record for its control block: counts, a virtual table
    // and the allocator. A control block that needs more is allocated
    // elsewhere.
    static constexpr std::size_t allocatorSize = 3 * sizeof(void*);
    static constexpr std::size_t slotSize = (sizeof(FileEntry) + 2 * sizeof(void*) + allocatorSize + 15) / 16 * 16;
    static constexpr std::size_t hugePage = std::size_t{2} << 20;

    // A block of `slots` slots, held once by its maker (release() it).
    static RecordBlock* make(std::size_t slots)
    {
        const std::size_t length = (slots * slotSize + hugePage - 1) / hugePage * hugePage + hugePage;
        void* mapped = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        auto* block = new (std::nothrow) RecordBlock(static_cast<char*>(mapped), length);
        if (!block) {
            ::munmap(mapped, length);
            throw std::bad_alloc();
        }
        // Huge pages start at huge-page boundaries; the advice is only a hint.
        ::madvise(block->base_, length - (block->base_ - block->mapped_), MADV_HUGEPAGE);
        return block;
    }

    char* slot(std::size_t i) const { return base_ + i * slotSize; }
    bool holds(const void* p) const { return p >= mapped_ && p < mapped_ + length_; }
    void hold(std::size_t times) { holders_.fetch_add(times, std::memory_order_relaxed); }
    void release(std::size_t times = 1)
    {
        if (times != 0 && holders_.fetch_sub(times, std::memory_order_acq_rel) == times)
            delete this;
    }

private:
    RecordBlock(char* mapped, std::size_t length)
        : mapped_(mapped), length_(length),
          base_(mapped + (hugePage - reinterpret_cast<std::uintptr_t>(mapped) % hugePage) % hugePage)
    {
    }
    ~RecordBlock() { ::munmap(mapped_, length_); }

    char* mapped_;
    std::size_t length_;
    char* base_;
    std::atomic<std::size_t> holders_ = 1;
};

// Allocates a record's control block in its slot of a block: the first
// allocation (there is one) takes the slot, counted in `*taken`; any other
// goes to the heap. A control block in a block releases its hold on it.
template <class T>
struct SlotAllocator {
    using value_type = T;

    RecordBlock* block;
    char* slot;
    std::size_t* taken;

    SlotAllocator(RecordBlock* b, char* s, std::size_t* t) : block(b), slot(s), taken(t) {}
    template <class U>
    SlotAllocator(const SlotAllocator<U>& other) : block(other.block), slot(other.slot), taken(other.taken)
    {
    }

    T* allocate(std::size_t n)
    {
        if (slot && n * sizeof(T) <= RecordBlock::slotSize && alignof(T) <= 16) {
            ++*taken;
            return reinterpret_cast<T*>(std::exchange(slot, nullptr));
        }
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, std::size_t n)
    {
        if (block->holds(p))
            block->release();
        else
            std::allocator<T>().deallocate(p, n);
    }

    template <class U>
    bool operator==(const SlotAllocator<U>& other) const
    {
        return block == other.block;
    }
};

static_assert(sizeof(SlotAllocator<FileEntry>) == RecordBlock::allocatorSize);

class Pieces {
public:
    Pieces(std::string_view text, std::size_t capacity) : text_(text), capacity_(capacity) {}
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
        // Each batch's records are kept by the thread that reads them, in
        // memory that thread takes, so that even taking memory is shared out.
        batches_.resize((starts_.size() + batchSize - 1) / batchSize);
        block_ = RecordBlock::make(starts_.size());
        inParallel(batches_.size(), [&](std::size_t batch, od::parser& parser) {
            const std::size_t begin = batch * batchSize, end = std::min(starts_.size(), begin + batchSize);
            batches_[batch].files.reserve(end - begin);
            batches_[batch].joins.reserve(end - begin);
            // Every slot of the batch is held until its record goes; the
            // slots of records never made are let go here.
            block_->hold(end - begin);
            std::size_t taken = 0;
            try {
                for (std::size_t i = begin; i < end && !steppedBack_.load(std::memory_order_relaxed); ++i)
                    readFile(parser, i, batches_[batch], taken);
            } catch (...) {
                block_->release(end - begin - taken);
                throw;
            }
            block_->release(end - begin - taken);
        });
        if (steppedBack_)
            return std::nullopt;
        return join(std::move(first));
    }

private:
    // Records are read in batches of this many, and the text searched in
    // pieces of this many bytes; a single batch or piece is read on the
    // calling thread alone.
    static constexpr std::size_t batchSize = 1024;
    static constexpr std::size_t searchPiece = std::size_t{1} << 20;

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

    // Reads file record `i` and what follows it into its batch.
    void readFile(od::parser& parser, std::size_t i, Batch& batch, std::size_t& taken)
    {
        const std::size_t at = starts_[i];
        const bool last = i + 1 == starts_.size();
        const std::size_t next = last ? text_.size() : starts_[i + 1];
        od::document document = take(parser.iterate(view(at, next - at)));
        auto record = std::allocate_shared<FileEntry>(SlotAllocator<FileEntry>(block_, block_->slot(i), &taken),
                                                      freshId());
        batch.files.push_back(readRecord<FileEntry>(take(document.get_value()), nullptr, std::move(record)));
        Join& join = batch.joins.emplace_back();
        const char* after = take(document.current_location());
        const std::string_view rest = text_.substr(static_cast<std::size_t>(after - text_.data()));
        const std::size_t joinLength = next - static_cast<std::size_t>(after - text_.data());
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
    std::vector<std::size_t> starts_;
    std::vector<Batch> batches_;
    RecordBlock* block_ = nullptr;
    std::atomic<bool> steppedBack_ = false;
    std::mutex mutex_;
    std::exception_ptr failure_;
};

// A text without a single file record is small, or unusual: the whole of it
// is read as one document.
std::optional<LanguageList> readWhole(simdjson::padded_string_view view)
{
    od::parser parser;
    od::document document = take(parser.iterate(view));
    LanguageList languages;
    for (auto element : take(document.get_array()))
        languages.push_back(readRecord<LanguageEntry>(take(std::move(element))));
    // Past the array there may be nothing but whitespace.
    if (document.current_location().error() != simdjson::OUT_OF_BOUNDS)
        return std::nullopt;
    return languages;
}

std::optional<LanguageList> readInPlace(std::string_view text, std::size_t capacity)
{
    simdjson::padded_string copy;
    if (capacity < text.size() + simdjson::SIMDJSON_PADDING) {
        copy = simdjson::padded_string(text);
        text = std::string_view(copy.data(), copy.size());
        capacity = copy.size() + simdjson::SIMDJSON_PADDING;
    }
    try {
        if (text.find(kFileStart) == std::string_view::npos)
            return readWhole(simdjson::padded_string_view(text.data(), text.size(), capacity));
        return Pieces(text, capacity).read();
    } catch (const StepBack&) {
        return std::nullopt;
    }
}

} // namespace

} // namespace qm

bool QM_READER_ENTRY(const char* text, std::size_t size, std::size_t capacity, qm::LanguageList* out)
{
    auto languages = qm::readInPlace(std::string_view(text, size), capacity);
    if (!languages)
        return false;
    *out = std::move(*languages);
    return true;
}
