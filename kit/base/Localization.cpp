#include "kit/base/Localization.h"

#include "kit/base/Format.h"

#include <QString>

#include <atomic>
#include <mutex>

namespace kit {

namespace {

struct Table {
    std::mutex mutex;
    StringTable::Entries entries;
};

Table& table()
{
    static Table t;
    return t;
}

std::atomic<std::uint64_t> tableGeneration{0};

std::string argumentText(const FormatArgument& argument, bool asInteger)
{
    if (auto* text = std::get_if<std::string>(&argument.value))
        return *text;
    auto number = std::get<std::int64_t>(argument.value);
    return asInteger ? formatInt("%lld", number) : std::to_string(number);
}

} // namespace

void StringTable::setActive(Entries entries)
{
    auto& t = table();
    std::lock_guard lock(t.mutex);
    t.entries = std::move(entries);
    ++tableGeneration;
}

std::uint64_t StringTable::generation()
{
    return tableGeneration;
}

std::string StringTable::lookup(std::string_view key)
{
    auto& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(std::string(key));
    return it == t.entries.end() ? std::string(key) : it->second;
}

std::string localized(std::string_view key)
{
    return StringTable::lookup(key);
}

std::string formatText(std::string_view format, const std::vector<FormatArgument>& arguments)
{
    std::string out;
    std::size_t next = 0;
    auto take = [&](std::size_t index, bool asInteger) {
        if (index < arguments.size())
            out += argumentText(arguments[index], asInteger);
    };
    for (std::size_t i = 0; i < format.size(); ++i) {
        std::string_view rest = format.substr(i);
        if (rest.starts_with("%%")) {
            out += '%';
            i += 1;
        } else if (rest.starts_with("%@")) {
            take(next++, false);
            i += 1;
        } else if (rest.starts_with("%lld") || rest.starts_with("%ld") || rest.starts_with("%d") ||
                   rest.starts_with("%i")) {
            take(next++, true);
            i += rest.find_first_of("di");
        } else if (rest.size() > 2 && rest[0] == '%' && rest[1] >= '1' && rest[1] <= '9') {
            std::size_t j = 1;
            std::size_t position = 0;
            while (j < rest.size() && rest[j] >= '0' && rest[j] <= '9')
                position = position * 10 + static_cast<std::size_t>(rest[j++] - '0');
            if (rest.substr(j).starts_with("$@")) {
                take(position - 1, false);
                i += j + 1;
            } else {
                out += '%';
            }
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string nfc(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .normalized(QString::NormalizationForm_C)
        .toStdString();
}

bool equalAfterNFC(std::string_view a, std::string_view b)
{
    return nfc(a) == nfc(b);
}

} // namespace kit
