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
// Nearly all of the text is file records. A first pass reads the languages
// and only marks where each of their file records stands; meanwhile the file
// records are read on other threads, each record on its own.

#include "core/CounterOutputReader.h"

#include <simdjson.h>

#include <algorithm>
#include <atomic>
#include <bitset>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
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
std::shared_ptr<Record> readRecord(od::value value);
template <class T>
void read(od::value value, std::vector<T>& out);
template <CodedRecord Record>
void read(od::value value, std::shared_ptr<Record>& out);
void read(od::value value, std::vector<std::shared_ptr<FileEntry>>& out);

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

// Reads file records on other threads while the first pass goes on. Records
// come in batches; the first full batch starts the readers (fewer records are
// read on the calling thread alone, and so are all of them when no reader
// can be started). Each record is read into its batch and
// set in place once all are read, as the first pass is still growing the
// lists they go to.
class FileReaders {
public:
    explicit FileReaders(const char* textEnd) : textEnd_(textEnd) {}
    FileReaders(const FileReaders&) = delete;
    FileReaders& operator=(const FileReaders&) = delete;
    ~FileReaders()
    {
        steppedBack_ = true; // left before the end: what is still queued is not read
        stop();
    }

    void add(std::string_view json, std::vector<std::shared_ptr<FileEntry>>& files)
    {
        if (!filling_) {
            filling_ = &batches_.emplace_back();
            filling_->reserve(batchSize);
        }
        filling_->push_back({json, &files, files.size() - 1, nullptr});
        if (filling_->size() == batchSize)
            post();
    }

    // Reads what is left, waits for the readers and sets every record in its
    // list. False when a record was not plain output.
    bool finish()
    {
        {
            std::lock_guard lock(mutex_);
            if (filling_)
                queue_.push_back(std::exchange(filling_, nullptr));
            closed_ = true;
        }
        wake_.notify_all();
        work(); // this thread helps with the last batches
        stop();
        if (failure_)
            std::rethrow_exception(failure_);
        if (steppedBack_)
            return false;
        for (Batch& batch : batches_)
            for (PendingFile& file : batch)
                (*file.files)[file.index] = std::move(file.record);
        return true;
    }

private:
    static constexpr std::size_t batchSize = 1024;

    struct PendingFile {
        std::string_view json;
        std::vector<std::shared_ptr<FileEntry>>* files;
        std::size_t index;
        std::shared_ptr<FileEntry> record;
    };
    using Batch = std::vector<PendingFile>;

    void post()
    {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(filling_);
        }
        filling_ = nullptr;
        if (!helpersAsked_) {
            helpersAsked_ = true;
            const unsigned helpers = std::max(2u, std::thread::hardware_concurrency()) - 1;
            try {
                for (unsigned i = 0; i < helpers; ++i)
                    workers_.emplace_back([this] { work(); });
            } catch (const std::system_error&) {
                // No more threads (a process limit): the helpers that did
                // start read on, and the calling thread reads the rest in
                // finish().
            }
        } else {
            wake_.notify_one();
        }
    }

    Batch* next()
    {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return !queue_.empty() || closed_; });
        if (queue_.empty())
            return nullptr;
        Batch* batch = queue_.front();
        queue_.pop_front();
        return batch;
    }

    void work()
    {
        try {
            od::parser parser;
            while (Batch* batch = next()) {
                for (PendingFile& file : *batch) {
                    if (steppedBack_.load(std::memory_order_relaxed))
                        break;
                    // The record's text lies inside the whole text, so its padding is there too.
                    const simdjson::padded_string_view view(file.json.data(), file.json.size(),
                                                            static_cast<std::size_t>(textEnd_ - file.json.data()));
                    od::document document = take(parser.iterate(view));
                    file.record = readRecord<FileEntry>(take(document.get_value()));
                }
            }
        } catch (const StepBack&) {
            steppedBack_ = true;
        } catch (...) {
            std::lock_guard lock(mutex_);
            if (!failure_)
                failure_ = std::current_exception();
            steppedBack_ = true;
        }
    }

    void stop()
    {
        {
            std::lock_guard lock(mutex_);
            closed_ = true;
        }
        wake_.notify_all();
        workers_.clear(); // joins
    }

    const char* textEnd_;
    std::deque<Batch> batches_; // stays in place as it grows: the queue points into it
    Batch* filling_ = nullptr;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Batch*> queue_;
    bool helpersAsked_ = false;
    bool closed_ = false;
    std::atomic<bool> steppedBack_ = false;
    std::exception_ptr failure_;
    std::vector<std::jthread> workers_;
};

// While the first pass runs, the file records met are handed to these.
thread_local FileReaders* fileReaders = nullptr;

template <CodedRecord Record>
void read(od::value value, std::shared_ptr<Record>& out)
{
    out = readRecord<Record>(value);
}

void read(od::value value, std::vector<std::shared_ptr<FileEntry>>& out)
{
    for (auto element : take(value.get_array())) {
        out.emplace_back();
        if (fileReaders)
            fileReaders->add(take(take(take(std::move(element)).get_object()).raw_json()), out);
        else
            read(take(std::move(element)), out.back());
    }
}

// Calls `use(field)` with the record's field number `index`.
template <class Record, class Use, std::size_t... I>
void withField(std::size_t index, Use&& use, std::index_sequence<I...>)
{
    constexpr auto fields = Record::codingKeys();
    ((index == I ? (use(std::get<I>(fields)), true) : false) || ...);
}

template <class Record>
std::shared_ptr<Record> readRecord(od::value value)
{
    constexpr auto fields = Record::codingKeys();
    constexpr std::size_t count = std::tuple_size_v<decltype(fields)>;
    static constexpr auto keys =
        std::apply([](const auto&... field) { return std::array<std::string_view, count>{field.key...}; }, fields);

    auto record = std::make_shared<Record>(freshId());
    std::bitset<count> seen;
    std::size_t next = 0; // the counter writes the keys in coding order: look there first
    for (auto member : take(value.get_object())) {
        auto field = take(std::move(member));
        const std::string_view key = take(field.unescaped_key());
        std::size_t index = next < count && keys[next] == key ? next : count;
        for (std::size_t i = 0; index == count && i < count; ++i)
            if (keys[i] == key)
                index = i;
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
    return record;
}

std::optional<LanguageList> readInPlace(std::string_view text, std::size_t capacity)
{
    simdjson::padded_string copy;
    simdjson::padded_string_view view;
    if (capacity >= text.size() + simdjson::SIMDJSON_PADDING) {
        view = simdjson::padded_string_view(text.data(), text.size(), capacity);
    } else {
        copy = simdjson::padded_string(text);
        view = copy;
    }
    FileReaders readers(view.data() + view.capacity());
    struct Marking {
        explicit Marking(FileReaders& readers) { fileReaders = &readers; }
        ~Marking() { fileReaders = nullptr; }
    };
    try {
        od::parser parser;
        od::document document = take(parser.iterate(view));
        LanguageList languages;
        {
            Marking marking(readers);
            for (auto element : take(document.get_array()))
                languages.push_back(readRecord<LanguageEntry>(take(std::move(element))));
        }
        // Past the array there may be nothing but whitespace.
        if (document.current_location().error() != simdjson::OUT_OF_BOUNDS)
            return std::nullopt;
        if (!readers.finish())
            return std::nullopt;
        return languages;
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
