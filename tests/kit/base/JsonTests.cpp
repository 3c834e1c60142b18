#include "kit/base/Json.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Kind = kit::DecodingError::Kind;

struct Item {
    std::string name;
    std::int64_t count = 0;
    double weight = 0;
    bool flag = false;
    std::optional<std::string> note;
    std::vector<std::int64_t> codes;

    static Item fromJson(const kit::Decoder& d)
    {
        return Item{d.decode<std::string>("Name"),
                    d.decode<std::int64_t>("Count"),
                    d.decode<double>("Weight"),
                    d.decode<bool>("Flag"),
                    d.decodeIfPresent<std::string>("Note"),
                    d.decode<std::vector<std::int64_t>>("Codes")};
    }
};

void expectError(const std::function<void()>& decode, Kind kind, const std::string& path)
{
    try {
        decode();
        ADD_FAILURE() << "decoded without error; expected an error at " << path;
    } catch (const kit::DecodingError& error) {
        EXPECT_EQ(error.kind(), kind) << error.what();
        EXPECT_EQ(error.codingPath(), path) << error.what();
    }
}

TEST(Json, DecodesTypedFieldsIgnoringUnknownKeys)
{
    auto items = kit::decodeJson<std::vector<Item>>(
        R"([{"Name":"a","Count":3,"Weight":2,"Flag":true,"Codes":[],"Extra":{"x":[1]}},
            {"Name":"b","Count":-7,"Weight":0.5,"Flag":false,"Note":null,"Codes":[1,2]},
            {"Name":"c","Count":1,"Weight":1,"Flag":false,"Note":"n","Codes":[], "Count": 9}])");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].name, "a");
    EXPECT_EQ(items[0].weight, 2.0);
    EXPECT_TRUE(items[0].flag);
    EXPECT_FALSE(items[1].note);
    EXPECT_EQ(items[1].codes, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(items[2].note, "n");
    EXPECT_EQ(items[2].count, 9); // a repeated key: the last one wins
}

TEST(Json, IntegersAreExactFromTheirDigits)
{
    using V = std::vector<std::int64_t>;
    EXPECT_EQ(kit::decodeJson<V>(
                  "[3, -7, 2.0, 1e2, 9007199254740993, -0, 9223372036854775807, -9223372036854775808, 12.50e1]"),
              (V{3, -7, 2, 100, 9007199254740993LL, 0, INT64_MAX, INT64_MIN, 125}));
    EXPECT_EQ(kit::decodeJson<V>("[9007199254740993.0, 92233720368547758.07e2]"),
              (V{9007199254740993LL, 9223372036854775807LL}));
    EXPECT_EQ(kit::decodeJson<double>("9007199254740993"), 9007199254740992.0);

    expectError([] { kit::decodeJson<V>("[1, 2.5]"); }, Kind::dataCorrupted, "[1]");
    expectError([] { kit::decodeJson<V>("[1e30]"); }, Kind::dataCorrupted, "[0]");
    expectError([] { kit::decodeJson<V>("[9223372036854775808]"); }, Kind::dataCorrupted, "[0]");
    expectError([] { kit::decodeJson<V>("[1e-2]"); }, Kind::dataCorrupted, "[0]");
    expectError([] { kit::decodeJson<std::vector<int>>("[3000000000]"); }, Kind::dataCorrupted, "[0]");
    expectError([] { kit::decodeJson<V>("[true]"); }, Kind::typeMismatch, "[0]");
    expectError([] { kit::decodeJson<V>(R"(["3"])"); }, Kind::typeMismatch, "[0]");
    expectError([] { kit::decodeJson<std::vector<bool>>("[1]"); }, Kind::typeMismatch, "[0]");
    expectError([] { kit::decodeJson<std::vector<std::string>>("[null]"); }, Kind::valueNotFound, "[0]");
}

TEST(Json, ANumberThatIsNoInt64IsNamedAsWritten)
{
    using V = std::vector<std::int64_t>;
    struct Case {
        std::string text, path, number;
    };
    for (const Case& c : std::vector<Case>{
             {"[123456789012345678901234567890]", "[0]", "123456789012345678901234567890"}, // beyond any 64 bits
             {"[1, 1e30]", "[1]", "1e30"},
             {"[-1E+19]", "[0]", "-1E+19"},
             {"[2.50]", "[0]", "2.50"},
             {"[9223372036854775808]", "[0]", "9223372036854775808"},
             {"[9223372036854775808.0]", "[0]", "9223372036854775808.0"},
             {"[18446744073709551616]", "[0]", "18446744073709551616"},
         }) {
        try {
            kit::decodeJson<V>(c.text);
            ADD_FAILURE() << "decoded " << c.text;
        } catch (const kit::DecodingError& error) {
            EXPECT_EQ(error.codingPath(), c.path) << c.text;
            EXPECT_EQ(error.debugDescription(), "Parsed JSON number <" + c.number + "> does not fit in Int64.")
                << c.text;
        }
    }

    // Deep in a document, and after a repeated key (the last one counts).
    struct Count {
        std::int64_t n;
        static Count fromJson(const kit::Decoder& d) { return Count{d.decode<std::int64_t>("n")}; }
    };
    using Doc = std::map<std::string, std::vector<Count>>;
    try {
        kit::decodeJson<Doc>(R"({"a":[{"n":1},{"x":[0.5],"n":7.25e0,"n":100000000000000000000.5}]})");
        ADD_FAILURE() << "decoded";
    } catch (const kit::DecodingError& error) {
        EXPECT_EQ(error.codingPath(), "a[1].n");
        EXPECT_EQ(error.debugDescription(), "Parsed JSON number <100000000000000000000.5> does not fit in Int64.");
    }
    // A double takes any of them.
    EXPECT_EQ(kit::decodeJson<std::vector<double>>("[1e30, 2.50]"), (std::vector<double>{1e30, 2.5}));
}

TEST(Json, ErrorsNameTheFirstFailingValueByItsCodingPath)
{
    struct File {
        std::int64_t code;
        static File fromJson(const kit::Decoder& d) { return File{d.decode<std::int64_t>("Code")}; }
    };
    struct Language {
        std::vector<File> files;
        static Language fromJson(const kit::Decoder& d) { return Language{d.decode<std::vector<File>>("Files")}; }
    };
    const std::string ok = R"({"Files":[{"Code":1}]})";
    auto decode = [&](const std::string& fourth) {
        return [=] { kit::decodeJson<std::vector<Language>>("[" + ok + "," + ok + "," + ok + "," + fourth + "]"); };
    };
    expectError(decode(R"({"Files":[{"Code":2.5},{"Code":"x"}]})"), Kind::dataCorrupted, "[3].Files[0].Code");
    expectError(decode(R"({"Files":[{"Cod":2}]})"), Kind::keyNotFound, "[3].Files[0].Code");
    expectError(decode(R"({"Files":null})"), Kind::valueNotFound, "[3].Files");
    expectError(decode(R"({})"), Kind::keyNotFound, "[3].Files");
    expectError(decode(R"([])"), Kind::typeMismatch, "[3]");
    expectError(decode(R"(null)"), Kind::valueNotFound, "[3]");

    try {
        decode(R"({"Files":[{"Cod":2}]})")();
    } catch (const kit::DecodingError& error) {
        EXPECT_STREQ(error.what(), R"(keyNotFound at [3].Files[0].Code: No value associated with key "Code".)");
    }
}

TEST(Json, RejectsTextThatIsNotStrictUtf8Json)
{
    for (std::string bad :
         {std::string(""), std::string("   "), std::string("[1] x"), std::string("[1,]"), std::string("{'a':1}"),
          std::string("[\"\xC3\x28\"]"), std::string("[\"\xFF\"]"), std::string("[1]\xEF"), std::string("[NaN]")})
        expectError([&] { kit::parseJson(bad); }, Kind::dataCorrupted, "");
    EXPECT_EQ(kit::decodeJson<std::string>("\n \"caf\xC3\xA9\" \t"), "caf\xC3\xA9");
}

TEST(Json, MapsFailAsAWhole)
{
    using Specs = std::map<std::string, std::map<std::string, std::string>>;
    auto specs = kit::decodeJson<Specs>(R"({"C":{"color":"#555555","x":"y"},"Go":{}})");
    EXPECT_EQ(specs["C"]["color"], "#555555");
    EXPECT_TRUE(specs["Go"].empty());
    expectError([] { kit::decodeJson<Specs>(R"({"C":{"color":"#555555","size":3}})"); }, Kind::typeMismatch, "C.size");
    expectError([] { kit::decodeJson<std::unordered_map<std::string, bool>>(R"({"a":true,"b":"no"})"); },
                Kind::typeMismatch, "b");
}

TEST(Json, SharedPointersAndOptionalFieldsDecodeStrictlyWhenPresent)
{
    struct Node {
        std::optional<std::int64_t> value;
        static std::shared_ptr<Node> fromJson(const kit::Decoder& d)
        {
            return std::make_shared<Node>(Node{d.decodeIfPresent<std::int64_t>("v")});
        }
    };
    auto nodes = kit::decodeJson<std::vector<std::shared_ptr<Node>>>(R"([{"v":1},{},{"v":null}])");
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0]->value, 1);
    EXPECT_FALSE(nodes[1]->value);
    EXPECT_FALSE(nodes[2]->value);
    expectError([] { kit::decodeJson<std::vector<std::shared_ptr<Node>>>(R"([{"v":"1"}])"); }, Kind::typeMismatch,
                "[0].v");
}

} // namespace
